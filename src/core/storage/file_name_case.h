#pragma once

#include <string>
#include <string_view>

namespace core {

// The form in which Windows compares file names when it ignores their case: each
// character of the Basic Multilingual Plane upper-cased by its simple mapping (ａ and Ａ,
// é and É, ı and I are one), nothing else changed; ordinal, so no two different forms
// are equal. UTF-8 in and out; bytes that are no UTF-8 stay as they are.
std::string FileNameForm(std::string_view name);

// Whether two names (or paths) name the same file, letter case aside.
inline bool SameFileName(std::string_view a, std::string_view b) { return FileNameForm(a) == FileNameForm(b); }

}  // namespace core
