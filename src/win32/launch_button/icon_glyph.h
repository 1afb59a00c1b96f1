#pragma once

#include "base/handles.h"

#include <commctrl.h>

#include "launch_button/launch_button.h"

namespace win32 {

// A button glyph: a square bitmap whose pixels of the colour `transparent` are not drawn.
struct Glyph {
  UniqueHbitmap bitmap;
  COLORREF transparent = 0;
  int size = 0;
};

// Draws one icon of a file into a new glyph of 16 (small) or 32 pixels at 96 DPI,
// scaled for `dpi` from the icon's own best size. The square is filled with the
// button-face colour first; its bottom-left pixel's red is then moved by one and that
// colour becomes the transparent one. No icon (no file, no icon in it, a bad index)
// leaves a plain square. A dimmed glyph (its program is missing) is greyed, and shows
// the icon of the file's type where the file gives none.
Glyph DrawIconGlyph(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed = false);

// The glyph of what only the shell starts (an address, a shell name), from the icon
// the system gives it, or a globe of the program's own when it gives none.
Glyph DrawTargetGlyph(HICON icon, bool small, UINT dpi, bool dimmed = false);

// A glyph with its top-left corner at x, y, its transparent colour left out.
void DrawGlyphAt(HDC dc, int x, int y, const Glyph& glyph);

// The custom drawing of a push button that shows a glyph centred on its face, moved
// down and right by a pixel while pressed; a null glyph leaves the face plain.
LRESULT DrawGlyphOnButton(const NMCUSTOMDRAW& draw, const Glyph* glyph);

// The pixel colour of a glyph, for tests.
COLORREF GlyphPixel(const Glyph& glyph, int x, int y);

}  // namespace win32
