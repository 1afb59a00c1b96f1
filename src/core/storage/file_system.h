#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// File attributes, in the values Windows uses.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;

enum class ReadStatus { kRead, kAbsent, kFailed };

// What tells two versions of a file apart without reading it.
struct FileStamp {
  std::int64_t size = 0;
  std::int64_t modified = 0;  // in the system's own units
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// One entry of a folder: a regular file or a folder (anything else is not listed).
struct FolderEntry {
  std::string name;
  bool folder = false;
  friend bool operator==(const FolderEntry&, const FolderEntry&) = default;
};

// The file operations the program needs. Paths are UTF-8.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // A regular file (not a folder) exists at the path.
  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool FolderExists(const std::string& path) const = 0;
  virtual std::optional<std::uint32_t> Attributes(const std::string& path) const = 0;
  // Size and last write time of a regular file; nothing when there is none.
  virtual std::optional<FileStamp> Stamp(const std::string& path) const = 0;
  virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // The whole file; kAbsent when no regular file is there.
  virtual ReadStatus ReadWhole(const std::string& path, std::string& bytes) const = 0;
  // Replaces the whole file in one step: after a crash at any moment the file holds
  // either its old or its new content.
  virtual bool WriteWhole(const std::string& path, std::string_view bytes) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes a folder that is empty; fails for anything else.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // The regular files and folders directly in `folder`, in no particular order;
  // nothing when it cannot be read.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) const = 0;
  // Renames a regular file; fails when `to` exists already.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Renames a folder with what it holds; fails when `to` exists already.
  virtual bool RenameFolder(const std::string& from, const std::string& to) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Copies a regular file, replacing `to` when it exists.
  virtual bool CopyFileTo(const std::string& from, const std::string& to) = 0;
  // The summed sizes of the regular files in `folder` whose names end with `suffix`
  // (letter case ignored); 0 when the folder cannot be read.
  virtual std::uint64_t TotalSize(const std::string& folder, std::string_view suffix) const = 0;
  // Free bytes on the drive that holds `folder`.
  virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder) const = 0;

  // The time now, on the clock that dates the writes, in the units of FileStamp::modified.
  virtual std::int64_t Now() const = 0;
  // Write times are coarse: FAT keeps them in two-second steps, and the clocks that
  // date writes on NTFS and ext4 move in ticks of milliseconds. Two writes of one file
  // less than this apart (in the units of FileStamp::modified) may get the same write
  // time; the margin above FAT's step also covers a write time read back a tick late.
  virtual std::int64_t StampGranularity() const = 0;
};

}  // namespace core
