#include "base/tooltips.h"

#include "base/win.h"

#include <commctrl.h>

#include <map>

#include "base/utf16.h"
#include "base/window.h"

namespace win32 {
namespace {

// The tooltip control of each window that has hints.
std::map<HWND, HWND>& HintsOfWindows() {
  static std::map<HWND, HWND> hints;
  return hints;
}

TTTOOLINFOW ToolFor(HWND owner, HWND tool) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  return info;
}

}  // namespace

void Tooltips::Create(HWND owner) {
  owner_ = owner;
  tips_.reset(Created(
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr),
      "creating the hints"));
  SendMessageW(tips_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
  HintsOfWindows()[owner] = tips_.get();
}

Tooltips::~Tooltips() {
  if (owner_) HintsOfWindows().erase(owner_);
}

void RelayToHints(const MSG& message) {
  if (message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
  auto& hints = HintsOfWindows();
  if (hints.empty()) return;
  auto found = hints.find(GetAncestor(message.hwnd, GA_ROOT));
  if (found == hints.end()) return;
  MSG relayed = message;
  SendMessageW(found->second, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void Tooltips::Add(HWND tool, const std::string& text) {
  std::wstring wide = Widen(text);
  TTTOOLINFOW info = ToolFor(owner_, tool);
  info.lpszText = wide.data();
  SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Tooltips::SetText(HWND tool, const std::string& text) {
  std::wstring wide = Widen(text);
  TTTOOLINFOW info = ToolFor(owner_, tool);
  info.lpszText = wide.data();
  SendMessageW(tips_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::string Tooltips::Text(HWND tool) const {
  wchar_t buffer[1024] = L"";
  TTTOOLINFOW info = ToolFor(owner_, tool);
  info.lpszText = buffer;
  SendMessageW(tips_.get(), TTM_GETTEXTW, static_cast<WPARAM>(std::size(buffer)), reinterpret_cast<LPARAM>(&info));
  return Narrow(buffer);
}

}  // namespace win32
