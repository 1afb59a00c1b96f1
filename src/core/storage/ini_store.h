#pragma once

#include <string>
#include <unordered_map>

#include "storage/file_system.h"
#include "storage/ini_image.h"
#include "storage/text_codec.h"

namespace core {

// Whole-file access to INI files: files are never held open; each operation loads the
// whole file into an image and writes the whole image back. The image of a file last
// read or written here is kept with the file's size and write time, and a load whose
// file still has them takes the kept image instead of reading the file again: every
// load still sees every write, at the cost of one look at the file. A save whose bytes
// equal what the unchanged file already holds leaves the disk alone.
class IniStore {
 public:
  IniStore(FileSystem& fileSystem, const CodePage& codePage) : fileSystem_(fileSystem), codePage_(codePage) {}

  // An absent file gives an empty image. Throws Error "ファイル %s は開けません" when
  // the file is there but cannot be read.
  IniImage Load(const std::string& path) const;
  // Throws Error "ファイル %s を作成できません" when the file cannot be written;
  // the file on disk is then unchanged.
  void Save(const std::string& path, const IniImage& image);

  FileSystem& Files() { return fileSystem_; }
  const FileSystem& Files() const { return fileSystem_; }

 private:
  struct Kept {
    FileStamp stamp;
    IniImage image;
    std::string bytes;  // the file's content, when small enough to keep
  };
  void Keep(const std::string& path, const IniImage& image, std::string bytes) const;

  FileSystem& fileSystem_;
  const CodePage& codePage_;
  mutable std::unordered_map<std::string, Kept> kept_;
};

}  // namespace core
