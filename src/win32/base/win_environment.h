#pragma once

#include <mutex>

#include "ports/environment.h"

namespace win32 {

class WinEnvironment final : public core::Environment {
 public:
  WinEnvironment();
  // For tests: the program acts as if its executable were at this path.
  explicit WinEnvironment(std::string executablePath) : executablePath_(std::move(executablePath)) {}

  std::string ExecutablePath() const override { return executablePath_; }
  std::string CurrentDirectory() const override;
  std::optional<std::string> Variable(const std::string& name) const override;
  std::string FolderPath(int id) const override;
  core::LocalTime Now() const override;
  std::string DateSeparator() const override;
  std::string LongTimeText(const core::LocalTime& time) const override;

 private:
  std::string executablePath_;
  // The local time of the last second asked for: the launcher's timer asks five times
  // a second.
  mutable std::mutex nowLock_;
  mutable unsigned long long nowSecond_ = 0;
  mutable core::LocalTime now_;
};

// The running executable's full path.
std::wstring ModulePath();

// Sets ZUBI_DIR to the folder of `executablePath`, for this process and the programs
// it starts.
void PublishProgramFolder(const std::string& executablePath);

}  // namespace win32
