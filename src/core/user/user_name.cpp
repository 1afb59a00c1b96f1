#include "user/user_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace core {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// The superscript digits one, two and three (UTF-8), which Windows also takes as the
// number of a COM or LPT port.
bool IsSuperscriptDigit(std::string_view text) {
  return text == "\xC2\xB9" || text == "\xC2\xB2" || text == "\xC2\xB3";
}

// Windows takes these names as devices whatever follows after a dot, and a page file
// adds a number to the name ("CON" + "1" is harmless, "COM" + "1" is not): so a name
// is refused when it, or it with a page number after it, is a device.
bool NamesDevice(std::string_view name) {
  std::string upper = Upper(name.substr(0, name.find('.')));
  while (!upper.empty() && upper.back() == ' ') upper.pop_back();
  static const std::array<const char*, 6> plain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (std::find(plain.begin(), plain.end(), upper) != plain.end()) return true;
  for (const char* numbered : {"COM", "LPT"}) {
    std::string_view prefix = numbered;
    if (upper.starts_with(prefix)) {
      std::string_view rest = std::string_view(upper).substr(3);
      if (rest.empty() || IsSuperscriptDigit(rest) ||
          std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return true;
    }
  }
  return false;
}

}  // namespace

bool IsSafeUserName(std::string_view name) {
  if (name.empty()) return true;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7f) return false;
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  if (name.find("..") != std::string_view::npos) return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  return !NamesDevice(name);
}

}  // namespace core
