#pragma once

#include "base/win.h"

#include <optional>

#include "base/handles.h"

namespace win32 {

// The system's high-contrast mode, as last read. While it is on, the fixed colours of
// the layouts give way to the system's, so that a user who needs that theme reads
// every window in it; the stored colours stay as they are and come back when it ends.
bool HighContrast();
// Reads the mode again after a message that may have changed it (WM_SYSCOLORCHANGE,
// WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST), and says whether it was one: the window
// then paints itself again. Each window that hears one asks, in whatever order.
bool RereadHighContrast(UINT message, WPARAM wParam);
// Wine always reports the mode off: a test says what the program is to see instead.
void OverrideHighContrast(std::optional<bool> on);

// A fixed background and text colour from a layout, and the system's pair that stands
// for them in high contrast: a label's (button face) or an entry's (window).
class FixedColours {
 public:
  enum class Role { kLabel, kEntry };
  FixedColours(COLORREF back, COLORREF text, Role role);
  // WM_CTLCOLOR*: the pair set on the control's DC; the brush of the background.
  LRESULT Apply(HDC dc) const;

 private:
  COLORREF back_, text_;
  Role role_;
  UniqueHbrush brush_;
};

}  // namespace win32
