#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// A visible top-level window of another program, and the program file of its process.
struct ProgramWindow {
  std::string program;  // the full path, as the system names it
  std::uintptr_t window = 0;
};

// The programs that show windows now. Nothing here waits on another program: a hung
// one is found and brought forward like any other.
class RunningPrograms {
 public:
  virtual ~RunningPrograms() = default;
  // The visible top-level windows that stand for a program (those the taskbar shows,
  // minimised ones too), front to back, without this program's own. It may be asked
  // on any thread, one at a time.
  virtual std::vector<ProgramWindow> VisibleWindows() = 0;
  // Restores the window when it is minimised and brings it to the front; false when
  // it is gone.
  virtual bool BringToFront(std::uintptr_t window) = 0;
};

}  // namespace core
