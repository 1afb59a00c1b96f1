#pragma once

#include "storage/std_file_system.h"

namespace core {

// POSIX has no attribute bits: a file reads as archive, plus read-only when nobody may
// write it, which is enough for the attribute repair to act as it does on Windows.
class PosixFileSystem : public StdFileSystem {
 public:
  std::int64_t Now() const override;  // nanoseconds since 1970
  std::int64_t StampGranularity() const override { return 3'000'000'000; }

 protected:
  bool ReadAll(const std::string& path, std::string& bytes) const override;
  bool WriteDurably(const std::string& path, std::string_view bytes) override;
  bool Replace(const std::string& from, const std::string& to) override;
  std::optional<std::uint32_t> ReadAttributes(const std::string& path) const override;
  std::optional<core::FileStamp> ReadStamp(const std::string& path) const override;
  bool WriteAttributes(const std::string& path, std::uint32_t attributes) override;
};

}  // namespace core
