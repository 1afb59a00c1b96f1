#pragma once

#include "base/dpi.h"
#include "base/handles.h"

namespace win32 {

// The fixed colours that the windows' layouts give their controls.
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kAqua = RGB(0, 255, 255);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kFuchsia = RGB(255, 0, 255);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// The font of every window of the program, "ＭＳ Ｐゴシック", `pixels` high at 96 DPI.
inline UniqueHfont ProgramFont(int pixels, UINT dpi, bool bold = false, bool underline = false) {
  return MakeFont(L"ＭＳ Ｐゴシック", pixels, dpi, bold, underline, SHIFTJIS_CHARSET);
}

}  // namespace win32
