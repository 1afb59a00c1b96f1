#include "base/win_file_system.h"

#include "base/handles.h"
#include "base/shell_path.h"
#include "base/utf16.h"
#include "base/win.h"

namespace win32 {
namespace {

std::int64_t Join(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<ULONGLONG>(high) << 32) | low);
}

// While another program has a file open, if only for a moment (a virus scanner, the
// search indexer, a backup or sync client, the snapshot thread), replacing, renaming,
// deleting or opening that file fails with access denied or a sharing violation, even
// when the other program shares everything; a moment later the same call succeeds.
// Such a call is tried again after growing waits, about a second in all.
constexpr DWORD kHeldWaits[] = {10, 20, 40, 80, 150, 200, 250, 250};

// A folder or a read-only file where the file should be refuses for good: no wait.
bool RefusesForGood(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

bool HeldElsewhere(DWORD error, const std::wstring& path) {
  bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
  return held && !RefusesForGood(path);
}

// `call` returns false with the system's last error set when it fails.
template <typename Call>
bool UntilReleased(const std::wstring& path, Call call) {
  for (DWORD wait : kHeldWaits) {
    if (call()) return true;
    if (!HeldElsewhere(GetLastError(), path)) return false;
    Sleep(wait);
  }
  return call();
}

UniqueKernel OpenUntilReleased(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
  UniqueKernel file;
  UntilReleased(path, [&] {
    file = OwnFile(CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
  });
  return file;
}

}  // namespace

bool WinFileSystem::FileExists(const std::string& path) const {
  DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::FolderExists(const std::string& path) const {
  DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// MoveFileW, unlike the standard library's rename, never replaces an existing target.
bool WinFileSystem::RenameFile(const std::string& from, const std::string& to) {
  const std::wstring source = SystemPath(from), target = SystemPath(to);
  return FileExists(from) && UntilReleased(target, [&] { return MoveFileW(source.c_str(), target.c_str()); });
}

bool WinFileSystem::RemoveFile(const std::string& path) {
  const std::wstring file = SystemPath(path);
  return FileExists(path) && UntilReleased(file, [&] { return DeleteFileW(file.c_str()); });
}

bool WinFileSystem::CopyFileTo(const std::string& from, const std::string& to) {
  const std::wstring source = SystemPath(from), target = SystemPath(to);
  return FileExists(from) && UntilReleased(target, [&] { return CopyFileW(source.c_str(), target.c_str(), FALSE); });
}

std::optional<std::uint64_t> WinFileSystem::FreeSpace(const std::string& folder) const {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(SystemPath(folder).c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return available.QuadPart;
}

// The clock that NTFS and FAT date their writes by.
std::int64_t WinFileSystem::Now() const {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return Join(now.dwHighDateTime, now.dwLowDateTime);
}

// The daily snapshot reads on a thread of its own: a page saved, renamed or deleted
// meanwhile must not fail because of that read.
bool WinFileSystem::ReadAll(const std::string& path, std::string& bytes) const {
  UniqueKernel file = OpenUntilReleased(SystemPath(path), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
  if (!file) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file.get(), &size) && size.QuadPart < (1LL << 31);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD read = 0;
      ok = ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr) &&
           read > 0;
      done += read;
    }
  }
  return ok;
}

bool WinFileSystem::WriteDurably(const std::string& path, std::string_view bytes) {
  UniqueKernel file = OpenUntilReleased(SystemPath(path), GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) return false;
  bool ok = true;
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    ok = WriteFile(file.get(), p, chunk, &written, nullptr) && written > 0;
    p += written;
    left -= written;
  }
  ok = ok && FlushFileBuffers(file.get());
  // Closing can still fail to write what the system held back.
  return CloseHandle(file.release()) && ok;
}

// Between tries the temporary file and the old file stay as they are.
bool WinFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::wstring source = SystemPath(from), target = SystemPath(to);
  return UntilReleased(target, [&] {
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  });
}

std::optional<std::uint32_t> WinFileSystem::ReadAttributes(const std::string& path) const {
  DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::optional<core::FileStamp> WinFileSystem::ReadStamp(const std::string& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return core::FileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow),
                         Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool WinFileSystem::WriteAttributes(const std::string& path, std::uint32_t attributes) {
  return SetFileAttributesW(SystemPath(path).c_str(), attributes);
}

}  // namespace win32
