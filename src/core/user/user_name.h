#pragma once

#include <string_view>

namespace core {

// A user name becomes the start of page file names in DATA. It is safe when every
// such name stays a plain file in DATA: no separator or other character that file
// names cannot hold, no control character, no "..", no reserved device name (CON,
// NUL, COM1, COM¹, ...), no trailing dot or space. The empty name is safe ("1.dat").
bool IsSafeUserName(std::string_view name);

}  // namespace core
