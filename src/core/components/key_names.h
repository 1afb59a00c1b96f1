#pragma once

#include <array>
#include <string_view>

namespace core {

// Names of the virtual-key codes 0..255 used in the hot key's text form; a code
// without a name has the empty name.
using KeyNameTable = std::array<std::string_view, 256>;
const KeyNameTable& KeyNames();

// Compares ASCII letters without regard to case; other bytes must match exactly.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace core
