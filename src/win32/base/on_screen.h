#pragma once

#include <vector>

#include "base/win.h"
#include "geometry.h"

namespace win32 {

// The work areas of all monitors, and the primary monitor's.
std::vector<core::ScreenRect> WorkAreas();
core::ScreenRect PrimaryWorkArea();

// Moves `window` (its size kept) so that its top-left corner is at `position`, unless
// the window would be lost off every monitor there: then it goes to the nearest place
// inside the primary monitor's work area.
void MoveOnScreen(HWND window, core::ScreenPoint position);

}  // namespace win32
