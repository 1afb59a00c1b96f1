#include "base/panel_brush.h"

#include "base/contrast.h"

namespace win32 {
namespace {

COLORREF ColourOf(const core::PanelColour& colour) {
  using Kind = core::PanelColour::Kind;
  if (HighContrast()) return GetSysColor(COLOR_BTNFACE);
  switch (colour.kind) {
    case Kind::kButtonFace: return GetSysColor(COLOR_BTNFACE);
    case Kind::kDesktop: return GetSysColor(COLOR_DESKTOP);
    case Kind::kFixed: break;
  }
  return RGB(colour.rgb.red, colour.rgb.green, colour.rgb.blue);
}

}  // namespace

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
  if (HighContrast()) SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, resolved_);
  return reinterpret_cast<LRESULT>(brush_.get());
}

bool PanelBrush::HandleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: result = ControlColour(reinterpret_cast<HDC>(wParam)); return true;
    case WM_ERASEBKGND: result = Erase(window, reinterpret_cast<HDC>(wParam)); return true;
    default:
      if (!RereadHighContrast(message, wParam)) return false;
      Resolve();
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return false;  // the window and its controls may want to hear of it too
  }
}

void PanelBrush::Paint(HWND window, const core::PanelColour& colour) {
  Set(colour);
  InvalidateRect(window, nullptr, TRUE);
}

void PanelBrush::Resolve() {
  resolved_ = ColourOf(colour_);
  brush_.reset(CreateSolidBrush(resolved_));
}

}  // namespace win32
