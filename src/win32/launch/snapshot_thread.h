#pragma once

#include <string>
#include <thread>

#include "base/window.h"
#include "ports/environment.h"
#include "ports/prompter.h"

namespace win32 {

// The day's snapshot of the settings and page files (core::TakeDailySnapshot), taken
// on a thread of its own with background priority, some time after the launcher
// window shows, so that it never holds up the window or its start. A failure is
// shown once, on the thread that started it, by the program's error display; the
// program goes on.
class SnapshotThread final : public Window<SnapshotThread> {
 public:
  explicit SnapshotThread(core::Prompter& prompter);
  // Waits for a snapshot under way.
  ~SnapshotThread();

  // After `delay` milliseconds of the starting thread's message loop (0: at once).
  void Start(const std::string& executablePath, const core::LocalTime& today, UINT delay = 0);
  // From Start until its end has been handled on the starting thread.
  bool Running() const { return pending_ || thread_.joinable(); }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Run();

  core::Prompter& prompter_;
  std::string executablePath_;
  core::LocalTime today_;
  bool pending_ = false;
  std::thread thread_;
  std::string failure_;  // written by the thread before it reports its end
};

}  // namespace win32
