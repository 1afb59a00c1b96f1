#include "base/win_file_probe.h"

#include "base/win.h"

#include <winnetwk.h>

#include <vector>

#include "base/com.h"
#include "base/lazy_library.h"
#include "base/shell_item.h"
#include "base/shell_path.h"
#include "base/utf16.h"

namespace win32 {

QuietErrors::QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }

QuietErrors::~QuietErrors() { SetThreadErrorMode(old_, nullptr); }

bool WinFileProbe::Exists(const std::string& path) const {
  QuietErrors quiet;
  return GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WinFileProbe::ShellItemExists(const std::string& name) const {
  ComApartment com;
  QuietErrors quiet;
  return static_cast<bool>(ShellItem(name));
}

core::DriveKind WinFileProbe::KindOfDrive(char letter) const {
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
  QuietErrors quiet;
  switch (GetDriveTypeW(root)) {
    case DRIVE_FIXED: return core::DriveKind::kFixed;
    case DRIVE_RAMDISK: return core::DriveKind::kRamDisk;
    case DRIVE_NO_ROOT_DIR: return core::DriveKind::kAbsent;
    case DRIVE_REMOVABLE: return core::DriveKind::kRemovable;
    case DRIVE_CDROM: return core::DriveKind::kOptical;
    case DRIVE_REMOTE: return core::DriveKind::kNetwork;
    default: return core::DriveKind::kUnknown;
  }
}

std::optional<std::string> WinFileProbe::NetworkPath(const std::string& path) const {
  static const auto universalName = Bind<decltype(&WNetGetUniversalNameW)>(Mpr(), "WNetGetUniversalNameW");
  if (!universalName) return std::nullopt;
  const std::wstring local = Widen(path);
  std::vector<std::byte> buffer(1024);
  for (int attempt = 0; attempt < 2; ++attempt) {
    auto size = static_cast<DWORD>(buffer.size());
    const DWORD result = universalName(local.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
      buffer.resize(size);
      continue;
    }
    if (result != NO_ERROR) return std::nullopt;
    return Narrow(reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer.data())->lpUniversalName);
  }
  return std::nullopt;
}

}  // namespace win32
