#pragma once

#include <memory>

#include "base/win.h"
#include "ports/change_watch.h"

namespace win32 {

// A worker thread waits for the system's change notifications on the folders; once no
// notification has come for a moment, it posts the paths changed to the window as a
// background answer (WinBackground::AnswerMessage). The thread ends when the watch is
// gone, and is not waited for.
class WinChangeWatch final : public core::ChangeWatch {
 public:
  explicit WinChangeWatch(HWND window) : window_(window) {}
  ~WinChangeWatch() override;
  WinChangeWatch(const WinChangeWatch&) = delete;
  WinChangeWatch& operator=(const WinChangeWatch&) = delete;

  void Watch(const std::vector<std::string>& folders, Changed changed) override;

 private:
  struct Shared;
  static DWORD WINAPI Work(void* shared);
  HWND window_;
  std::shared_ptr<Shared> shared_;
};

}  // namespace win32
