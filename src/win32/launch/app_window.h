#pragma once

#include "base/window.h"

namespace win32 {

// The program's hidden application window. It carries the title "ZUBIらんちゃ" by
// which a second start finds the running instance, and owns the launcher window.
class AppWindow final : public Window<AppWindow> {
 public:
  AppWindow();
  void SetMainWindow(HWND main) { main_ = main; }
  // No taskbar button for the program.
  void HideFromTaskbar();

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND main_ = nullptr;
};

}  // namespace win32
