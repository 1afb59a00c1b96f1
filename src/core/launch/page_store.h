#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/page_file.h"
#include "storage/ini_store.h"

namespace core {

// The page data files, DATA\<user name><page>.dat beside the executable: the one place
// that reads and writes them. Each load reads the file as it is now.
class PageStore {
 public:
  PageStore(FileSystem& files, const CodePage& codePage, std::string dataFolder)
      : files_(files), store_(files, codePage), dataFolder_(std::move(dataFolder)) {}

  const std::string& DataFolder() const { return dataFolder_; }
  // The user name is used exactly as stored and the page number follows it directly.
  std::string PathOf(const std::string& userName, int page) const;
  PageFile Load(const std::string& path) const { return PageFile(store_.Load(path)); }
  // What pages 1..count of a user hold; page p is entry p - 1. The pages are kept, and
  // the next call reads again only those whose files may have changed since (valid
  // until then).
  const std::vector<Page>& ReadPages(const std::string& userName, int count) const;
  // Reads pages 1..count of a user once, so that the page list and the next page
  // loads find them kept and only look at their time stamps. A page that cannot be
  // read is left for its own load to report.
  void ReadAhead(const std::string& userName, int count) const;
  // Makes DATA first: it may have been deleted since the last write. When that
  // fails, the write itself is reported.
  void Save(const std::string& path, const PageFile& page);
  void EnsureDataFolder();
  bool Exists(const std::string& path) const { return files_.FileExists(path); }
  void Remove(const std::string& path) { files_.RemoveFile(path); }
  // A page file that is read-only, hidden or system becomes a plain file again, so
  // that later writes of the page succeed.
  void RepairAttributes(const std::string& path);

 private:
  FileSystem& files_;
  IniStore store_;
  std::string dataFolder_;
  // The pages ReadPages gave last, each with the stamp its file had then (nothing: read
  // it again).
  mutable std::string keptUser_;
  mutable std::vector<Page> keptPages_;
  mutable std::vector<std::optional<FileStamp>> keptStamps_;
};

}  // namespace core
