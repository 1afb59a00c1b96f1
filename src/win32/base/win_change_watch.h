#pragma once

#include <memory>

#include "base/win.h"
#include "base/worker.h"
#include "ports/change_watch.h"

namespace win32 {

// A worker thread waits for the system's change notifications on the folders; once no
// notification has come for a moment, it posts the paths changed to the window as a
// background answer (WinBackground::AnswerMessage). Stopping the watch (at the latest
// when it goes) ends the thread.
class WinChangeWatch final : public core::ChangeWatch {
 public:
  explicit WinChangeWatch(HWND window) : window_(window) {}
  WinChangeWatch(const WinChangeWatch&) = delete;
  WinChangeWatch& operator=(const WinChangeWatch&) = delete;

  void Watch(const std::vector<std::string>& folders, Changed changed) override;
  void Stop() { worker_.Stop(); }

 private:
  struct Shared;
  static void Work(Shared& shared, HANDLE stop);
  HWND window_;
  Worker worker_;
};

}  // namespace win32
