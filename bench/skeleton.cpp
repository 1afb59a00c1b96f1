// The floor of the start-up benchmark: the launcher's window tree and nothing else.
// It uses the program's own window classes, so it keeps in step with the real window;
// it has no settings, files, launcher logic, tray icon or hot key, so what the program
// takes beyond it is the cost of that work.
#include "base/win.h"

#include <commctrl.h>

#include <string_view>

#include "base/tooltips.h"
#include "base/win_environment.h"
#include "launch/app_window.h"
#include "launch/launcher_window.h"

namespace {

// With --clock the skeleton also shows the time, once a second on its timer's ticks,
// as the launcher must: the floor of a launcher whose only work is its clock.
void ShowTime(win32::LauncherWindow& window, const win32::WinEnvironment& environment) {
  static int shown = -1;
  core::LocalTime now = environment.Now();
  if (now.second == shown) return;
  shown = now.second;
  window.SetTimeText(environment.LongTimeText(now));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  const bool clock = arguments && std::wstring_view(arguments).find(L"--clock") != std::wstring_view::npos;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS;
  InitCommonControlsEx(&controls);

  win32::AppWindow application;
  win32::LauncherWindow window(application.Handle());
  application.SetMainWindow(window.Handle());
  // The benchmark recognises the window by its caption when it maps.
  window.SetCaption("Skeleton - Page 1/1");
  application.HideFromTaskbar();
  // Shows the window, starts its timer (which ticks with nothing attached) and, after
  // the first paint, makes the hints and the pop-up menus, as the program does.
  window.Start();

  win32::WinEnvironment environment;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (clock && message.message == WM_TIMER && message.hwnd == window.Handle()) ShowTime(window, environment);
    win32::RelayToHints(message);
    if (window.TranslateShortcut(message)) continue;
    if (IsDialogMessageW(window.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
