#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "storage/std_file_system.h"

namespace win32 {

class WinFileSystem final : public core::StdFileSystem {
 public:
  // Replaces `to` by `from` through the file's handle, taking the name even while
  // readers that share deleting hold `to`; answers the system's error code (0 when done).
  using HandleReplace = std::function<unsigned long(const std::wstring& from, const std::wstring& to)>;

  WinFileSystem();
  explicit WinFileSystem(HandleReplace handleReplace);

  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool RenameFolder(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool CopyFileTo(const std::string& from, const std::string& to) override;
  std::optional<std::uint64_t> FreeSpace(const std::string& folder) const override;
  std::int64_t Now() const override;  // FILETIME units (100 ns) since 1601, UTC
  std::int64_t StampGranularity() const override { return 30'000'000; }

 protected:
  bool ReadAll(const std::string& path, std::string& bytes) const override;
  bool WriteDurably(const std::string& path, std::string_view bytes) override;
  bool Replace(const std::string& from, const std::string& to) override;
  std::optional<std::uint32_t> ReadAttributes(const std::string& path) const override;
  std::optional<core::FileStamp> ReadStamp(const std::string& path) const override;
  bool WriteAttributes(const std::string& path, std::uint32_t attributes) override;

 private:
  HandleReplace handleReplace_;
  // Cleared for the rest of the run once the system says it cannot replace by handle.
  std::atomic<bool> handleReplaceWorks_{true};
};

}  // namespace win32
