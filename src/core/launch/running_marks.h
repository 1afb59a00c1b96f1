#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "launch_button/launch_button.h"
#include "lifetime.h"
#include "ports/background.h"
#include "ports/running_programs.h"

namespace core {

// What a program is known by when windows are matched to buttons: its path in the form
// Windows compares file names in (FileNameForm: letter case makes no difference, in any
// script or width), with "\" between folders and "." and ".." taken out; empty for
// what is no program (documents, folders, addresses, shortcuts).
std::string ProgramKey(std::string_view startFile);
// Whether a window's program is the button's: the same path, or for a bare name that
// the shell finds on its own (notepad.exe), the same file name.
bool IsSameProgram(const std::string& buttonKey, const std::string& windowKey);

// The running marks of the buttons shown: a button whose program shows a window is
// marked. They are brought up to date when asked (the page shown, the window shown
// or activated) and once about two seconds after a start from the launcher; nothing
// is looked at in between. The look asks every window's process for its program,
// which costs milliseconds a window under Wine: it runs in the background, and the
// marks follow when its answer comes.
class RunningMarks {
 public:
  RunningMarks(LaunchButtons& buttons, const PathPorts& paths) : buttons_(buttons), paths_(paths) {}
  RunningMarks(const RunningMarks&) = delete;
  RunningMarks& operator=(const RunningMarks&) = delete;

  // Without them no button is marked. They must outlive the background's work.
  void SetPrograms(RunningPrograms* programs) { programs_ = programs; }
  // Without one, the look runs on the window's thread.
  void SetBackground(Background* background) { background_ = background; }
  void Refresh() { Look(nullptr); }
  // Looks at the windows now (in the background) and brings the front-most window of
  // the entry's program forward; `then` hears whether it did.
  void SwitchTo(const ButtonEntry& entry, std::function<void(bool switched)> then);
  // A program was started from the launcher: its window comes a moment later.
  void Started() { ticksToRefresh_ = kTicksAfterStart; }
  // The window's 200 ms timer.
  void Tick();
  // Brings the front-most window of the entry's program forward, as the last look
  // found the windows; false when it found none or that one is gone (then nothing
  // changed).
  bool BringToFront(const ButtonEntry& entry);

 private:
  static constexpr int kTicksAfterStart = 10;
  // The look; `after` runs once the marks follow it.
  void Look(std::function<void()> after);
  void Mark(std::vector<ProgramWindow> windows);
  bool BringToFront(const std::string& programKey);
  std::string KeyOf(const ButtonEntry& entry) const;

  LaunchButtons& buttons_;
  PathPorts paths_;
  RunningPrograms* programs_ = nullptr;
  Background* background_ = nullptr;
  std::vector<ProgramWindow> windows_;  // as the last look found them, front to back
  int ticksToRefresh_ = 0;
  Lifetime lifetime_;  // answers still on their way find nobody once it is gone
};

}  // namespace core
