#include "base/win_running_programs.h"

#include "base/win.h"

#include <dwmapi.h>

#include <map>

#include "base/handles.h"
#include "base/lazy_library.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// A window the taskbar shows: visible, not a tool window unless it asks to be shown,
// not owned unless it asks, not hidden by the window manager (a suspended store app).
bool StandsForAProgram(HWND window) {
  if (!IsWindowVisible(window)) return false;
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_APPWINDOW) && ((exStyle & WS_EX_TOOLWINDOW) || GetWindow(window, GW_OWNER))) return false;
  static const auto cloakedOf = Bind<decltype(&DwmGetWindowAttribute)>(Dwmapi(), "DwmGetWindowAttribute");
  DWORD cloaked = 0;
  return !cloakedOf || FAILED(cloakedOf(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) || !cloaked;
}

std::string ProgramOfProcess(DWORD process) {
  UniqueKernel handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!handle) return {};
  std::wstring path(MAX_PATH * 2, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(handle.get(), 0, path.data(), &size)) return {};
  path.resize(size);
  return Narrow(path);
}

struct Enumeration {
  DWORD self = GetCurrentProcessId();
  std::map<DWORD, std::string> programs;  // each process asked once
  std::vector<core::ProgramWindow> found;
};

BOOL CALLBACK AddWindow(HWND window, LPARAM data) noexcept {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  if (!StandsForAProgram(window)) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == enumeration.self) return TRUE;
  auto known = enumeration.programs.find(process);
  if (known == enumeration.programs.end())
    known = enumeration.programs.emplace(process, ProgramOfProcess(process)).first;
  if (!known->second.empty()) enumeration.found.push_back({known->second, reinterpret_cast<std::uintptr_t>(window)});
  return TRUE;
}

}  // namespace

// EnumWindows goes from the top of the Z order down: the first window of a program is
// the one it last had active.
std::vector<core::ProgramWindow> WinRunningPrograms::VisibleWindows() {
  Enumeration enumeration;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&enumeration));
  return std::move(enumeration.found);
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
