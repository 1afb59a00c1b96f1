#include "launch/window_display.h"

namespace core {

void WindowDisplay::TrayIcon1Click() {
  if (view_.IsWindowShown()) {
    view_.HideWindow();
  } else {
    view_.ShowWindow();
    view_.BringToForeground();
  }
}

void WindowDisplay::Hide() {
  if (view_.IsWindowShown()) view_.HideWindow();
}

void WindowDisplay::TitleBarDoubleClick(int hitTest, bool optionOn) {
  if (optionOn && hitTest == kHitCaption) TrayIcon1Click();
}

void WindowDisplay::FollowMouseEdge(int mouseMode) {
  if (mouseMode <= 0) return;
  const std::optional<ScreenPoint> at = view_.CursorPosition();
  if (!at) return;
  const ScreenPoint p = *at;
  if (p.x == 0 && p.y == 0)
    view_.ShowWindow();
  else if (p.x == 0 || p.y == 0)
    view_.HideWindow();
}

}  // namespace core
