#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launch_button/target_path.h"
#include "ports/prompter.h"
#include "ports/shell.h"
#include "storage/file_system.h"

namespace core {

class ButtonSettingsView;
class TButtonSettingsDlg;
class TLaunchButton;

// The platform services a button and its settings dialog use.
struct LaunchButtonPorts {
  Shell& shell;
  Prompter& prompter;
  const FileSystem& files;
  PathPorts paths;
};

enum class TProgState { psNormal = 0, psMinimized = 1, psMaximized = 2 };

// The launch buttons of a page, LaunchButton1 to LaunchButton10.
inline constexpr int kLaunchButtonCount = 10;
// The longest pause after a start in a page started in order, in milliseconds.
inline constexpr int kLongestStartDelay = 60000;

// The show command the shell gets for a start state.
int ShowCommandOf(TProgState state);

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
  // What a screen reader reads of the button; the face does not show it.
  virtual void SetAccessibleName(const std::string& name) = 0;
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
};

// What a button uses of the window that holds it: everything an activation does
// beyond the button itself (the sound, hiding, the running program) is the window's.
class LaunchButtonHost {
 public:
  virtual ~LaunchButtonHost() = default;
  virtual void Activate(TLaunchButton& button, const Activation& how) = 0;
  // Why a key text cannot be the button's own key (the message to show); empty when
  // it can.
  virtual std::string HotKeyRefusal(const TLaunchButton& button, const std::string& text) const = 0;
};

// One button that stands for a program, document or folder: it shows that file's
// icon and its title as hint, starts it on a left-button release, and takes a file
// dropped on it.
class TLaunchButton {
 public:
  using Notify = std::function<void(TLaunchButton&)>;

  TLaunchButton(std::string name, LaunchButtonView& view, LaunchButtonHost& host, const LaunchButtonPorts& ports);
  TLaunchButton(const TLaunchButton&) = delete;
  TLaunchButton& operator=(const TLaunchButton&) = delete;

  const std::string& Name() const { return name_; }
  // The digits after "LaunchButton" in the name.
  int Number() const;

  const std::string& ProgramTitle() const { return title_; }
  const std::string& ProgramPath() const { return path_; }
  const std::string& ProgramDir() const { return dir_; }
  const std::string& ProgramOption() const { return option_; }
  TProgState ProgramState() const { return state_; }
  const std::string& ProgramIconPath() const { return iconPath_; }
  int ProgramIconNo() const { return iconNo_; }
  bool IsIconSmall() const { return iconSmall_; }
  bool AcceptDragFile() const { return acceptDragFile_; }
  // Its own global key in the hot key text form (empty: none), whether that key
  // switches to the running program, and the pause after its start in a page started
  // in order (ms).
  const std::string& HotKey() const { return hotKey_; }
  bool SwitchIfRunning() const { return switchIfRunning_; }
  int StartDelay() const { return startDelay_; }

  void SetProgramTitle(const std::string& value);
  // An empty path empties the button; any other path rebuilds the glyph, even the
  // one already held.
  void SetProgramPath(const std::string& value);
  void SetProgramDir(const std::string& value);
  void SetProgramOption(const std::string& value);
  void SetProgramState(TProgState value);
  void SetProgramIconPath(const std::string& value);
  void SetProgramIconNo(int value);
  void SetIsIconSmall(bool value);
  void SetAcceptDragFile(bool value);
  void SetHotKey(const std::string& value);
  void SetSwitchIfRunning(bool value) { switchIfRunning_ = value; }
  void SetStartDelay(int value) { startDelay_ = value; }
  // Its key could not be had (another program or button has it): the name says so.
  void SetHotKeyRefused(bool refused);
  // Why the key text would be refused as this button's key; empty when it is taken.
  std::string HotKeyRefusal(const std::string& text) const { return host_.HotKeyRefusal(*this, text); }

  Notify OnUpdated;
  std::function<void(TLaunchButton&, MouseButton)> OnMouseDown;
  // The context menu key, or Shift+F10, on the focused button.
  Notify OnContextMenu;

  void DoUpdated();
  void ClearProgram();

  // Where the stored paths lead now (the stored texts stay as they are).
  std::string Resolved(const std::string& stored) const { return ResolvePath(stored, ports_.paths); }
  StartPaths ResolvedStart() const { return ResolveStart(path_, dir_, ports_.paths); }
  // The title and working folder a new button takes from its path.
  NewButtonNames NamesOfPath() const {
    return NamesOfNewButton(path_, [this](const std::string& name) { return ports_.shell.DisplayName(name); });
  }
  // The shell's request that starts the program, with `owner` as its window.
  ShellRequest StartRequest(std::uintptr_t owner, bool elevated = false) const;
  // The program is not where its path leads: the button shows it dimmed. Assigning
  // another path or emptying the button ends it until the next check.
  void SetTargetMissing(bool missing);
  bool TargetMissing() const { return missing_; }
  // The program shows a window now: the button carries the running mark, and Shift
  // with a click brings that window forward. Assigning another path or emptying the
  // button ends it until the next look.
  void SetRunning(bool running);
  bool Running() const { return running_; }
  // Marks the button for a moment, for the eye to find it.
  void Flash() { view_.Flash(); }

  const std::string& Hint() const { return hint_; }
  // Its title, else its program's file name, else "未登録"; then "、見つかりません" when
  // it is dimmed and "、起動中" when it carries the running mark: nothing of what it
  // shows by colour alone is lost to a screen reader. Last its own key, and whether
  // that could not be had.
  std::string AccessibleName() const;
  int ShowCmd() const { return showCmd_; }
  // The file whose icons the settings dialog offers; kept between its openings.
  std::string IconSource;

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
  // The start step alone: the program started, with its window as the owner unless
  // another is given (0: its own); false for an empty button, and for a start as
  // administrator of what cannot have one (an address, a packaged app), which says so.
  bool Start(bool elevated = false, std::uintptr_t owner = 0);
  // The start step for a page started in order: never as administrator, and with the
  // process it gave, to wait for its window.
  WatchedStart StartWatched(std::uintptr_t owner);
  void FilesDropped(const std::vector<std::string>& paths);

  // The settings dialog, built for one use (a right-button release) and destroyed.
  void RunSettingsDialog();
  // Set by the settings dialog while it is open.
  void SetSettingsDialog(TButtonSettingsDlg* dialog) { settings_ = dialog; }

 private:
  void SetHint(const std::string& hint);
  void ShowAccessibleName();
  GlyphSource ResolvedGlyphSource() const;

  std::string name_;
  LaunchButtonView& view_;
  LaunchButtonHost& host_;
  LaunchButtonPorts ports_;
  TButtonSettingsDlg* settings_ = nullptr;

  std::string title_, path_, dir_, option_, iconPath_;
  TProgState state_ = TProgState::psNormal;
  int iconNo_ = 0;
  bool iconSmall_ = false;
  bool acceptDragFile_ = false;
  std::string hotKey_;
  bool switchIfRunning_ = false;
  int startDelay_ = 0;
  bool hotKeyRefused_ = false;
  std::string hint_;
  std::string accessibleName_;
  int showCmd_ = 0;
  bool leftPressed_ = false;
  bool missing_ = false;
  bool running_ = false;
};

// The ten buttons of the launcher window; button k is entry k - 1.
using LaunchButtons = std::array<std::unique_ptr<TLaunchButton>, kLaunchButtonCount>;

}  // namespace core
