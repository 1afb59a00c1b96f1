#pragma once

#include <optional>
#include <string>

#include "base/win.h"

namespace win32 {

// The folder chooser of the backup: starts in `start`, takes a typed name of a folder
// that does not exist yet and creates it. Nothing when the user cancelled.
std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& start);

}  // namespace win32
