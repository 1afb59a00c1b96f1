#include "base/modal.h"

#include "base/tooltips.h"
#include "base/utf16.h"

namespace win32 {

void RunModal(HWND dialog, HWND owner, const bool& closed) {
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  MSG message;
  while (!closed) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
      break;
    }
    RelayToHints(message);
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner is enabled before the dialog goes, so that it gets the activation back.
  if (owner) EnableWindow(owner, TRUE);
  ShowWindow(dialog, SW_HIDE);
  if (owner && IsWindowVisible(owner)) SetActiveWindow(owner);
}

void CentreOnMonitor(HWND window, HWND reference) {
  RECT r;
  GetWindowRect(window, &r);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(reference ? reference : window, MONITOR_DEFAULTTOPRIMARY), &mi);
  int x = (mi.rcMonitor.left + mi.rcMonitor.right - (r.right - r.left)) / 2;
  int y = (mi.rcMonitor.top + mi.rcMonitor.bottom - (r.bottom - r.top)) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace win32
