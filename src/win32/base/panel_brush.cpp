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
