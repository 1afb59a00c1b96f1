#pragma once

#include "ports/shell.h"

namespace win32 {

class WinShell final : public core::Shell {
 public:
  void Execute(const core::ShellRequest& request) override;
};

}  // namespace win32
