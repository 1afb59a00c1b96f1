#pragma once

#include "ports/shell.h"

namespace win32 {

class WinShell final : public core::Shell {
 public:
  void Execute(const core::ShellRequest& request) override;
  std::string AssociatedProgram(const std::string& file) override;
  int IconCount(const std::string& file) override;
};

}  // namespace win32
