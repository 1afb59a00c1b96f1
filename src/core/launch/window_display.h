#pragma once

#include "launch/launcher_view.h"

namespace core {

// Hit-test value of a window's caption bar.
inline constexpr int kHitCaption = 2;

// Showing and hiding the launcher window: the toggle of the tray icon, the hot key
// and the title bar, and the display mode that follows the mouse to the screen's edges.
class WindowDisplay {
 public:
  explicit WindowDisplay(LauncherView& view) : view_(view) {}

  // Hides a shown window; shows a hidden one in front.
  void TrayIcon1Click();
  // Hides the window when it shows; never shows it.
  void Hide();
  // With the option on, a double click on the caption bar hides the window.
  void TitleBarDoubleClick(int hitTest, bool optionOn);
  // With mouse mode on: the pointer in the screen's top-left corner shows the window,
  // anywhere else on the top or left edge hides it.
  void FollowMouseEdge(int mouseMode);

 private:
  LauncherView& view_;
};

}  // namespace core
