#pragma once

#include <string>

#include "base/win.h"

namespace win32 {

// The class of the launcher's date and time labels. They look and answer like static
// text labels (SS_RIGHT or SS_LEFTNOWORDWRAP, SS_NOPREFIX, colours from the parent's
// WM_CTLCOLORSTATIC), but keep a DC of their own with their font selected: the time
// changes every second while the launcher idles, and a shared DC would select the
// font anew for each paint and each measure.
inline constexpr wchar_t kClockLabelClass[] = L"ZubiClockLabel";
void RegisterClockLabelClass();

// The size of `text` in the label's font: its width, and the font's line height.
SIZE ClockLabelTextSize(HWND label, const std::wstring& text);

}  // namespace win32
