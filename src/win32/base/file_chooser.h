#pragma once

#include <optional>
#include <string>

#include "base/win.h"

namespace win32 {

// What the file-open dialog shows: its title, one filter (its name and pattern) and
// the folder it opens in, UTF-8; an empty one leaves the system's own.
struct FileChoice {
  std::string title;
  std::string filterName, filterPattern;
  std::string folder;
};

// The system's file-open dialog (the modern one where there is one, else the older
// one), which never changes the program's working folder; nothing when the user
// cancels.
std::optional<std::string> ChooseFileToOpen(HWND owner, const FileChoice& choice = {});

}  // namespace win32
