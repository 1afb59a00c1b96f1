#include "storage/ini_store.h"

#include <utility>

#include "error.h"
#include "storage/storage_texts.h"

namespace core {

namespace {

// Past this many files the kept images are dropped and kept afresh.
constexpr size_t kMostKept = 512;
// Larger files are always written: keeping their bytes would cost more than it saves.
constexpr size_t kMostKeptBytes = 256 * 1024;

}  // namespace

IniImage IniStore::Load(const std::string& path) const {
  auto stamp = fileSystem_.Stamp(path);
  auto kept = kept_.find(path);
  if (stamp && kept != kept_.end() && kept->second.stamp == *stamp) return kept->second.image;
  if (kept != kept_.end()) kept_.erase(kept);
  std::string bytes;
  switch (fileSystem_.ReadWhole(path, bytes)) {
    case ReadStatus::kAbsent: return {};
    case ReadStatus::kFailed: throw Error(Format(texts::kCannotOpenFile, path));
    case ReadStatus::kRead: break;
  }
  IniImage image = IniImage::Parse(DecodeText(bytes, codePage_));
  // Kept only when the file did not change while it was read.
  if (stamp && fileSystem_.Stamp(path) == stamp) Keep(path, image, std::move(bytes));
  return image;
}

void IniStore::Save(const std::string& path, const IniImage& image) {
  std::string bytes = EncodeText(image.Serialize(), codePage_);
  auto kept = kept_.find(path);
  if (kept != kept_.end() && kept->second.bytes == bytes && !bytes.empty() &&
      fileSystem_.Stamp(path) == kept->second.stamp) {
    kept->second.image = image;
    return;
  }
  kept_.erase(path);
  if (!fileSystem_.WriteWhole(path, bytes)) throw Error(Format(texts::kCannotCreateFile, path));
  Keep(path, image, std::move(bytes));
}

void IniStore::Keep(const std::string& path, const IniImage& image, std::string bytes) const {
  auto stamp = fileSystem_.Stamp(path);
  if (!stamp) return;
  if (kept_.size() >= kMostKept) kept_.clear();
  if (bytes.size() > kMostKeptBytes) bytes.clear();
  kept_[path] = {*stamp, image, std::move(bytes)};
}

}  // namespace core
