#pragma once

#include "base/win.h"

namespace win32 {

// The class of a plain panel: a coloured area with a lowered one-pixel bevel that
// holds other controls and passes their notifications on to its parent.
inline constexpr wchar_t kPanelClass[] = L"ZubiPanel";
void RegisterPanelClass();
// The panel's colour (a COLORREF) is kept in its window data.
void SetPanelColour(HWND panel, COLORREF colour);

}  // namespace win32
