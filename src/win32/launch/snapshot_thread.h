#pragma once

#include <memory>
#include <string>

#include "base/window.h"
#include "base/worker.h"
#include "ports/environment.h"
#include "ports/prompter.h"

namespace win32 {

// The day's snapshot of the settings and page files (core::TakeDailySnapshot), taken
// on a thread of its own with background priority, some time after the launcher
// window shows, so that it never holds up the window or its start. A failure is
// shown once, on the thread that started it, by the program's error display; the
// program goes on. Stopping it (at the latest when it goes) ends the snapshot between
// two files: the day's folder is then not made, and the next start of the day takes it.
class SnapshotThread final : public Window<SnapshotThread> {
 public:
  explicit SnapshotThread(core::Prompter& prompter);

  // After `delay` milliseconds of the starting thread's message loop (0: at once).
  void Start(const std::string& executablePath, const core::LocalTime& today, UINT delay = 0);
  // From Start until its end has been handled on the starting thread.
  bool Running() const { return pending_ || busy_; }
  void Stop();

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // What the thread leaves for the starting thread: its failure's message.
  struct Outcome {
    std::string failure;
  };
  void Run();

  core::Prompter& prompter_;
  std::string executablePath_;
  core::LocalTime today_;
  bool pending_ = false;
  bool busy_ = false;
  std::shared_ptr<Outcome> outcome_;
  Worker worker_;
};

}  // namespace win32
