#pragma once

#include "base/win.h"

namespace win32 {

// The class of a plain panel: an area with a lowered one-pixel bevel, in the colour its
// parent answers WM_CTLCOLORSTATIC with, that holds other controls and passes their
// notifications on to its parent.
inline constexpr wchar_t kPanelClass[] = L"ZubiPanel";
void RegisterPanelClass();

}  // namespace win32
