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

// Where the icon of what only the shell starts comes from: a shell name's own item,
// an address's protocol's default icon, else its handler program's first icon. Asked
// on the window's thread: Wine's association objects close a registry key twice as
// they go, which on another thread can close a handle that the window has just opened
// (a page file while it is read).
struct TargetIconSource {
  std::string target;
  std::wstring iconLocation, handler;  // an address's, from its protocol's association
};
TargetIconSource IconSourceOf(const std::string& target);

// The icon itself, on any thread with COM up; none when the system gives none.
UniqueHicon TargetIcon(const TargetIconSource& source, IconSize size);
inline UniqueHicon TargetIcon(const std::string& target, IconSize size) {
  return TargetIcon(IconSourceOf(target), size);
}

// Icon `index` of a file (a negative index names a resource id); none when the file
// has no such icon.
UniqueHicon ExtractedIcon(const std::wstring& file, int index, IconSize size);

// Image `index` of the system's image lists.
UniqueHicon SystemImage(int index, IconSize size);

// The icon an Internet shortcut (.url) names with IconFile and IconIndex; none when it
// names none.
UniqueHicon InternetShortcutIcon(const std::string& file, IconSize size);

}  // namespace win32
