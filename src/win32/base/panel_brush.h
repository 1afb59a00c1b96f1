#pragma once

#include "base/handles.h"
#include "option/panel_colours.h"

namespace win32 {

// A window's background in its panel colour, or in the button face while high contrast
// is on; the system's colours are looked up again when they or the mode change.
class PanelBrush {
 public:
  PanelBrush() { Resolve(); }
  void Set(const core::PanelColour& colour);
  // WM_ERASEBKGND: the whole client area of the window in the colour.
  LRESULT Erase(HWND window, HDC dc) const;
  // WM_CTLCOLOR*: a control that takes its parent's colour.
  LRESULT ControlColour(HDC dc) const;
  // The messages of a dialog in the panel colour: its background, its buttons and
  // labels, and a change of the system's colours or contrast mode. True when `result` answers it.
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result);
  // A new colour, painted at once.
  void Paint(HWND window, const core::PanelColour& colour);

 private:
  void Resolve();

  core::PanelColour colour_;
  COLORREF resolved_ = 0;
  UniqueHbrush brush_;
};

}  // namespace win32
