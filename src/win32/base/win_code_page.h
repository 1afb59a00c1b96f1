#pragma once

#include "storage/text_codec.h"

namespace win32 {

// The system's ANSI code page through the Windows conversion functions.
class WinCodePage final : public core::CodePage {
 public:
  WinCodePage();  // the system's code page (GetACP)
  explicit WinCodePage(unsigned number) : number_(number) {}
  std::string ToUtf8(std::string_view ansi) const override;
  std::optional<std::string> FromUtf8(std::string_view utf8) const override;

 private:
  unsigned number_;
};

}  // namespace win32
