#include "launch/page_store.h"

#include "error.h"
#include "storage/paths.h"

namespace core {

std::string PageStore::PathOf(const std::string& userName, int page) const {
  return dataFolder_ + kPathSeparator + userName + std::to_string(page) + ".dat";
}

std::vector<Page> PageStore::ReadPages(const std::string& userName, int count) const {
  std::vector<Page> pages;
  for (int page = 1; page <= count; ++page) pages.push_back(Load(PathOf(userName, page)).ToPage());
  return pages;
}

void PageStore::ReadAhead(const std::string& userName, int count) const {
  for (int page = 1; page <= count; ++page) {
    try {
      store_.Load(PathOf(userName, page));
    } catch (const Error&) {
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
