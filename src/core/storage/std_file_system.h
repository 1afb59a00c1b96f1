#pragma once

#include "storage/file_system.h"

namespace core {

// The program's file system on the standard library; each operating system supplies
// the few parts that differ (durable writes, the one-step replace, attributes).
class StdFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  std::optional<std::uint32_t> Attributes(const std::string& path) const override;
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
  std::optional<FileStamp> Stamp(const std::string& path) const override { return ReadStamp(path); }
  ReadStatus ReadWhole(const std::string& path, std::string& bytes) const override;
  bool WriteWhole(const std::string& path, std::string_view bytes) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  std::vector<FolderEntry> ListFolder(const std::string& folder) const override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool RenameFolder(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool CopyFileTo(const std::string& from, const std::string& to) override;
  std::uint64_t TotalSize(const std::string& folder, std::string_view suffix) const override;
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) const override;

 protected:
  // Reads a whole regular file; false when it cannot be opened or read.
  virtual bool ReadAll(const std::string& path, std::string& bytes) const = 0;
  // Creates or truncates the file, writes the bytes and flushes them to the disk.
  virtual bool WriteDurably(const std::string& path, std::string_view bytes) = 0;
  // Moves `from` over `to` in one step.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual std::optional<std::uint32_t> ReadAttributes(const std::string& path) const = 0;
  virtual std::optional<FileStamp> ReadStamp(const std::string& path) const = 0;
  virtual bool WriteAttributes(const std::string& path, std::uint32_t attributes) = 0;
};

}  // namespace core
