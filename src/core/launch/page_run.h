#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "launch/button_activation.h"
#include "launch/launcher_view.h"

namespace core {

// A page started in order: its buttons one after the other, each once the program
// started before it shows a window (10 s at most, 1 s for a console program) and its
// button's pause has passed.
// The run is driven by the window's steps, never by a wait on the window's thread.
class PageRun {
 public:
  // The longest wait for a started program's window.
  static constexpr std::uint64_t kWindowWait = 10000;
  static constexpr std::uint64_t kConsoleWait = 1000;

  PageRun(ButtonActivation& activation, LauncherView& view) : activation_(activation), view_(view) {}

  bool Running() const { return running_; }
  // Takes the buttons as they are now, 1 to 10 (the selected ones only when asked),
  // without the empty and the dimmed ones; a button with a running mark is not
  // started again, but brought forward when it is the last.
  void Begin(const LaunchButtons& buttons, bool selectedOnly);
  // Esc: nothing more is started; the sound and hiding follow as at the end.
  void Cancel();
  // The window's step while the run asks for steps: what is over by now.
  void Step();

 private:
  struct Item {
    ButtonEntry entry;  // as the page was when the run began
    bool running = false;
  };
  enum class Phase { kNext, kWindow, kPause };

  void StartNext();
  void Pause(std::uint64_t now);
  void End();

  ButtonActivation& activation_;
  LauncherView& view_;
  std::vector<Item> items_;
  size_t next_ = 0;
  bool running_ = false;
  bool stepping_ = false;
  bool cancelled_ = false;
  Phase phase_ = Phase::kNext;
  std::unique_ptr<StartedProcess> process_;
  std::uint64_t until_ = 0;  // the end of the window's wait or of the pause
  int pause_ = 0;            // of the button started last
};

}  // namespace core
