#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "geometry.h"
#include "launch_button/launch_button.h"
#include "option/panel_colours.h"

namespace core {

enum class NavButton { kFastTop, kFastBwd, kBwd, kFwd, kFastFwd, kFastFinal };

// The editing menu of a launch button, as it opens.
struct LaunchMenuState {
  bool cut = false, copy = false, paste = false, remove = false;
  bool selectChecked = false;
  friend bool operator==(const LaunchMenuState&, const LaunchMenuState&) = default;
};

// What the launcher window shows, as the launcher's logic sees it.
class LauncherView : public PanelColourTarget {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  // The page-title box Edit1. Typing into it reports each change to
  // TLauncher::Edit1Change; a text set here is not reported.
  virtual std::string TitleText() const = 0;
  virtual void SetTitleText(const std::string& text) = 0;
  // The page count arrows UpDown1 and the box Memo1 that shows their position.
  virtual void SetPageCount(int count) = 0;
  virtual int PageCountPosition() const = 0;
  virtual void SetDateText(const std::string& text) = 0;
  virtual void SetTimeText(const std::string& text) = 0;
  virtual void EnableNavButton(NavButton button, bool enabled) = 0;

  // Outer top-left corner of the window, screen pixels.
  virtual ScreenPoint WindowPosition() const = 0;
  // There, or, when the window would be lost off every screen there (a monitor
  // unplugged), at the nearest place on the primary screen (KeepOnScreen).
  virtual void MoveWindowTo(ScreenPoint position) = 0;
  virtual bool IsWindowShown() const = 0;
  // False while a dialog of the window is open.
  virtual bool TakesInput() const = 0;
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  virtual void BringToForeground() = 0;

  // The mouse pointer in screen coordinates; none when it cannot be read (while the
  // session is locked or an elevation prompt is up).
  virtual std::optional<ScreenPoint> CursorPosition() const = 0;
  // The platform's handle of the window, for requests that name an owner.
  virtual std::uintptr_t NativeHandle() const = 0;

  // The launch button of number k (1..10).
  virtual LaunchButtonView& ButtonView(int k) = 0;
  // Opens a launch button's editing menu at the mouse pointer, or at button `atButton`
  // when it is not 0 (the keyboard asked for it); its commands come back to the
  // launcher's handlers.
  virtual void PopupLaunchMenu(const LaunchMenuState& state, int atButton) = 0;
  // Opens the menu of `folder` at launch button k's bottom-left corner, read off the
  // window's thread; a choice comes back to TLauncher::FolderMenuChosen, a path that is
  // no folder as a choice to open it, and the window reports the menu closed.
  virtual void ShowFolderMenu(int k, const std::string& folder) = 0;
  // Gives the keyboard focus to launch button k.
  virtual void FocusLaunchButton(int k) = 0;
  // The two page commands of the window's pop-up menu, and the check mark of starting
  // the page in order.
  virtual void EnablePageCommands(bool startSelected, bool startPage, bool inOrder) = 0;
  // While on, the window calls the launcher's RunStep about every 50 ms.
  virtual void RunSteps(bool on) = 0;
  // A steady clock, in milliseconds.
  virtual std::uint64_t Milliseconds() const = 0;
};

}  // namespace core
