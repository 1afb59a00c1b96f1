#include "base/win_code_page.h"

#include "base/utf16.h"
#include "base/win.h"

namespace win32 {

WinCodePage::WinCodePage() : number_(GetACP()) {}

// Invalid bytes become the code page's default character, as everywhere on Windows.
std::string WinCodePage::ToUtf8(std::string_view ansi) const {
  if (ansi.empty() || number_ == CP_UTF8) return std::string(ansi);
  int n = MultiByteToWideChar(number_, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(number_, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return Narrow(wide);
}

std::optional<std::string> WinCodePage::FromUtf8(std::string_view utf8) const {
  if (utf8.empty() || number_ == CP_UTF8) return std::string(utf8);
  std::wstring wide = Widen(utf8);
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, &lossy);
  if (lossy || n <= 0) return std::nullopt;
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                      nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

}  // namespace win32
