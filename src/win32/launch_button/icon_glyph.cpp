#include "launch_button/icon_glyph.h"

#include "base/win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "base/dpi.h"
#include "base/lazy_library.h"
#include "base/shell_path.h"
#include "base/utf16.h"
#include "launch_button/target_icon.h"

namespace win32 {
namespace {

// Which icon the shell gives: the file's own, or that of any file of its type (the
// file itself is not looked at).
enum class ShellLook { kFile, kType };

DWORD_PTR FileInfo(const std::wstring& file, SHFILEINFOW& info, UINT flags, ShellLook look) {
  static const auto getFileInfo = Bind<decltype(&SHGetFileInfoW)>(Shell32(), "SHGetFileInfoW");
  if (!getFileInfo) return 0;
  if (look == ShellLook::kType)
    return getFileInfo(file.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags | SHGFI_USEFILEATTRIBUTES);
  return getFileInfo(file.c_str(), 0, &info, sizeof info, flags);
}

// At 96 DPI the system's small or large icon, else the image of the size asked for.
UniqueHicon ShellIcon(const std::wstring& file, IconSize size, ShellLook look) {
  SHFILEINFOW info{};
  if (!size.IsSystemSize())
    return FileInfo(file, info, SHGFI_SYSICONINDEX, look) ? SystemImage(info.iIcon, size) : UniqueHicon();
  if (!FileInfo(file, info, SHGFI_ICON | (size.small ? SHGFI_SMALLICON : SHGFI_LARGEICON), look)) return {};
  return UniqueHicon(info.hIcon);
}

bool IsInternetShortcut(const std::string& file) {
  return file.size() > 4 && _wcsicmp(Widen(file.substr(file.size() - 4)).c_str(), L".url") == 0;
}

UniqueHicon IconOf(const core::GlyphSource& source, IconSize size) {
  if (source.file.empty()) return {};
  std::wstring file = ShellPath(source.file);
  if (!source.useShellIcon) return ExtractedIcon(file, source.index, size);
  if (IsInternetShortcut(source.file))
    if (UniqueHicon icon = InternetShortcutIcon(source.file, size)) return icon;
  return ShellIcon(file, size, ShellLook::kFile);
}

// The icon of the file's type, for a file that is not there.
UniqueHicon TypeIconOf(const core::GlyphSource& source, IconSize size) {
  if (source.file.empty()) return {};
  return ShellIcon(ShellPath(source.file), size, ShellLook::kType);
}

// Every pixel that is not left out turned grey and halfway to the face colour.
void Grey(HDC screen, HBITMAP bitmap, int size, COLORREF leftOut) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size;
  format.bmiHeader.biHeight = -size;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<size_t>(size) * static_cast<size_t>(size));
  if (!GetDIBits(screen, bitmap, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS)) return;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const int faceRed = GetRValue(face), faceGreen = GetGValue(face), faceBlue = GetBValue(face);
  for (RGBQUAD& p : pixels) {
    if (RGB(p.rgbRed, p.rgbGreen, p.rgbBlue) == leftOut) continue;
    int grey = (p.rgbRed * 30 + p.rgbGreen * 59 + p.rgbBlue * 11) / 100;
    p.rgbRed = static_cast<BYTE>((grey + faceRed) / 2);
    p.rgbGreen = static_cast<BYTE>((grey + faceGreen) / 2);
    p.rgbBlue = static_cast<BYTE>((grey + faceBlue) / 2);
  }
  SetDIBits(screen, bitmap, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS);
}

// A globe: what stands for an address or a shell item that the system gives no icon.
void DrawNeutral(HDC dc, int size) {
  const int inset = size / 8, end = size - inset;
  UniqueHpen pen(CreatePen(PS_SOLID, std::max(1, size / 16), GetSysColor(COLOR_BTNTEXT)));
  SelectedObject selected(dc, pen.get()), hollow(dc, GetStockObject(HOLLOW_BRUSH));
  Ellipse(dc, inset, inset, end, end);
  Ellipse(dc, size * 3 / 8, inset, size - size * 3 / 8, end);
  MoveToEx(dc, inset, size / 2, nullptr);
  LineTo(dc, end, size / 2);
}

COLORREF KeyOf(COLORREF colour) {
  const core::Rgb key = core::TransparentKeyOf({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
  return RGB(key.red, key.green, key.blue);
}

// The icon or the globe on the transparent colour, then the greying. A themed button's
// face is not the button-face colour, and changes under the pointer: so all around the
// icon the button's own face shows. The transparent colour is the face's with its red
// moved by one, as the rule for the bottom-left pixel makes it, and that pixel is left
// out whatever the icon draws there.
Glyph PaintGlyph(HICON icon, bool neutral, bool small, UINT dpi, bool dimmed) {
  Glyph glyph;
  glyph.size = IconSize{small, dpi}.Pixels();
  glyph.transparent = KeyOf(GetSysColor(COLOR_BTNFACE));

  WindowDc screen(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  HDC dc = memory.get();
  glyph.bitmap.reset(CreateCompatibleBitmap(screen.get(), glyph.size, glyph.size));
  {
    SelectedObject bitmap(dc, glyph.bitmap.get());
    RECT all{0, 0, glyph.size, glyph.size};
    UniqueHbrush key(CreateSolidBrush(glyph.transparent));
    FillRect(dc, &all, key.get());
    if (icon) DrawIconEx(dc, 0, 0, icon, glyph.size, glyph.size, 0, nullptr, DI_NORMAL);
    if (!icon && neutral) DrawNeutral(dc, glyph.size);
    SetPixel(dc, 0, glyph.size - 1, glyph.transparent);
  }
  if (dimmed) Grey(screen.get(), glyph.bitmap.get(), glyph.size, glyph.transparent);
  return glyph;
}

}  // namespace

Glyph DrawIconGlyph(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed) {
  const IconSize size{small, dpi};
  UniqueHicon icon = IconOf(source, size);
  if (!icon && dimmed) icon = TypeIconOf(source, size);
  return PaintGlyph(icon.get(), false, small, dpi, dimmed);
}

Glyph DrawTargetGlyph(HICON icon, bool small, UINT dpi, bool dimmed) {
  return PaintGlyph(icon, true, small, dpi, dimmed);
}

void DrawGlyphAt(HDC dc, int x, int y, const Glyph& glyph) {
  UniqueMemoryDc source(CreateCompatibleDC(dc));
  SelectedObject bitmap(source.get(), glyph.bitmap.get());
  GdiTransparentBlt(dc, x, y, glyph.size, glyph.size, source.get(), 0, 0, glyph.size, glyph.size, glyph.transparent);
}

LRESULT DrawGlyphOnButton(const NMCUSTOMDRAW& draw, const Glyph* glyph) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
  if (draw.dwDrawStage != CDDS_POSTPAINT || !glyph) return CDRF_DODEFAULT;
  RECT r;
  GetClientRect(draw.hdr.hwndFrom, &r);
  int shift = (draw.uItemState & CDIS_SELECTED) ? 1 : 0;
  DrawGlyphAt(draw.hdc, (r.right - glyph->size) / 2 + shift, (r.bottom - glyph->size) / 2 + shift, *glyph);
  return CDRF_DODEFAULT;
}

COLORREF GlyphPixel(const Glyph& glyph, int x, int y) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectedObject bitmap(dc.get(), glyph.bitmap.get());
  return GetPixel(dc.get(), x, y);
}

}  // namespace win32
