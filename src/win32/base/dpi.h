#pragma once

#include "base/handles.h"

namespace win32 {

inline constexpr UINT kDefaultDpi = 96;

// Layouts are given in pixels at 96 DPI and scaled to the window's monitor.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi); }

UINT DpiOf(HWND window);
// The outer size of a window whose client area is width x height at 96 DPI.
SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi);
// A font of `pixels` character height at 96 DPI.
UniqueHfont MakeFont(const wchar_t* face, int pixels, UINT dpi, bool bold, bool underline, BYTE charset);

}  // namespace win32
