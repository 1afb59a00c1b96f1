#include "base/win_file_system.h"

#include "base/shell_path.h"
#include "base/utf16.h"
#include "base/win.h"

namespace win32 {
namespace {

std::int64_t Join(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<ULONGLONG>(high) << 32) | low);
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
  return FileExists(from) && MoveFileW(SystemPath(from).c_str(), SystemPath(to).c_str());
}

bool WinFileSystem::RemoveFile(const std::string& path) {
  return FileExists(path) && DeleteFileW(SystemPath(path).c_str());
}

bool WinFileSystem::CopyFileTo(const std::string& from, const std::string& to) {
  return FileExists(from) && CopyFileW(SystemPath(from).c_str(), SystemPath(to).c_str(), FALSE);
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
  HANDLE file =
      CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 31);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD read = 0;
      ok = ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr) && read > 0;
      done += read;
    }
  }
  CloseHandle(file);
  return ok;
}

bool WinFileSystem::WriteDurably(const std::string& path, std::string_view bytes) {
  HANDLE file =
      CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    ok = WriteFile(file, p, chunk, &written, nullptr) && written > 0;
    p += written;
    left -= written;
  }
  ok = ok && FlushFileBuffers(file);
  return CloseHandle(file) && ok;
}

bool WinFileSystem::Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
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
