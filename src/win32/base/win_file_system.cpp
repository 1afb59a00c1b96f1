#include "base/win_file_system.h"

#include <cstddef>
#include <cstring>
#include <vector>

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
// Such a call is tried again at short, even intervals (whatever the system's timer
// makes of 15 ms) for up to 2 s: a reader that holds the file most of the time and lets
// go for 40 ms now and then is always found letting go.
constexpr DWORD kHeldRetryMs = 15;
constexpr ULONGLONG kHeldPatienceMs = 2000;

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
  if (call()) return true;
  const ULONGLONG start = GetTickCount64();
  while (HeldElsewhere(GetLastError(), path) && GetTickCount64() - start < kHeldPatienceMs) {
    Sleep(kHeldRetryMs);
    if (call()) return true;
  }
  return false;
}

// The headers here name this class only for newer targets than the program's.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

// Windows 10 and 11 on NTFS rename with POSIX semantics: the new file takes the name
// while readers that share deleting keep the old one open, so they hold up nothing.
unsigned long ReplaceByHandle(const std::wstring& from, const std::wstring& to) {
  UniqueKernel file =
      OwnFile(CreateFileW(from.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  const size_t nameBytes = to.size() * sizeof(wchar_t);
  std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameBytes);
  std::memcpy(info->FileName, to.c_str(), nameBytes + sizeof(wchar_t));
  return SetFileInformationByHandle(file.get(), kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size()))
             ? ERROR_SUCCESS
             : GetLastError();
}

// What older Windows, FAT sticks and Wine answer: no such rename on this system.
bool CannotReplaceByHandle(unsigned long error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
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

WinFileSystem::WinFileSystem() : handleReplace_(ReplaceByHandle) {}

WinFileSystem::WinFileSystem(HandleReplace handleReplace) : handleReplace_(std::move(handleReplace)) {}

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

// A reader of a file in the folder holds off its rename as it holds off the file's own.
bool WinFileSystem::RenameFolder(const std::string& from, const std::string& to) {
  const std::wstring source = SystemPath(from), target = SystemPath(to);
  return FolderExists(from) && UntilReleased(target, [&] { return MoveFileW(source.c_str(), target.c_str()); });
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

// By handle first where the system can. Any refusal there (a reader that does not
// share deleting, a folder in the way) leaves both files as they were, and the classic
// replace decides, waiting for readers; between its tries too both files stay whole.
bool WinFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::wstring source = SystemPath(from), target = SystemPath(to);
  if (handleReplaceWorks_) {
    const unsigned long error = handleReplace_(source, target);
    if (error == ERROR_SUCCESS) return true;
    if (CannotReplaceByHandle(error)) handleReplaceWorks_ = false;
  }
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
