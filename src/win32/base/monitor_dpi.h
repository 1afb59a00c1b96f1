#pragma once

#include <functional>

#include "base/dpi.h"

namespace win32 {

// The DPI a window is laid out for, following the monitor it shows on. The window
// gives the step that lays it out for a DPI: its frame, fonts and controls.
class MonitorDpi {
 public:
  using LayOut = std::function<void(UINT dpi)>;

  // `window`, laid out for `dpi`, follows its monitor from now on.
  void Start(HWND window, UINT dpi, LayOut layOut);
  UINT Get() const { return dpi_; }
  // Runs `place`, which places the window by its present size. Where the window then
  // stands on a monitor of another DPI, it is laid out for that one and placed again
  // at its new size: the system tells a hidden window nothing when it lands there.
  void Place(const std::function<void()>& place);
  // WM_DPICHANGED, when the shown window was moved onto a monitor of another DPI: it
  // takes the place the system suggests and is laid out again. True when handled.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Apply(UINT dpi);

  HWND window_ = nullptr;
  UINT dpi_ = kDefaultDpi;
  LayOut layOut_;
};

}  // namespace win32
