#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/win.h"
#include "base/worker.h"
#include "ports/change_watch.h"

namespace win32 {

struct WatchedFolders;

// A worker thread waits for the system's change notifications on the folders and
// posts the paths changed to the window as a background answer
// (PostClosure): once no notification has come for a moment, and at
// the latest a second after the first of a burst. A folder whose watch fails (removed,
// renamed, made again) is let go at once, since an open handle keeps a removed folder
// from going; it is watched again when the folder that holds it reports it back, or,
// with no watched folder above it, when it is found again, looked for once a second.
// Stopping the watch (at the latest when it goes) ends the thread.
class WinChangeWatch final : public core::ChangeWatch {
 public:
  // Changes of the files named in `ignored` (the log) are not reported.
  explicit WinChangeWatch(HWND window, std::vector<std::wstring> ignored = {})
      : window_(window), ignored_(std::move(ignored)) {}
  WinChangeWatch(const WinChangeWatch&) = delete;
  WinChangeWatch& operator=(const WinChangeWatch&) = delete;

  void Watch(const std::vector<std::string>& folders, Changed changed) override;
  void Stop() { worker_.Stop(); }

 private:
  HWND window_;
  std::vector<std::wstring> ignored_;
  Worker worker_;
};

}  // namespace win32
