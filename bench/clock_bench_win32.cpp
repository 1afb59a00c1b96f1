// The CPU cost of the launcher's once-a-second clock work in the real window under
// Windows or Wine, each step measured on its own after the thread slept as long as the
// idle launcher sleeps between timer ticks, when the caches have gone cold. Under Wine
// the thread's CPU time comes from the scheduler in nanoseconds; elsewhere from
// GetThreadTimes. For comparison, the same update of a plain static text label.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/win.h"

#include <commctrl.h>

#include "base/utf16.h"
#include "base/win_environment.h"
#include "launch/app_window.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_window.h"

namespace {

constexpr int kRounds = 100;
constexpr DWORD kIdlePause = 200;  // the launcher's timer interval

FILE* SchedulerStatistics() {
  static FILE* file = std::fopen("Z:\\proc\\thread-self\\schedstat", "r");
  return file;
}

// The calling thread's CPU time in microseconds.
double ThreadCpuMicroseconds() {
  if (FILE* file = SchedulerStatistics()) {
    unsigned long long ns = 0;
    std::rewind(file);
    std::fflush(file);
    if (std::fscanf(file, "%llu", &ns) == 1) return static_cast<double>(ns) / 1e3;
  }
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto us = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10;
  };
  return us(kernel) + us(user);
}

void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

struct Cost {
  double median, mean;
};

// The CPU microseconds of `step`, each run after an idle pause, with any messages it
// posted handled.
Cost ColdCost(const std::function<void(int)>& step) {
  std::vector<double> costs;
  for (int i = 0; i < kRounds; ++i) {
    Sleep(kIdlePause);
    double start = ThreadCpuMicroseconds();
    step(i);
    Drain();
    costs.push_back(ThreadCpuMicroseconds() - start);
  }
  double total = 0;
  for (double cost : costs) total += cost;
  std::nth_element(costs.begin(), costs.begin() + kRounds / 2, costs.end());
  return {costs[kRounds / 2], total / kRounds};
}

std::string TimeText(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "12:%02d:%02d", i / 60 % 60, i % 60);
  return text;
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
  UpdateWindow(window.Handle());
  Drain();

  // A plain static label where the time label is, as a reference.
  HWND time = window.Control(win32::launcher::kLabel3);
  RECT at;
  GetWindowRect(time, &at);
  MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&at), 2);
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, at.left,
                               at.top + 40, at.right - at.left, at.bottom - at.top, window.Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, SendMessageW(time, WM_GETFONT, 0, 0), FALSE);

  win32::WinEnvironment environment;
  std::string sink;
  struct Step {
    const char* name;
    std::function<void(int)> run;
  } steps[] = {
      {"nothing (the measurement itself)", [](int) {}},
      {"read the clock", [&](int) { sink = std::to_string(environment.Now().second); }},
      {"format the time",
       [&](int i) {
         sink = environment.LongTimeText({2026, 12, 8, 12, i / 60 % 60, i % 60});
       }},
      {"show it in the time label", [&](int i) { window.SetTimeText(TimeText(i)); }},
      {"show it in a static label", [&](int i) { SetWindowTextW(plain, win32::Widen(TimeText(i)).c_str()); }},
  };
  std::printf("CPU after %lu ms idle, %d rounds each    median     mean (a minute at one a second)\n", kIdlePause,
              kRounds);
  for (const auto& step : steps) {
    Cost cost = ColdCost(step.run);
    std::printf("  %-34s %7.1f us %7.1f us (%.1f ms)\n", step.name, cost.median, cost.mean, cost.mean * 60 / 1000);
  }
  return 0;
}
