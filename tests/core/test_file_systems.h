#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "storage/posix_file_system.h"

namespace testing_support {

// The real file system with a clock the test moves by hand. A write through it is dated
// by that clock, a file the test wrote itself by `dates` (or, not found there, by the
// clock too), so that writes while the clock stands still keep size and write time
// alike, as on FAT within its two-second step. Counts the whole-file reads and writes.
class ManualClockFiles : public core::PosixFileSystem {
 public:
  static constexpr std::int64_t kSecond = 1'000'000'000;

  std::optional<core::FileStamp> Stamp(const std::string& path) const override {
    auto stamp = PosixFileSystem::Stamp(path);
    if (stamp) {
      auto date = dates.find(path);
      stamp->modified = date == dates.end() ? now : date->second;
    }
    return stamp;
  }
  core::ReadStatus ReadWhole(const std::string& path, std::string& bytes) const override {
    ++reads;
    return PosixFileSystem::ReadWhole(path, bytes);
  }
  bool WriteWhole(const std::string& path, std::string_view bytes) override {
    ++writes;
    if (!PosixFileSystem::WriteWhole(path, bytes)) return false;
    dates[path] = now;
    return true;
  }
  std::int64_t Now() const override { return now; }

  std::int64_t now = 1'750'000'000 * kSecond;
  std::map<std::string, std::int64_t> dates;
  mutable int reads = 0;
  int writes = 0;
};

// The real file system on a disk that fills up: with `room` set, a write puts its first
// `room` bytes into the temporary file and then fails, as a write does when the disk
// is full.
class DiskFullFiles : public core::PosixFileSystem {
 public:
  std::optional<size_t> room;
  int attempts = 0;     // writes begun
  std::string partial;  // the temporary file the last failed write left half-written

 protected:
  bool WriteDurably(const std::string& path, std::string_view bytes) override {
    ++attempts;
    if (!room || bytes.size() <= *room) return PosixFileSystem::WriteDurably(path, bytes);
    if (PosixFileSystem::WriteDurably(path, bytes.substr(0, *room))) partial = path;
    return false;
  }
};

}  // namespace testing_support
