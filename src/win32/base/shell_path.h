#pragma once

#include <string>
#include <string_view>

namespace win32 {

// A path for the shell's functions, which take at most 260 characters (and under Wine
// overrun their buffers with more): a longer path goes by its short form, which names
// the same file or folder.
std::wstring ShellPath(std::string_view path);

// A path for the file functions, which reach past 260 characters in the "\\?\" form.
std::wstring SystemPath(std::string_view path);

}  // namespace win32
