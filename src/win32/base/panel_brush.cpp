#include "base/panel_brush.h"

namespace win32 {

void PanelBrush::Set(const core::PanelColour& colour) {
  colour_ = colour;
  Resolve();
}

LRESULT PanelBrush::Erase(HWND window, HDC dc) const {
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, brush_.get());
  return 1;
}

LRESULT PanelBrush::ControlColour(HDC dc) const {
  SetBkColor(dc, resolved_);
  return reinterpret_cast<LRESULT>(brush_.get());
}

bool PanelBrush::HandleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: result = ControlColour(reinterpret_cast<HDC>(wParam)); return true;
    case WM_ERASEBKGND: result = Erase(window, reinterpret_cast<HDC>(wParam)); return true;
    case WM_SYSCOLORCHANGE:
      Resolve();
      InvalidateRect(window, nullptr, TRUE);
      return false;  // the controls hear of it too
    default: return false;
  }
}

void PanelBrush::Paint(HWND window, const core::PanelColour& colour) {
  Set(colour);
  InvalidateRect(window, nullptr, TRUE);
}

void PanelBrush::Resolve() {
  using Kind = core::PanelColour::Kind;
  switch (colour_.kind) {
    case Kind::kButtonFace: resolved_ = GetSysColor(COLOR_BTNFACE); break;
    case Kind::kDesktop: resolved_ = GetSysColor(COLOR_DESKTOP); break;
    case Kind::kFixed: resolved_ = RGB(colour_.rgb.red, colour_.rgb.green, colour_.rgb.blue); break;
  }
  brush_.reset(CreateSolidBrush(resolved_));
}

}  // namespace win32
