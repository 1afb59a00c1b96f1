#include "launch/app_window.h"

#include "base/utf16.h"
#include "launch/launcher_texts.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiApplication";

}  // namespace

AppWindow::AppWindow() {
  RegisterOnce(kClassName, 0, nullptr, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
  CreateFor(0, kClassName, Widen(core::texts::kApplicationTitle), WS_POPUP, RECT{0, 0, 0, 0}, nullptr, nullptr);
}

void AppWindow::HideFromTaskbar() {
  LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
}

// A second start sends SC_RESTORE: a minimised launcher comes back; a visible one is
// brought to the front; a launcher that a display mode hid stays hidden.
LRESULT AppWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
    if (main_ && IsIconic(main_)) ShowWindow(main_, SW_RESTORE);
    if (main_ && IsWindowVisible(main_)) SetForegroundWindow(main_);
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
