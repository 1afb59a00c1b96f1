#include "base/win_running_programs.h"

#include "base/win.h"

#include <dwmapi.h>

#include "base/lazy_library.h"
#include "base/log.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// A window the taskbar shows: visible, not a tool window unless it asks to be shown,
// not owned unless it asks, not hidden by the window manager (a suspended store app).
// A top-level window's own style says whether it is visible: one question to the
// window manager where IsWindowVisible, which looks at the parents too, asks two.
bool StandsForAProgram(HWND window) {
  if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)) return false;
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_APPWINDOW) && ((exStyle & WS_EX_TOOLWINDOW) || GetWindow(window, GW_OWNER))) return false;
  static const auto cloakedOf = Bind<decltype(&DwmGetWindowAttribute)>(Dwmapi(), "DwmGetWindowAttribute");
  DWORD cloaked = 0;
  return !cloakedOf || FAILED(cloakedOf(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) || !cloaked;
}

std::string ProgramOfProcess(HANDLE process) {
  std::wstring path(MAX_PATH * 2, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) return {};
  path.resize(size);
  return Narrow(path);
}

// The windows are listed first and looked at after: what the look allocates or
// fails at does not belong inside the system's enumeration callback. The desktop's
// list is EnumWindows' list; under Wine it comes without a question about each window
// (with message-only windows too, which are hidden).
std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumDesktopWindows(
      nullptr,
      [](HWND window, LPARAM list) noexcept -> BOOL {
        try {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        } catch (...) {
          LogCurrentException("listing the programs' windows");
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace

// A process kept from the last look is asked nothing: the handle held on it keeps
// its id from going to another process, and a process that ended has no windows.
WinRunningPrograms::KnownProcess WinRunningPrograms::Recall(DWORD process) {
  if (auto known = known_.find(process); known != known_.end() && known->second.handle) return std::move(known->second);
  KnownProcess fresh;
  fresh.handle.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (fresh.handle) fresh.program = ProgramOfProcess(fresh.handle.get());
  return fresh;
}

// The list goes from the top of the Z order down: the first window of a program is
// the one it last had active. Processes that show no window now are let go.
std::vector<core::ProgramWindow> WinRunningPrograms::VisibleWindows() {
  const DWORD self = GetCurrentProcessId();
  std::map<DWORD, KnownProcess> seen;
  std::vector<core::ProgramWindow> found;
  for (HWND window : TopLevelWindows()) {
    if (!StandsForAProgram(window)) continue;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == self || process == 0) continue;
    auto it = seen.find(process);
    if (it == seen.end()) it = seen.emplace(process, Recall(process)).first;
    if (!it->second.program.empty()) found.push_back({it->second.program, reinterpret_cast<std::uintptr_t>(window)});
  }
  known_ = std::move(seen);
  return found;
}

// Asynchronous, so that a hung program cannot hold the launcher.
bool WinRunningPrograms::BringToFront(std::uintptr_t handle) {
  HWND window = reinterpret_cast<HWND>(handle);
  if (!IsWindow(window)) return false;
  if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
  SetForegroundWindow(window);
  return true;
}

}  // namespace win32
