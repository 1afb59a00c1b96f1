// The text codec of the settings and page files, in code page 932, against any bytes
// read from a file and any text the program may write:
// - reading never fails, and a file without the UTF-8 mark reads as valid UTF-8;
// - what the program writes reads back as the same text, so nothing is lost;
// - a file in the code page is written back in the code page, without the mark;
// - the bytes written are stable: reading and writing them again gives them again.
#include <string>

#include "fuzz_check.h"
#include "storage/text_codec.h"
#include "support.h"

namespace {

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length;
    char32_t code;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) return false;
      code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const core::CodePage& codePage = testing_support::Cp932();
  const std::string_view bytes = fuzzing::AsText(data, size);
  const bool marked = bytes.starts_with(core::kUtf8Bom);

  // The bytes as a file that is read and written back.
  const std::string text = core::DecodeText(bytes, codePage);
  if (!marked) FUZZ_CHECK(IsValidUtf8(text), text);
  const std::string written = core::EncodeText(text, codePage);
  FUZZ_CHECK(core::DecodeText(written, codePage) == text, text + " was written as " + written);
  FUZZ_CHECK(core::EncodeText(core::DecodeText(written, codePage), codePage) == written, written);
  // Only bytes that are no character of the code page (read as U+FFFD) take a file out of it.
  if (!marked && text.find(kReplacement) == std::string::npos)
    FUZZ_CHECK(!written.starts_with(core::kUtf8Bom), std::string(bytes) + " left the code page as " + written);

  // The bytes as text the program writes (a path, a title, a user name).
  const std::string stored = core::EncodeText(bytes, codePage);
  FUZZ_CHECK(core::DecodeText(stored, codePage) == bytes, std::string(bytes) + " was stored as " + stored);
  if (!stored.starts_with(core::kUtf8Bom)) FUZZ_CHECK(IsValidUtf8(bytes), stored);
  return 0;
}
