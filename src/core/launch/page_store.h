#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/page_file.h"
#include "ports/failure_log.h"
#include "storage/ini_store.h"

namespace core {

// The page data files, DATA\<user name><page>.dat beside the executable: the one place
// that names, reads and writes them. Each load reads the file as it is now.
class PageStore {
 public:
  // Pages are numbered 1..kLastPage. The check whether a name is in use and the search
  // for a name's data also look at page 0.
  static constexpr int kLastPage = 99;

  // The folder of the page files of the program in `programDirectory` (with its separator).
  static std::string DataFolderOf(const std::string& programDirectory);
  // Whatever its name: every ".dat" file (in any letter case) of the folder counts.
  static bool IsPageFileName(std::string_view name);

  PageStore(FileSystem& files, const CodePage& codePage, const std::string& programDirectory)
      : files_(files), store_(files, codePage), dataFolder_(DataFolderOf(programDirectory)) {}

  const std::string& DataFolder() const { return dataFolder_; }
  // The user name is used exactly as stored and the page number follows it directly.
  std::string PathOf(const std::string& userName, int page) const;
  // The pattern that names every page file, for the shell's copy.
  std::string AllPagesPattern() const;
  // The summed sizes of every page file.
  std::uint64_t TotalSize() const;
  // The pages `from`..kLastPage of a name that have a file, in order.
  std::vector<int> PagesOf(const std::string& userName, int from = 1) const;
  // The titles of pages 1..count of a user, each read from its file as it is now.
  std::vector<std::string> TitlesOf(const std::string& userName, int count) const;
  PageFile Load(const std::string& path) const { return PageFile(store_.Load(path)); }
  // What pages 1..count of a user hold; page p is entry p - 1. The pages are kept, and
  // the next call reads again only those whose files may have changed since (valid
  // until then).
  const std::vector<Page>& ReadPages(const std::string& userName, int count) const;
  // Reads pages 1..count of a user once, so that the page list and the next page
  // loads find them kept and only look at their time stamps. A page that cannot be
  // read is logged and left for its own load to report.
  void ReadAhead(const std::string& userName, int count, FailureLog& log) const;
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
