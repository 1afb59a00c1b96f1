#include "launch/button_keys_window.h"

#include <string>

#include "base/log.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiButtonKeys";

}  // namespace

ButtonKeysWindow::ButtonKeysWindow() {
  RegisterOnce(kClassName, 0, nullptr);
  // Top-level and never shown: the presses reach it whatever has the focus.
  CreateFor(0, kClassName, L"", WS_POPUP, RECT{0, 0, 0, 0}, nullptr, nullptr);
}

// A key held down sends one press: a held key starts its program once.
bool ButtonKeysWindow::Register(int id, unsigned modifiers, int code) {
  if (::RegisterHotKey(Handle(), id, modifiers | MOD_NOREPEAT, static_cast<UINT>(code))) return true;
  LogLastError("registering a button's key " + std::to_string(modifiers) + "+" + std::to_string(code) + " (" +
               std::to_string(id) + ")");
  return false;
}

void ButtonKeysWindow::Unregister(int id) { ::UnregisterHotKey(Handle(), id); }

LRESULT ButtonKeysWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY && launcher_) {
    launcher_->HotKeyPressed(static_cast<int>(wParam));
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
