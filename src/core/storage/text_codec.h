#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The system's ANSI code page (932 on Japanese Windows) to and from UTF-8.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Bytes that are not valid in the code page become a replacement character.
  virtual std::string ToUtf8(std::string_view ansi) const = 0;
  // Nothing when some character has no representation in the code page.
  virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Text files are in the code page; a file that starts with the UTF-8 byte-order mark
// is UTF-8. Text the code page cannot hold is written as UTF-8 with the mark, so that
// nothing is lost; everything else stays in the code page, byte for byte.
std::string DecodeText(std::string_view bytes, const CodePage& codePage);
std::string EncodeText(std::string_view utf8, const CodePage& codePage);

bool IsAscii(std::string_view text);

}  // namespace core
