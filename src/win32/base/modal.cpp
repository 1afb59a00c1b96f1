#include "base/modal.h"

#include "base/tooltips.h"

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

}  // namespace win32
