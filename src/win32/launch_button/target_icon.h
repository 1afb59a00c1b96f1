#pragma once

#include <string>

#include "base/dpi.h"
#include "base/handles.h"

namespace win32 {

// The size an icon is read at: the system's small (16) or large (32) icon at 96 DPI,
// that size scaled at another DPI, read from an image at least as big so that it is
// only ever scaled down.
struct IconSize {
  bool small;
  UINT dpi;
  int Pixels() const { return Scale(small ? 16 : 32, dpi); }
  bool IsSystemSize() const { return dpi == kDefaultDpi; }
};

// The icon of what only the shell starts, on any thread with COM up: a shell name's
// own image (its item's), an address's the default icon of its protocol's handler
// (else the handler program's). None when the system gives none.
UniqueHicon TargetIcon(const std::string& target, IconSize size);

// Icon `index` of a file (a negative index names a resource id); none when the file
// has no such icon.
UniqueHicon ExtractedIcon(const std::wstring& file, int index, IconSize size);

// Image `index` of the system's image lists.
UniqueHicon SystemImage(int index, IconSize size);

// The icon an Internet shortcut (.url) names with IconFile and IconIndex; none when it
// names none.
UniqueHicon InternetShortcutIcon(const std::string& file, IconSize size);

}  // namespace win32
