#include "base/panel.h"

#include "base/window.h"

namespace win32 {
namespace {

LRESULT CALLBACK PanelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND: {
      // In the colour its parent gives it, as a label's.
      RECT r;
      GetClientRect(hwnd, &r);
      auto brush = reinterpret_cast<HBRUSH>(
          SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd)));
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      DrawEdge(reinterpret_cast<HDC>(wParam), &r, BDR_SUNKENOUTER, BF_RECT);
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CONTEXTMENU: return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterPanelClass() {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kPanelClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PanelProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClass;
  RegisterWindowClass(wc);
}

}  // namespace win32
