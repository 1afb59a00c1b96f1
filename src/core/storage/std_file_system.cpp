#include "storage/std_file_system.h"

#include <cctype>
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
    RemoveFile(temporary);
    return false;
  }
  return true;
}

bool StdFileSystem::CreateFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directory(ToFsPath(path), ec);
  return FolderExists(path);
}

bool StdFileSystem::RemoveFolder(const std::string& path) {
  if (!FolderExists(path)) return false;
  std::error_code ec;
  return std::filesystem::remove(ToFsPath(path), ec) && !ec;
}

std::vector<FolderEntry> StdFileSystem::ListFolder(const std::string& folder) const {
  std::vector<FolderEntry> entries;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(ToFsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    bool isFolder = it->is_directory(entryError);
    if (!isFolder && !it->is_regular_file(entryError)) continue;
    entries.push_back({FromFsPath(it->path().filename()), isFolder});
  }
  return entries;
}

bool StdFileSystem::RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (!FileExists(from) || std::filesystem::exists(ToFsPath(to), ec)) return false;
  std::filesystem::rename(ToFsPath(from), ToFsPath(to), ec);
  return !ec;
}

bool StdFileSystem::RenameFolder(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (!FolderExists(from) || std::filesystem::exists(ToFsPath(to), ec)) return false;
  std::filesystem::rename(ToFsPath(from), ToFsPath(to), ec);
  return !ec;
}

bool StdFileSystem::RemoveFile(const std::string& path) {
  if (!FileExists(path)) return false;
  std::error_code ec;
  return std::filesystem::remove(ToFsPath(path), ec) && !ec;
}

bool StdFileSystem::CopyFileTo(const std::string& from, const std::string& to) {
  if (!FileExists(from)) return false;
  std::error_code ec;
  std::filesystem::copy_file(ToFsPath(from), ToFsPath(to), std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(suffix[i])))
      return false;
  return true;
}

}  // namespace

std::uint64_t StdFileSystem::TotalSize(const std::string& folder, std::string_view suffix) const {
  std::uint64_t total = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(ToFsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError) || !EndsWithNoCase(FromFsPath(it->path().filename()), suffix)) continue;
    std::uintmax_t size = it->file_size(entryError);
    if (!entryError) total += size;
  }
  return total;
}

std::optional<std::uint64_t> StdFileSystem::FreeSpace(const std::string& folder) const {
  std::error_code ec;
  auto info = std::filesystem::space(ToFsPath(folder), ec);
  if (ec) return std::nullopt;
  return info.available;
}

}  // namespace core
