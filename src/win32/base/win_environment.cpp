#include "base/win_environment.h"

#include "base/win.h"

#include <shlobj.h>

#include "base/com.h"
#include "base/lazy_library.h"
#include "base/utf16.h"
#include "base/win.h"
#include "launch_button/target_path.h"

namespace win32 {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

WinEnvironment::WinEnvironment() : executablePath_(Narrow(ModulePath())) {}

std::string WinEnvironment::FolderPath(int id) const {
  static const auto folderLocation =
      Bind<decltype(&SHGetSpecialFolderLocation)>(Shell32(), "SHGetSpecialFolderLocation");
  static const auto pathFromList = Bind<decltype(&SHGetPathFromIDListEx)>(Shell32(), "SHGetPathFromIDListEx");
  ComMemory<PIDLIST_ABSOLUTE> list;
  if (!folderLocation || !pathFromList || FAILED(folderLocation(nullptr, id, list.put()))) return {};
  std::wstring path(32768, L'\0');
  if (!pathFromList(list.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) return {};
  path.resize(wcslen(path.c_str()));
  return Narrow(path);
}

std::string WinEnvironment::CurrentDirectory() const {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
  return Narrow(path);
}

std::optional<std::string> WinEnvironment::Variable(const std::string& name) const {
  const std::wstring wide = Widen(name);
  SetLastError(ERROR_SUCCESS);
  DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (size == 0) {
    // An empty value still counts as set.
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(wide.c_str(), value.data(), size));
  return Narrow(value);
}

void PublishProgramFolder(const std::string& executablePath) {
  SetEnvironmentVariableW(Widen(core::kProgramFolderVariable).c_str(),
                          Widen(core::ProgramFolderOf(executablePath)).c_str());
}

core::LocalTime WinEnvironment::Now() const {
  FILETIME utc;
  GetSystemTimeAsFileTime(&utc);
  ULARGE_INTEGER ticks{{utc.dwLowDateTime, utc.dwHighDateTime}};
  unsigned long long second = ticks.QuadPart / 10'000'000;
  std::lock_guard lock(nowLock_);
  if (second == nowSecond_) return now_;
  // The same instant in local time, with the daylight saving rule of its own date.
  SYSTEMTIME universal, st;
  if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &st))
    GetLocalTime(&st);
  nowSecond_ = second;
  now_ = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  return now_;
}

std::string WinEnvironment::DateSeparator() const {
  wchar_t separator[8] = L"/";
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDATE, separator, 8);
  return Narrow(separator);
}

std::string WinEnvironment::LongTimeText(const core::LocalTime& time) const {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(time.year);
  st.wMonth = static_cast<WORD>(time.month);
  st.wDay = static_cast<WORD>(time.day);
  st.wHour = static_cast<WORD>(time.hour);
  st.wMinute = static_cast<WORD>(time.minute);
  st.wSecond = static_cast<WORD>(time.second);
  wchar_t text[64] = L"";
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 64);
  return Narrow(text);
}

}  // namespace win32
