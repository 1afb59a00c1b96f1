#pragma once

#include <string>
#include <string_view>

namespace core {

// The code point of UTF-8 text at `i`, which moves past it. A byte that starts no
// valid sequence stands for itself, as a lone low surrogate (0xDC80..0xDCFF), so that
// AppendCodePoint gives it back unchanged.
char32_t NextCodePoint(std::string_view text, size_t& i);
void AppendCodePoint(std::string& out, char32_t c);

}  // namespace core
