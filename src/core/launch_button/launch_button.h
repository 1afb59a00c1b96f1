#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launch_button/button_entry.h"
#include "launch_button/target_path.h"
#include "ports/prompter.h"
#include "ports/shell.h"
#include "storage/file_system.h"

namespace core {

class ButtonSettingsView;
class TLaunchButton;

// The platform services a button's editing and its settings dialog use.
struct LaunchButtonPorts {
  Shell& shell;
  Prompter& prompter;
  const FileSystem& files;
  PathPorts paths;
};

enum class MouseButton { kLeft, kRight, kMiddle };

// The modifier keys held down with a mouse button or a key.
struct ShiftState {
  bool shift = false, ctrl = false, alt = false;
  friend bool operator==(const ShiftState&, const ShiftState&) = default;
};

// Ctrl+Shift (without Alt) with the left button starts a program as administrator.
bool StartsElevated(ShiftState shift);

// Where a button's glyph comes from.
struct GlyphSource {
  std::string file;
  int index = 0;
  bool useShellIcon = true;  // the shell's icon of the file, else icon `index` extracted from it
  friend bool operator==(const GlyphSource&, const GlyphSource&) = default;
};

// An icon number of 0 always means the shell's icon of the chosen file.
GlyphSource GlyphSourceOf(const std::string& iconPath, int iconNo, const std::string& programPath);
// The same with the icon file or the program where its stored path leads now.
GlyphSource ResolvedGlyphSourceOf(const std::string& iconPath, int iconNo, const std::string& programPath,
                                  const std::string& programDir, const PathPorts& ports);

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A glyph is drawn treating the colour of its bottom-left pixel as transparent. That
// pixel's red is moved by one (up, or down from 255), so that only pixels of exactly
// this adjusted colour vanish.
Rgb TransparentKeyOf(Rgb bottomLeft);

// What a launch button shows.
class LaunchButtonView {
 public:
  virtual ~LaunchButtonView() = default;
  virtual void SetHint(const std::string& hint) = 0;
  // What a screen reader reads of the button, its name and its description (what a
  // click does where it is not a start); the face shows neither.
  virtual void SetAccessibleName(const std::string& name, const std::string& description) = 0;
  virtual void Repaint() = 0;
  // The glyph anew from its source, 16 (small) or 32 pixels; a source without an
  // icon gives a blank face.
  virtual void DrawGlyph(const GlyphSource& source, bool small) = 0;
  virtual void RemoveGlyph() = 0;
  // The glyph greyed, for a program that is not where its path leads.
  virtual void SetDimmed(bool dimmed) = 0;
  // The mark of a program that shows a window now.
  virtual void SetRunning(bool running) = 0;
  // Marks the button for about a second, for the eye to find it.
  virtual void Flash() = 0;
  // Register or unregister the button as a target of files dropped from the shell.
  virtual void AcceptFiles(bool accept) = 0;
  virtual std::uintptr_t NativeHandle() const = 0;
  // A new settings dialog window for this button.
  virtual std::unique_ptr<ButtonSettingsView> CreateSettingsView() = 0;
};

// Shift alone with a click brings a running program forward instead of starting it.
bool SwitchesToProgram(ShiftState shift);

// A button activated, and so which parts of a click run: a left-button release over
// the button makes both, a release off it (after a press on it) only the start.
struct Activation {
  ShiftState shift;
  bool sound = true;  // the click's part: the start sound
  bool start = true;  // the release's part: the start, or with Shift the switch to the program
  // Set by a button's own key: the page that holds the button, whose file the start
  // sound asks, and hiding after the start never shows a hidden window. 0: the page
  // shown, by a click.
  int page = 0;
  // A click on the shown button, released over it or from the keyboard: what opens a
  // folder button's menu.
  bool click = false;
};

// What a button reports to the window that holds it, which does all the work: an
// activation (the sound, the start, hiding), the settings dialog, a drop of files.
class LaunchButtonHost {
 public:
  virtual ~LaunchButtonHost() = default;
  virtual void Activate(TLaunchButton& button, const Activation& how) = 0;
  // A right-button release, or the settings key on the focused button.
  virtual void OpenSettings(TLaunchButton& button) = 0;
  virtual void FilesDropped(TLaunchButton& button, const std::vector<std::string>& paths) = 0;
};

// One button on the screen that stands for a program, document or folder: it shows
// its entry (that file's icon and its title as hint, dimmed, the running mark) and
// reports what is done to it (a press, a release, a drop).
class TLaunchButton {
 public:
  TLaunchButton(int number, LaunchButtonView& view, LaunchButtonHost& host, const PathPorts& paths);
  TLaunchButton(const TLaunchButton&) = delete;
  TLaunchButton& operator=(const TLaunchButton&) = delete;

  // k of LaunchButton1 to LaunchButton10.
  int Number() const { return number_; }
  const ButtonEntry& Entry() const { return entry_; }

  // Shows the entry: its values, the path last, so that the glyph is drawn anew from
  // the values before it (even for the path already shown). An empty path empties the
  // button. The hint follows the order of changes: a new title shows at once, a new
  // path then shows the title or else its file name.
  void Show(const ButtonEntry& entry);
  // The values but the path, without the glyph drawn anew: what the settings dialog
  // applied before it was left, a new selection mark before the page is shown again.
  void Keep(const ButtonEntry& entry);
  // Empties the button: nothing is drawn. The selection mark stays.
  void Clear();

  bool AcceptDragFile() const { return acceptDragFile_; }
  void SetAcceptDragFile(bool value);
  // Its key could not be had (another program or button has it): the name says so.
  void SetHotKeyRefused(bool refused);

  std::function<void(TLaunchButton&, MouseButton)> OnMouseDown;
  // The context menu key, or Shift+F10, on the focused button.
  std::function<void(TLaunchButton&)> OnContextMenu;

  // The program is not where its path leads: the button shows it dimmed. Showing
  // another path or emptying the button ends it until the next check.
  void SetTargetMissing(bool missing);
  bool TargetMissing() const { return missing_; }
  // The program shows a window now: the button carries the running mark, and Shift
  // with a click brings that window forward. Showing another path or emptying the
  // button ends it until the next look.
  void SetRunning(bool running);
  bool Running() const { return running_; }
  // Marks the button for a moment, for the eye to find it.
  void Flash() { view_.Flash(); }
  std::uintptr_t NativeHandle() const { return view_.NativeHandle(); }
  LaunchButtonView& View() { return view_; }

  const std::string& Hint() const { return hint_; }
  // Its title, else its program's file name, else "未登録"; then "、見つかりません" when
  // it is dimmed and "、起動中" when it carries the running mark: nothing of what it
  // shows by colour alone is lost to a screen reader. Last its own key, and whether
  // that could not be had.
  std::string AccessibleName() const;

  // Mouse, keyboard and shell events, as the control reports them.
  void MouseDown(MouseButton button);
  // The release of a button press that began on this button; `over`: it was released
  // over the button, which makes it a click.
  void MouseUp(MouseButton button, ShiftState shift = {}, bool over = true);
  // A click from the keyboard (Enter or Space on the focused button): it activates the
  // button as a mouse click does, so that keyboard users can start it.
  void KeyboardClick(ShiftState shift);
  // The context menu key, or Shift+F10, on the focused button.
  void ContextMenuKey() {
    if (OnContextMenu) OnContextMenu(*this);
  }
  void SettingsKey() { host_.OpenSettings(*this); }
  void FilesDropped(const std::vector<std::string>& paths) { host_.FilesDropped(*this, paths); }

 private:
  void SetHint(const std::string& hint);
  void ShowAccessibleName();

  int number_;
  LaunchButtonView& view_;
  LaunchButtonHost& host_;
  PathPorts paths_;

  ButtonEntry entry_;
  bool acceptDragFile_ = false;
  bool hotKeyRefused_ = false;
  std::string hint_;
  std::string accessibleName_, accessibleDescription_;
  bool leftPressed_ = false;
  bool missing_ = false;
  bool running_ = false;
};

// The ten buttons of the launcher window; button k is entry k - 1.
using LaunchButtons = std::array<std::unique_ptr<TLaunchButton>, kLaunchButtonCount>;

}  // namespace core
