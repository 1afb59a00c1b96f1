#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "find/button_index.h"
#include "find/find_box_host.h"
#include "option/panel_colours.h"
#include "ports/prompter.h"

namespace core {

// One line of the find box's list.
struct FindLine {
  std::string text;  // the button's title, or its program's file name
  std::string page;  // "P12", or where an installed program was found
  GlyphSource glyph;
  bool dimmed = false;  // its program is not where its path leads
};

// The find box as its logic sees it: a text box over a list whose lines it draws
// through TFindBox::Line, only those it shows.
class FindBoxView : public PanelColourTarget {
 public:
  // Shows the box against the launcher window, on screen, with an empty text box that
  // has the keyboard focus.
  virtual void Open() = 0;
  virtual void Close() = 0;
  // The list has `count` lines now; none shows the grey line of nothing found.
  virtual void ShowLines(int count) = 0;
  virtual void SelectLine(int index) = 0;
};

// The find box: every registered button of the current user's pages, narrowed to those
// whose title or file name holds the typed text, and after them, once text is typed,
// the installed programs whose name holds it that no button holds. The pages are read
// once, as it opens; typing reads nothing. While it is open, what another program
// writes waits.
class TFindBox {
 public:
  TFindBox(FindBoxView& view, FindBoxHost& host, Prompter& prompter) : view_(view), host_(host), prompter_(prompter) {}

  // Ctrl+F or F3 in the launcher window. Nothing is shown or written but the box.
  void Open();
  // The text box's text, after each change.
  void TextChanged(const std::string& text);
  // Up (-1) and Down (+1), within the list.
  void MoveSelection(int delta);
  // A click on a line.
  void SelectionChanged(int index) { selected_ = index; }
  // A newer index of the installed programs: the list follows it.
  void ProgramsArrived(std::shared_ptr<const ProgramIndex> programs);
  // Enter or a double click: closes the box, shows the chosen button's page and starts
  // it as a click does (Ctrl+Shift: as administrator); with Shift alone it only shows
  // the page and flashes the button. Nothing found: nothing happens. A button that no
  // longer holds the program listed (its page was written since the box opened) starts
  // nothing: the list is made again from the pages as they are now.
  // On a program: starts it (Ctrl+Shift: as administrator); Ctrl alone puts it on a
  // button; Shift alone does nothing.
  void Choose(ShiftState shift);
  // Esc, or the box lost the focus.
  void Cancel();

  int LineCount() const { return static_cast<int>(found_.size() + programsFound_.size()); }
  FindLine Line(int index) const;
  // What a screen reader reads of line `index` of the list the view shows: the title
  // and the page as the line reads, with the missing state the dimming shows; the one
  // line of a find that matched nothing reads "見つかりません".
  std::string LineName(int index) const;

 private:
  // The pages as their files hold them now; false (the error shown) when they cannot
  // be read.
  bool ReadPages(FindScope& scope);
  void Index(const FindScope& scope);
  void ChooseButton(const FoundButton& chosen, ShiftState shift);
  void ChooseProgram(const InstalledProgram& chosen, ShiftState shift);
  // Line `index` is a program's, from this one on.
  size_t ButtonLines() const { return found_.size(); }

  FindBoxView& view_;
  FindBoxHost& host_;
  Prompter& prompter_;
  std::unique_ptr<ButtonIndex> index_;
  std::string text_;
  int currentPage_ = 0;
  std::vector<const FoundButton*> found_;
  std::shared_ptr<const ProgramIndex> programs_;
  std::unordered_set<std::string> onButtons_;  // what the buttons hold, in file name form
  std::vector<const InstalledProgram*> programsFound_;
  int selected_ = -1;
  bool open_ = false;
  // How a listed button looks (whether its program is missing), looked at when its line
  // is first drawn.
  mutable std::unordered_map<const FoundButton*, ButtonLook> looks_;
};

}  // namespace core
