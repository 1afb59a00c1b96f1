#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "storage/file_system.h"

namespace fuzzing {

// Files and folders in memory, so that a fuzz input costs no disk access. Writes
// fail where a real disk fails them: in a folder that does not exist. Every path
// asked about is remembered, so that a target can check where the program went.
class MemoryFileSystem : public core::FileSystem {
 public:
  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  std::optional<std::uint32_t> Attributes(const std::string& path) const override;
  std::optional<core::FileStamp> Stamp(const std::string& path) const override;
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
  core::ReadStatus ReadWhole(const std::string& path, std::string& bytes) const override;
  bool WriteWhole(const std::string& path, std::string_view bytes) override;
  bool CreateFolder(const std::string& path) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool RenameFolder(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool CopyFileTo(const std::string& from, const std::string& to) override;
  std::uint64_t TotalSize(const std::string& folder, std::string_view suffix) const override;
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) const override;
  bool RemoveFolder(const std::string& path) override;
  std::vector<core::FolderEntry> ListFolder(const std::string& folder) const override;
  // Each write is one tick of the clock; a file is settled one tick after its write.
  std::int64_t Now() const override { return clock_; }
  std::int64_t StampGranularity() const override { return 1; }

  // The content of a file, "" when there is none.
  std::string Content(const std::string& path) const;
  // Puts a file in place without recording the path.
  void Put(const std::string& path, std::string bytes);

  // Every path the program named, in order, with repeats.
  mutable std::vector<std::string> touched;

 private:
  struct File {
    std::string bytes;
    std::int64_t version = 0;  // the write time: each write gives a new one
  };
  const std::string& Touch(const std::string& path) const;
  bool ParentExists(const std::string& path) const;

  std::map<std::string, File> files_;
  std::set<std::string> folders_;
  std::int64_t clock_ = 0;
};

}  // namespace fuzzing
