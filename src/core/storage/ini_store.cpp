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
  if (kept != kept_.end()) {
    if (stamp && kept->second.trusted && kept->second.stamp == *stamp) return kept->second.image;
    kept_.erase(kept);
  }
  const std::int64_t readAt = fileSystem_.Now();
  std::string bytes;
  switch (fileSystem_.ReadWhole(path, bytes)) {
    case ReadStatus::kAbsent: return {};
    case ReadStatus::kFailed: throw Error(Format(texts::kCannotOpenFile, path));
    case ReadStatus::kRead: break;
  }
  IniImage image = IniImage::Parse(DecodeText(bytes, codePage_));
  // Kept only when the file did not change while it was read.
  if (stamp && fileSystem_.Stamp(path) == stamp) Keep(path, image, std::move(bytes), *stamp, Trusted(*stamp, readAt));
  return image;
}

std::optional<FileStamp> IniStore::TrustedStamp(const std::string& path) const {
  auto kept = kept_.find(path);
  if (kept == kept_.end() || !kept->second.trusted) return std::nullopt;
  auto stamp = fileSystem_.Stamp(path);
  if (!stamp || *stamp != kept->second.stamp) return std::nullopt;
  return stamp;
}

void IniStore::Save(const std::string& path, const IniImage& image) {
  std::string bytes = EncodeText(image.Serialize(), codePage_);
  if (!bytes.empty() && HoldsAlready(path, bytes)) {
    kept_[path].image = image;
    return;
  }
  kept_.erase(path);
  if (!fileSystem_.WriteWhole(path, bytes)) throw Error(Format(texts::kCannotCreateFile, path));
  // A file just written was written within the granularity, and the stamp read after
  // the write may already be another program's: the next load reads it again.
  if (auto stamp = fileSystem_.Stamp(path)) Keep(path, image, std::move(bytes), *stamp, false);
}

bool IniStore::HoldsAlready(const std::string& path, const std::string& bytes) {
  auto kept = kept_.find(path);
  if (kept == kept_.end() || kept->second.bytes != bytes) return false;
  auto stamp = fileSystem_.Stamp(path);
  if (!stamp || *stamp != kept->second.stamp) return false;
  if (kept->second.trusted) return true;
  // The stamp cannot tell whether another program wrote the file since: the file can.
  const std::int64_t readAt = fileSystem_.Now();
  std::string onDisk;
  if (fileSystem_.ReadWhole(path, onDisk) != ReadStatus::kRead || onDisk != bytes || fileSystem_.Stamp(path) != stamp)
    return false;
  kept->second.trusted = Trusted(*stamp, readAt);
  return true;
}

// A file read at `readAt` with this stamp: no later write can leave the stamp as it is
// when the write time lies more than the granularity before. A write time at or before
// 0 is no time a file system recorded.
bool IniStore::Trusted(const FileStamp& stamp, std::int64_t readAt) const {
  return stamp.modified > 0 && stamp.modified < readAt - fileSystem_.StampGranularity();
}

void IniStore::Keep(const std::string& path, const IniImage& image, std::string bytes, const FileStamp& stamp,
                    bool trusted) const {
  if (kept_.size() >= kMostKept) kept_.clear();
  if (bytes.size() > kMostKeptBytes) bytes.clear();
  kept_[path] = {stamp, trusted, image, std::move(bytes)};
}

}  // namespace core
