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

constexpr int kSmallSize = 16;
constexpr int kLargeSize = 32;

// IID_IImageList: the system image lists are handed out as this interface, which is
// the same object as an HIMAGELIST.
constexpr GUID kImageListInterface = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

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

UniqueHicon ShellIcon(const std::wstring& file, bool small, ShellLook look) {
  SHFILEINFOW info{};
  if (!FileInfo(file, info, SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON), look)) return {};
  return UniqueHicon(info.hIcon);
}

// The shell's icon from the smallest system image list that is at least `size` big,
// so that it is only ever scaled down.
UniqueHicon ShellIconOfSize(const std::wstring& file, int size, ShellLook look) {
  static const auto getImageList = Bind<decltype(&SHGetImageList)>(Shell32(), "SHGetImageList");
  SHFILEINFOW info{};
  if (!getImageList || !FileInfo(file, info, SHGFI_SYSICONINDEX, look)) return {};
  HIMAGELIST best = nullptr;
  for (int list : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
    void* images = nullptr;
    if (FAILED(getImageList(list, kImageListInterface, &images)) || !images) continue;
    best = static_cast<HIMAGELIST>(images);
    int cx = 0, cy = 0;
    if (ImageList_GetIconSize(best, &cx, &cy) && cx >= size) break;
  }
  return best ? UniqueHicon(ImageList_GetIcon(best, info.iIcon, ILD_NORMAL)) : UniqueHicon();
}

// Icon `index` of the file; at 96 DPI the file's own 16 or 32 pixel image.
UniqueHicon ExtractedIcon(const std::wstring& file, int index, bool small, int size, UINT dpi) {
  if (dpi == kDefaultDpi) return win32::ExtractedIcon(file, index, small);
  HICON icon = nullptr;
  UINT count = PrivateExtractIconsW(file.c_str(), index, size, size, &icon, nullptr, 1, 0);
  UniqueHicon keep(icon);
  if (count != 1) return {};
  return keep;
}

bool IsInternetShortcut(const std::string& file) {
  return file.size() > 4 && _wcsicmp(Widen(file.substr(file.size() - 4)).c_str(), L".url") == 0;
}

UniqueHicon IconOf(const core::GlyphSource& source, bool small, int size, UINT dpi) {
  if (source.file.empty()) return {};
  std::wstring file = ShellPath(source.file);
  if (!source.useShellIcon) return ExtractedIcon(file, source.index, small, size, dpi);
  if (IsInternetShortcut(source.file))
    if (UniqueHicon icon = InternetShortcutIcon(source.file, small)) return icon;
  return dpi == kDefaultDpi ? ShellIcon(file, small, ShellLook::kFile) : ShellIconOfSize(file, size, ShellLook::kFile);
}

// The icon of the file's type, for a file that is not there.
UniqueHicon TypeIconOf(const core::GlyphSource& source, bool small, int size, UINT dpi) {
  if (source.file.empty()) return {};
  std::wstring file = ShellPath(source.file);
  return dpi == kDefaultDpi ? ShellIcon(file, small, ShellLook::kType) : ShellIconOfSize(file, size, ShellLook::kType);
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
  glyph.size = Scale(small ? kSmallSize : kLargeSize, dpi);
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
  const int size = Scale(small ? kSmallSize : kLargeSize, dpi);
  UniqueHicon icon = IconOf(source, small, size, dpi);
  if (!icon && dimmed) icon = TypeIconOf(source, small, size, dpi);
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
