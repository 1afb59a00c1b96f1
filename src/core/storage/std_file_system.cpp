#include "storage/std_file_system.h"

#include <system_error>

#include "storage/paths.h"

namespace core {

bool StdFileSystem::FileExists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(ToFsPath(path), ec);
}

bool StdFileSystem::FolderExists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_directory(ToFsPath(path), ec);
}

std::optional<std::uint32_t> StdFileSystem::Attributes(const std::string& path) const { return ReadAttributes(path); }

bool StdFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
  return WriteAttributes(path, attributes);
}

ReadStatus StdFileSystem::ReadWhole(const std::string& path, std::string& bytes) const {
  bytes.clear();
  if (!FileExists(path)) return ReadStatus::kAbsent;
  if (!ReadAll(path, bytes)) {
    bytes.clear();
    return ReadStatus::kFailed;
  }
  return ReadStatus::kRead;
}

// The new content goes to a temporary file beside the target first, so that the
// target is replaced in one step or not at all.
bool StdFileSystem::WriteWhole(const std::string& path, std::string_view bytes) {
  std::string temporary = path + ".zubi-new";
  if (!WriteDurably(temporary, bytes) || !Replace(temporary, path)) {
    std::error_code ec;
    std::filesystem::remove(ToFsPath(temporary), ec);
    return false;
  }
  return true;
}

bool StdFileSystem::CreateFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directory(ToFsPath(path), ec);
  return FolderExists(path);
}

}  // namespace core
