#include "memory_file_system.h"

#include "storage/ini_image.h"
#include "storage/paths.h"

namespace fuzzing {

const std::string& MemoryFileSystem::Touch(const std::string& path) const {
  touched.push_back(path);
  return path;
}

bool MemoryFileSystem::ParentExists(const std::string& path) const {
  std::string parent = core::DirectoryWithSeparator(path);
  if (!parent.empty()) parent.pop_back();
  return parent.empty() || folders_.count(parent) > 0;
}

bool MemoryFileSystem::FileExists(const std::string& path) const { return files_.count(Touch(path)) > 0; }

bool MemoryFileSystem::FolderExists(const std::string& path) const { return folders_.count(Touch(path)) > 0; }

std::optional<std::uint32_t> MemoryFileSystem::Attributes(const std::string& path) const {
  if (files_.count(Touch(path))) return core::kAttributeArchive;
  if (folders_.count(path)) return core::kAttributeDirectory;
  return std::nullopt;
}

std::optional<core::FileStamp> MemoryFileSystem::Stamp(const std::string& path) const {
  auto it = files_.find(Touch(path));
  if (it == files_.end()) return std::nullopt;
  return core::FileStamp{static_cast<std::int64_t>(it->second.bytes.size()), it->second.version};
}

bool MemoryFileSystem::SetAttributes(const std::string& path, std::uint32_t) {
  return files_.count(Touch(path)) > 0 || folders_.count(path) > 0;
}

core::ReadStatus MemoryFileSystem::ReadWhole(const std::string& path, std::string& bytes) const {
  auto it = files_.find(Touch(path));
  if (it == files_.end()) return core::ReadStatus::kAbsent;
  bytes = it->second.bytes;
  return core::ReadStatus::kRead;
}

bool MemoryFileSystem::WriteWhole(const std::string& path, std::string_view bytes) {
  if (!ParentExists(Touch(path)) || folders_.count(path)) return false;
  files_[path] = {std::string(bytes), ++clock_};
  return true;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  if (!ParentExists(Touch(path)) || files_.count(path)) return false;
  folders_.insert(path);
  return true;
}

bool MemoryFileSystem::RenameFile(const std::string& from, const std::string& to) {
  auto it = files_.find(Touch(from));
  if (it == files_.end() || files_.count(Touch(to)) || folders_.count(to) || !ParentExists(to)) return false;
  File file = std::move(it->second);
  files_.erase(it);
  files_[to] = std::move(file);
  return true;
}

bool MemoryFileSystem::RenameFolder(const std::string& from, const std::string& to) {
  if (!folders_.count(Touch(from)) || files_.count(Touch(to)) || folders_.count(to) || !ParentExists(to)) return false;
  const std::string prefix = from + core::kPathSeparator;
  auto moved = [&](const std::string& path) { return to + path.substr(from.size()); };
  for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix);) {
    files_[moved(it->first)] = std::move(it->second);
    it = files_.erase(it);
  }
  for (auto it = folders_.lower_bound(prefix); it != folders_.end() && it->starts_with(prefix);) {
    folders_.insert(moved(*it));
    it = folders_.erase(it);
  }
  folders_.erase(from);
  folders_.insert(to);
  return true;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) { return files_.erase(Touch(path)) > 0; }

bool MemoryFileSystem::CopyFileTo(const std::string& from, const std::string& to) {
  auto it = files_.find(Touch(from));
  if (it == files_.end() || folders_.count(Touch(to)) || !ParentExists(to)) return false;
  files_[to] = {it->second.bytes, ++clock_};
  return true;
}

std::uint64_t MemoryFileSystem::TotalSize(const std::string& folder, std::string_view suffix) const {
  std::uint64_t total = 0;
  std::string prefix = Touch(folder) + core::kPathSeparator;
  for (const auto& [path, file] : files_) {
    if (!path.starts_with(prefix) || path.find(core::kPathSeparator, prefix.size()) != std::string::npos) continue;
    if (path.size() >= suffix.size() && core::EqualsIgnoringCase(path.substr(path.size() - suffix.size()), suffix))
      total += file.bytes.size();
  }
  return total;
}

std::optional<std::uint64_t> MemoryFileSystem::FreeSpace(const std::string& folder) const {
  Touch(folder);
  return std::uint64_t{1} << 40;
}

std::string MemoryFileSystem::Content(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? "" : it->second.bytes;
}

void MemoryFileSystem::Put(const std::string& path, std::string bytes) {
  std::string parent = core::DirectoryWithSeparator(path);
  while (parent.size() > 1) {
    parent.pop_back();
    folders_.insert(parent);
    parent = core::DirectoryWithSeparator(parent);
  }
  files_[path] = {std::move(bytes), ++clock_};
}

// The names directly in `folder`: those whose parent is exactly the folder.
std::vector<core::FolderEntry> MemoryFileSystem::ListFolder(const std::string& folder) const {
  std::vector<core::FolderEntry> entries;
  if (!folders_.count(Touch(folder))) return entries;
  auto childName = [&](const std::string& path) -> std::string {
    std::string parent = core::DirectoryWithSeparator(path);
    if (parent.empty()) return {};
    parent.pop_back();
    return parent == folder ? path.substr(folder.size() + 1) : std::string();
  };
  for (const auto& [path, file] : files_)
    if (auto name = childName(path); !name.empty()) entries.push_back({name, false});
  for (const auto& path : folders_)
    if (auto name = childName(path); !name.empty()) entries.push_back({name, true});
  return entries;
}

bool MemoryFileSystem::RemoveFolder(const std::string& path) {
  if (!folders_.count(Touch(path)) || !ListFolder(path).empty()) return false;
  folders_.erase(path);
  return true;
}

}  // namespace fuzzing
