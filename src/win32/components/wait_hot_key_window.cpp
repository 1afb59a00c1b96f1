#include "components/wait_hot_key_window.h"

#include "base/utf16.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiWaitHotKey";

}  // namespace

HotKeyWindow::HotKeyWindow() {
  RegisterOnce(kClassName, 0, nullptr);
  // A top-level window that is never shown: hot key messages reach it whatever has
  // the focus.
  CreateFor(0, kClassName, L"", WS_POPUP, RECT{0, 0, 0, 0}, nullptr, nullptr);
}

std::string HotKeyWindow::WindowHandleText() const {
  return std::to_string(reinterpret_cast<std::uintptr_t>(Handle()));
}

std::uint16_t HotKeyWindow::FindGlobalAtom(const std::string& name) { return GlobalFindAtomW(Widen(name).c_str()); }

std::uint16_t HotKeyWindow::AddGlobalAtom(const std::string& name) { return GlobalAddAtomW(Widen(name).c_str()); }

void HotKeyWindow::DeleteGlobalAtom(std::uint16_t atom) {
  if (atom) ::GlobalDeleteAtom(atom);
}

bool HotKeyWindow::Register(std::uint16_t id, unsigned modifiers, int keyCode) {
  static_assert(core::kModAlt == MOD_ALT && core::kModControl == MOD_CONTROL && core::kModShift == MOD_SHIFT &&
                core::kModWin == MOD_WIN);
  return ::RegisterHotKey(Handle(), id, modifiers, static_cast<UINT>(keyCode)) != FALSE;
}

void HotKeyWindow::Unregister(std::uint16_t id) { ::UnregisterHotKey(Handle(), id); }

LRESULT HotKeyWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(core::kWmHotKey == WM_HOTKEY);
  if (component_ && component_->HotKeyWindowProc(message)) return 0;
  return Default(message, wParam, lParam);
}

HotKeyComponent::HotKeyComponent(core::Prompter& prompter)
    : component_(std::make_unique<core::TWaitHotKey>(window_, prompter)) {
  window_.Serve(component_.get());
}

HotKeyComponent::~HotKeyComponent() {
  window_.Serve(nullptr);
  component_.reset();
}

}  // namespace win32
