#pragma once

#include <optional>

#include "base/com.h"
#include "ports/shell.h"

namespace win32 {

class WinShell final : public core::Shell {
 public:
  void Execute(const core::ShellRequest& request) override;
  core::WatchedStart ExecuteWatched(const core::ShellRequest& request) override;
  std::string AssociatedProgram(const std::string& file) override;
  std::string DisplayName(const std::string& shellName) override;
  int IconCount(const std::string& file) override;
  void CopyIntoFolder(std::uintptr_t owner, const std::string& source, const std::string& folder) override;
  std::optional<std::string> ChooseFolder(std::uintptr_t owner, const std::string& start) override;

 private:
  // Shell extensions that a verb runs need COM on this thread; kept from the first
  // start on, as they may still be at work when the start returns.
  std::optional<ComApartment> com_;
};

}  // namespace win32
