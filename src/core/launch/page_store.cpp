#include "launch/page_store.h"

#include <algorithm>

#include "components/key_names.h"
#include "error.h"
#include "storage/paths.h"

namespace core {
namespace {

constexpr std::string_view kExtension = ".dat";

}  // namespace

std::string PageStore::DataFolderOf(const std::string& programDirectory) { return programDirectory + "DATA"; }

bool PageStore::IsPageFileName(std::string_view name) {
  return name.size() >= kExtension.size() &&
         SameTextIgnoringCase(name.substr(name.size() - kExtension.size()), kExtension);
}

std::string PageStore::PathOf(const std::string& userName, int page) const {
  return dataFolder_ + kPathSeparator + userName + std::to_string(page) + std::string(kExtension);
}

std::string PageStore::AllPagesPattern() const { return dataFolder_ + kPathSeparator + "*" + std::string(kExtension); }

std::uint64_t PageStore::TotalSize() const { return files_.TotalSize(dataFolder_, kExtension); }

std::vector<int> PageStore::PagesOf(const std::string& userName, int from) const {
  std::vector<int> pages;
  for (int page = from; page <= kLastPage; ++page)
    if (files_.FileExists(PathOf(userName, page))) pages.push_back(page);
  return pages;
}

std::vector<std::string> PageStore::TitlesOf(const std::string& userName, int count) const {
  std::vector<std::string> titles;
  for (int page = 1; page <= count; ++page) titles.push_back(Load(PathOf(userName, page)).Title());
  return titles;
}

const std::vector<Page>& PageStore::ReadPages(const std::string& userName, int count) const {
  count = std::clamp(count, 0, kLastPage);
  if (userName != keptUser_) {
    keptPages_.clear();
    keptStamps_.clear();
    keptUser_ = userName;
  }
  keptPages_.resize(static_cast<size_t>(count));
  keptStamps_.resize(static_cast<size_t>(count));
  for (size_t i = 0; i < keptPages_.size(); ++i) {
    const std::string path = PathOf(userName, static_cast<int>(i + 1));
    std::optional<FileStamp>& stamp = keptStamps_[i];
    if (stamp && store_.TrustedStamp(path) == stamp) continue;
    stamp.reset();  // until the page is read whole
    keptPages_[i] = Load(path).ToPage();
    stamp = store_.TrustedStamp(path);
  }
  return keptPages_;
}

void PageStore::ReadAhead(const std::string& userName, int count, FailureLog& log) const {
  for (int page = 1; page <= count; ++page) {
    try {
      store_.Load(PathOf(userName, page));
    } catch (const Error& e) {
      log.Failure("reading the pages ahead", e.what());
    }
  }
}

void PageStore::Save(const std::string& path, const PageFile& page) {
  EnsureDataFolder();
  store_.Save(path, page.Image());
}

void PageStore::EnsureDataFolder() {
  if (!files_.FolderExists(dataFolder_)) files_.CreateFolder(dataFolder_);
}

void PageStore::RepairAttributes(const std::string& path) {
  if (!files_.FileExists(path)) return;
  auto attributes = files_.Attributes(path);
  if (attributes && *attributes != kAttributeArchive) files_.SetAttributes(path, kAttributeArchive);
}

}  // namespace core
