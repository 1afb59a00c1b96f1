#include "storage/text_codec.h"

#include <algorithm>

namespace core {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string DecodeText(std::string_view bytes, const CodePage& codePage) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return std::string(bytes.substr(kUtf8Bom.size()));
  if (IsAscii(bytes)) return std::string(bytes);
  return codePage.ToUtf8(bytes);
}

std::string EncodeText(std::string_view utf8, const CodePage& codePage) {
  if (IsAscii(utf8)) return std::string(utf8);
  if (auto ansi = codePage.FromUtf8(utf8)) return *ansi;
  std::string withBom(kUtf8Bom);
  withBom += utf8;
  return withBom;
}

}  // namespace core
