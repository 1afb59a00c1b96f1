#pragma once

#include "base/handles.h"
#include "option/panel_colours.h"

namespace win32 {

// A window's background in its panel colour; the two system colours are looked up
// again when the system's colours change.
class PanelBrush {
 public:
  PanelBrush() { Resolve(); }
  void Set(const core::PanelColour& colour);
  void SystemColoursChanged() { Resolve(); }
  COLORREF Colour() const { return resolved_; }
  HBRUSH Brush() const { return brush_.get(); }
  // WM_ERASEBKGND: the whole client area of the window in the colour.
  LRESULT Erase(HWND window, HDC dc) const;
  // WM_CTLCOLOR*: a control that takes its parent's colour.
  LRESULT ControlColour(HDC dc) const;

 private:
  void Resolve();

  core::PanelColour colour_;
  COLORREF resolved_ = 0;
  UniqueHbrush brush_;
};

}  // namespace win32
