#pragma once

#include <map>
#include <string>

#include "base/handles.h"
#include "ports/running_programs.h"

namespace win32 {

// The windows come from the window manager's own lists and the program files from
// the processes: no message goes to another program, so a hung one cannot stall us.
// VisibleWindows is asked on one thread at a time (the background's, or the window's
// when there is no background), BringToFront on the window's.
class WinRunningPrograms final : public core::RunningPrograms {
 public:
  std::vector<core::ProgramWindow> VisibleWindows() override;
  bool BringToFront(std::uintptr_t window) override;

 private:
  struct KnownProcess {
    UniqueKernel handle;  // held so that the process id stays this process's
    std::string program;  // empty when the system would not tell
  };
  KnownProcess Recall(DWORD process);

  std::map<DWORD, KnownProcess> known_;  // the processes that showed windows at the last look
};

}  // namespace win32
