// The CPU cost of one clock update in the real launcher window under Windows or Wine:
// the time label gets a new text and the window is painted, as once a second while the
// launcher idles. Prints the process's CPU time per update, less the cost of the same
// message loop turns without an update.
#include <cstdio>
#include <string>

#include "base/win.h"

#include <commctrl.h>

#include "launch/app_window.h"
#include "launch/launcher_window.h"

namespace {

constexpr int kUpdates = 2000;
// Idle, the update comes after the process slept and its caches went cold.
constexpr int kColdUpdates = 400;
constexpr DWORD kColdPause = 50;

double CpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

void Drain(HWND window) {
  UpdateWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// CPU milliseconds per loop turn, with or without a new time text.
double PerTurn(win32::LauncherWindow& window, bool update, bool cold = false) {
  int turns = cold ? kColdUpdates : kUpdates;
  double start = CpuMilliseconds();
  for (int i = 0; i < turns; ++i) {
    if (cold) Sleep(kColdPause);
    if (update) {
      char text[16];
      std::snprintf(text, sizeof text, "12:%02d:%02d", i / 60 % 60, i % 60);
      window.SetTimeText(text);
    }
    Drain(window.Handle());
  }
  return (CpuMilliseconds() - start) / turns;
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  win32::AppWindow application;
  win32::LauncherWindow window(application.Handle());
  application.SetMainWindow(window.Handle());
  window.SetCaption("Clock bench");
  ShowWindow(window.Handle(), SW_SHOW);
  Drain(window.Handle());
  PerTurn(window, true);  // warm up: glyphs, caches
  double idle = PerTurn(window, false);
  double updating = PerTurn(window, true);
  std::printf("loop turn without an update  %7.1f us CPU\n", idle * 1000);
  std::printf("loop turn with an update     %7.1f us CPU\n", updating * 1000);
  std::printf("one clock update             %7.1f us CPU (%.1f ms a minute at one a second)\n",
              (updating - idle) * 1000, (updating - idle) * 60);
  double coldIdle = PerTurn(window, false, true);
  double coldUpdating = PerTurn(window, true, true);
  std::printf("after %lu ms asleep: turn %7.1f us, with an update %7.1f us, one update %7.1f us (%.1f ms a minute)\n",
              kColdPause, coldIdle * 1000, coldUpdating * 1000, (coldUpdating - coldIdle) * 1000,
              (coldUpdating - coldIdle) * 60);
  return 0;
}
