#pragma once

#include <memory>

#include "base/win.h"
#include "base/worker.h"
#include "ports/background.h"

namespace win32 {

// One worker thread that runs background work in order, each piece with a file probe
// of its own, and posts what the work returns to a window (PostClosure). Stopping it (at the latest when it goes) drops
// the work not yet begun and waits a moment for a piece under way; one that waits on a
// sleeping drive longer ends on its own, its answer falling on a window that is gone.
class WinBackground final : public core::Background {
 public:
  explicit WinBackground(HWND window);
  WinBackground(const WinBackground&) = delete;
  WinBackground& operator=(const WinBackground&) = delete;

  void Run(std::function<Done(const core::FileProbe&)> work) override;
  void Stop() { worker_.Stop(); }

 private:
  struct Queue;
  static void Work(Queue& queue, HANDLE stop);
  std::shared_ptr<Queue> queue_;
  Worker worker_;
};

}  // namespace win32
