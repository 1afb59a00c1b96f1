#include "base/shell_path.h"

#include "base/utf16.h"
#include "base/win.h"

namespace win32 {
namespace {

bool IsLongDrivePath(const std::wstring& path) {
  return path.size() >= MAX_PATH - 12 && path.size() > 2 && path[1] == L':' && path[2] == L'\\';
}

}  // namespace

std::wstring SystemPath(std::string_view path) {
  std::wstring wide = Widen(path);
  return IsLongDrivePath(wide) ? L"\\\\?\\" + wide : wide;
}

std::wstring ShellPath(std::string_view path) {
  std::wstring wide = Widen(path);
  if (!IsLongDrivePath(wide)) return wide;
  std::wstring longForm = L"\\\\?\\" + wide;
  std::wstring shortForm(wide.size() + 8, L'\0');
  DWORD n = GetShortPathNameW(longForm.c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
  if (n == 0 || n >= shortForm.size()) return wide;
  shortForm.resize(n);
  return shortForm.rfind(L"\\\\?\\", 0) == 0 ? shortForm.substr(4) : shortForm;
}

}  // namespace win32
