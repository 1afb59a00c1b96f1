#pragma once

#include <string>

#include "base/handles.h"

namespace win32 {

// The icon of what only the shell starts, on any thread with COM up: a shell name's
// own image (its item's), an address's the default icon of its protocol's handler
// (else the handler program's). None when the system gives none.
UniqueHicon TargetIcon(const std::string& target, bool small);

// Icon `index` of a file (a negative index names a resource id) at the system's small
// or large size; none when the file has no such icon.
UniqueHicon ExtractedIcon(const std::wstring& file, int index, bool small);

// The icon an Internet shortcut (.url) names with IconFile and IconIndex; none when it
// names none.
UniqueHicon InternetShortcutIcon(const std::string& file, bool small);

}  // namespace win32
