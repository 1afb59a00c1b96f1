#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/win.h"
#include "base/worker.h"
#include "find/program_index.h"
#include "ports/program_sources.h"

namespace win32 {

// The index of installed programs, made on a thread of its own (COM up there, below
// normal priority) and kept up to date: the Start menu's and the desktops' folders,
// their subfolders too, are watched through the system's change notifications, and a
// burst of changes makes one new index once it has been quiet a moment; nothing runs
// while they are quiet. The Applications folder is read at the start and again when
// asked, at most once a minute. Each index that differs from the last goes to the
// window as a background answer (PostClosure), made ready to search on the thread, so
// that taking it in is the swap of a pointer. Stopping it (at the latest when it
// goes) ends a walk between two files.
class ProgramIndexThread {
 public:
  using Taken = std::function<void(std::shared_ptr<const core::ProgramIndex>)>;
  using Folders = std::vector<core::ProgramSources::Folder>;

  // `taken` hears each new index on `window`'s thread. `folders` in place of the
  // system's places (a test's own); nothing: the system's.
  ProgramIndexThread(HWND window, Taken taken, std::optional<Folders> folders = std::nullopt);
  ~ProgramIndexThread() { Stop(); }
  ProgramIndexThread(const ProgramIndexThread&) = delete;
  ProgramIndexThread& operator=(const ProgramIndexThread&) = delete;

  // Makes the first index; a thread that runs already goes on.
  void Start();
  // The Applications folder read again, unless it was read less than a minute ago
  // (programs installed from the store change no watched folder). Nothing before Start.
  void RefreshApps();
  void Stop() { worker_.Stop(); }

 private:
  struct Shared;
  static void Run(const Shared& shared, HANDLE stop);

  std::shared_ptr<Shared> shared_;
  Worker worker_;
};

}  // namespace win32
