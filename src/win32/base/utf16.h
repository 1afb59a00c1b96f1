#pragma once

#include <string>
#include <string_view>

namespace win32 {

// UTF-8 inside the program, UTF-16 at each Windows call.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace win32
