#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzzing {

// Shows bytes with everything outside printable ASCII escaped, for the report.
inline std::string Escaped(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

// A broken property: says which and aborts, so that libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* property, std::string_view detail) {
  std::fprintf(stderr, "\nBROKEN: %s\n  %s\n", property, Escaped(detail).c_str());
  std::abort();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzzing

// Checks a property of the program; `detail` names the values involved.
#define FUZZ_CHECK(condition, detail)                          \
  do {                                                         \
    if (!(condition)) ::fuzzing::Broken(#condition, (detail)); \
  } while (false)
