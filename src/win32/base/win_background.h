#pragma once

#include <memory>

#include "base/win.h"
#include "ports/background.h"

namespace win32 {

// One worker thread that runs background work in order, each piece with a file probe
// of its own, and posts what the work returns to a window as AnswerMessage(); the
// window hands that message to Deliver. The thread is never waited for: when the
// owner goes, work not yet begun is dropped and a piece still running (a sleeping
// drive) ends on its own, its answer falling on a window that is gone.
class WinBackground final : public core::Background {
 public:
  explicit WinBackground(HWND window);
  ~WinBackground() override;
  WinBackground(const WinBackground&) = delete;
  WinBackground& operator=(const WinBackground&) = delete;

  void Run(std::function<Done(const core::FileProbe&)> work) override;

  static UINT AnswerMessage();
  // Runs the answer carried by an AnswerMessage, on the window's thread.
  static void Deliver(LPARAM lParam);

 private:
  struct Queue;
  static DWORD WINAPI Work(void* queue);
  std::shared_ptr<Queue> queue_;
};

}  // namespace win32
