#include "base/monitor_dpi.h"

namespace win32 {

void MonitorDpi::Start(HWND window, UINT dpi, LayOut layOut) {
  window_ = window;
  dpi_ = dpi;
  layOut_ = std::move(layOut);
}

void MonitorDpi::Place(const std::function<void()>& place) {
  const UINT before = dpi_;
  place();
  if (const UINT now = DpiOf(window_); now != dpi_) Apply(now);
  if (dpi_ != before) place();
}

bool MonitorDpi::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DPICHANGED) return false;
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Apply(LOWORD(wParam));
  return true;
}

void MonitorDpi::Apply(UINT dpi) {
  dpi_ = dpi;
  if (layOut_) layOut_(dpi);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace win32
