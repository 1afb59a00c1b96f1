#include "base/panel.h"

#include "base/handles.h"
#include "base/window.h"

namespace win32 {
namespace {

LRESULT CALLBACK PanelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      UniqueHbrush brush(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))));
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush.get());
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

void SetPanelColour(HWND panel, COLORREF colour) {
  SetWindowLongPtrW(panel, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  InvalidateRect(panel, nullptr, TRUE);
}

}  // namespace win32
