#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "storage/file_system.h"
#include "storage/ini_image.h"
#include "storage/text_codec.h"

namespace core {

// Whole-file access to INI files: files are never held open; each operation loads the
// whole file into an image and writes the whole image back.
//
// The image of a file last read or written here is kept with the file's size and write
// time, and a load whose file still has them takes the kept image instead of reading
// the file again. Another program may write the file too (a copy of this one under
// another name shares DATA), and write times are coarse: a write soon after the one
// that was kept can leave size and time as they were. So a kept image is trusted only
// when its file was written more than the file system's time-stamp granularity before
// the image was kept; any other is read again at the next load. A save whose bytes the
// unchanged file surely holds already leaves the disk alone; when the kept image is
// not trusted, the file itself is read to tell.
class IniStore {
 public:
  IniStore(FileSystem& fileSystem, const CodePage& codePage) : fileSystem_(fileSystem), codePage_(codePage) {}

  // An absent file gives an empty image. Throws Error "ファイル %s は開けません" when
  // the file is there but cannot be read.
  IniImage Load(const std::string& path) const;
  // Throws Error "ファイル %s を作成できません" when the file cannot be written;
  // the file on disk is then unchanged.
  void Save(const std::string& path, const IniImage& image);

  // The stamp of the file when the image kept of it is trusted and the file still has
  // it: a load would give that image. Nothing otherwise.
  std::optional<FileStamp> TrustedStamp(const std::string& path) const;

  FileSystem& Files() { return fileSystem_; }
  const FileSystem& Files() const { return fileSystem_; }

 private:
  struct Kept {
    FileStamp stamp;
    bool trusted = false;  // no later write can have left the stamp as it is
    IniImage image;
    std::string bytes;  // the file's content, when small enough to keep
  };
  void Keep(const std::string& path, const IniImage& image, std::string bytes, const FileStamp& stamp,
            bool trusted) const;
  bool Trusted(const FileStamp& stamp, std::int64_t readAt) const;
  // The file surely holds these bytes already: they are the kept ones, the stamp is
  // unchanged, and the kept image is trusted or the file, read again, holds them.
  bool HoldsAlready(const std::string& path, const std::string& bytes);

  FileSystem& fileSystem_;
  const CodePage& codePage_;
  mutable std::unordered_map<std::string, Kept> kept_;
};

}  // namespace core
