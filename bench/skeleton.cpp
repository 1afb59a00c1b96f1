// The floor of the start-up benchmark: the launcher's window tree and nothing else.
// It uses the program's own window classes, so it keeps in step with the real window;
// it has no settings, files, launcher logic, tray icon or hot key, so what the program
// takes beyond it is the cost of that work.
#include "base/win.h"

#include <commctrl.h>

#include "base/tooltips.h"
#include "launch/app_window.h"
#include "launch/launcher_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
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

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    win32::RelayToHints(message);
    if (window.TranslateShortcut(message)) continue;
    if (IsDialogMessageW(window.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
