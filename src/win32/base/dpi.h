#pragma once

#include <functional>

#include "base/handles.h"

namespace win32 {

inline constexpr UINT kDefaultDpi = 96;

// Layouts are given in pixels at 96 DPI and scaled to the window's monitor.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi); }

UINT DpiOf(HWND window);
// Tests stand in for a monitor of another DPI: a window that `source` gives a DPI
// (not 0) is on a monitor of that DPI. Unset, the system answers.
void SetDpiSource(std::function<UINT(HWND)> source);
// The outer size of a window whose client area is width x height at 96 DPI.
SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi);
// Sizes a window so that its client area is width x height at 96 DPI, scaled to `dpi`,
// whatever its frame and menu bar take (a menu bar that wraps takes more); its
// top-left corner stays. With `outerWidth`, the width is the whole window's.
void FitFrameToClient(HWND window, int width, int height, UINT dpi, bool outerWidth = false);
// A font of `pixels` character height at 96 DPI.
UniqueHfont MakeFont(const wchar_t* face, int pixels, UINT dpi, bool bold, bool underline, BYTE charset);

}  // namespace win32
