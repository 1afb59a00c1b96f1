#include "base/dpi.h"

namespace win32 {
namespace {

// The per-monitor functions exist from Windows 10 1607 on; older systems get the
// system DPI.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

std::function<UINT(HWND)>& DpiSource() {
  static std::function<UINT(HWND)> source;
  return source;
}

}  // namespace

void SetDpiSource(std::function<UINT(HWND)> source) { DpiSource() = std::move(source); }

UINT DpiOf(HWND window) {
  if (DpiSource() && window)
    if (UINT dpi = DpiSource()(window)) return dpi;
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (UINT dpi = getDpiForWindow(window)) return dpi;
  }
  WindowDc dc(nullptr);
  return static_cast<UINT>(GetDeviceCaps(dc.get(), LOGPIXELSX));
}

SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, Scale(width, dpi), Scale(height, dpi)};
  if (adjustForDpi)
    adjustForDpi(&r, style, hasMenu, exStyle, dpi);
  else
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

void FitFrameToClient(HWND window, int width, int height, UINT dpi, bool outerWidth) {
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  const int outerWide = outer.right - outer.left;
  const int wide = outerWidth ? Scale(width, dpi) : outerWide + Scale(width, dpi) - client.right;
  const int high = outer.bottom - outer.top + Scale(height, dpi) - client.bottom;
  if (wide != outerWide || high != outer.bottom - outer.top)
    SetWindowPos(window, nullptr, 0, 0, wide, high, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UniqueHfont MakeFont(const wchar_t* face, int pixels, UINT dpi, bool bold, bool underline, BYTE charset) {
  LOGFONTW lf{};
  lf.lfHeight = -Scale(pixels, dpi);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline;
  lf.lfCharSet = charset;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return UniqueHfont(CreateFontIndirectW(&lf));
}

}  // namespace win32
