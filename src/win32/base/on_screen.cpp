#include "base/on_screen.h"

namespace win32 {
namespace {

core::ScreenRect ScreenRectOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<core::ScreenRect>*>(list)->push_back(ScreenRectOf(info.rcWork));
  return TRUE;
}

}  // namespace

std::vector<core::ScreenRect> WorkAreas() {
  std::vector<core::ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

core::ScreenRect PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return ScreenRectOf(info.rcWork);
}

void MoveOnScreen(HWND window, core::ScreenPoint position) {
  RECT now{};
  if (!GetWindowRect(window, &now)) return;
  core::ScreenRect there{position.x, position.y, position.x + (now.right - now.left),
                         position.y + (now.bottom - now.top)};
  core::ScreenPoint target = core::KeepOnScreen(there, WorkAreas(), PrimaryWorkArea());
  SetWindowPos(window, nullptr, target.x, target.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
