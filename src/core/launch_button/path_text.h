#pragma once

#include <string>
#include <string_view>

// Rules on the text of Windows paths as the user stores them on buttons ("C:\Apps\edit.exe"),
// the same on every system the program's logic runs on.
namespace core {

// The text after the last "\" or ":" (extension included): edit.exe.
std::string ExtractFileName(std::string_view path);
// The folder part without a trailing "\", except a drive's root, which keeps it:
// C:\Apps\edit.exe gives C:\Apps, C:\edit.exe gives C:\.
std::string ExtractFileDir(std::string_view path);
// The file name without its last extension: C:\Apps\edit.tar.gz gives edit.tar.
std::string FileTitle(std::string_view path);

}  // namespace core
