#pragma once

#include "ports/running_programs.h"

namespace win32 {

// The windows come from the window manager's own lists and the program files from
// the processes: no message goes to another program, so a hung one cannot stall us.
class WinRunningPrograms final : public core::RunningPrograms {
 public:
  std::vector<core::ProgramWindow> VisibleWindows() override;
  bool BringToFront(std::uintptr_t window) override;
};

}  // namespace win32
