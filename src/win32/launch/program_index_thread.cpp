#include "launch/program_index_thread.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "base/com.h"
#include "base/handles.h"
#include "base/log.h"
#include "base/posted_closure.h"
#include "base/shell_path.h"
#include "base/win_file_system.h"
#include "base/win_program_sources.h"

namespace win32 {
namespace {

// A burst of changes (an installer at work) is over once it has been quiet this long,
constexpr ULONGLONG kQuietMs = 300;
// but one that goes on without end holds a new index back no longer than this.
constexpr ULONGLONG kLongestWaitMs = 3000;
// The Applications folder is read again when asked, once its last reading is this old.
constexpr ULONGLONG kAppsAgeMs = 60'000;
constexpr DWORD kWatchFilter =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;

struct ChangeNotificationRelease {
  void operator()(HANDLE h) const { FindCloseChangeNotification(h); }
};
using UniqueChangeNotification = UniqueHandle<HANDLE, ChangeNotificationRelease>;

// The change notifications of the places' folders, with their subfolders where those
// are looked in. A folder that
// has gone is let go at once (an open handle keeps a removed folder "delete pending")
// and watched again at the next walk once it is back.
class FolderWatches {
 public:
  explicit FolderWatches(const std::vector<core::ProgramSources::Folder>& folders) {
    for (const auto& folder : folders)
      watches_.push_back({folder.path, core::LooksInSubfolders(folder.place), UniqueChangeNotification()});
    OpenMissing();
  }

  void OpenMissing() {
    for (auto& [path, subfolders, handle] : watches_) {
      if (handle) continue;
      const HANDLE opened = FindFirstChangeNotificationW(SystemPath(path).c_str(), subfolders, kWatchFilter);
      if (opened != INVALID_HANDLE_VALUE) handle.reset(opened);
    }
  }

  // The open notifications, after `first`.
  std::vector<HANDLE> Handles(std::vector<HANDLE> first) const {
    for (const auto& watch : watches_)
      if (watch.handle) first.push_back(watch.handle.get());
    return first;
  }

  // A notification came: it waits for the next change, or lets its folder go.
  void Take(HANDLE signalled) {
    for (auto& [path, subfolders, handle] : watches_) {
      if (handle.get() != signalled) continue;
      const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
          !FindNextChangeNotification(handle.get()))
        handle.reset();
    }
  }

 private:
  struct Watch {
    std::string path;
    BOOL subfolders;
    UniqueChangeNotification handle;
  };
  std::vector<Watch> watches_;
};

// The targets of the walk before, kept: a shortcut of the same size and time is not
// read again, so that a file saved on a full desktop costs a listing, not a thousand
// shortcuts read.
class RememberedTargets final : public core::ProgramSources {
 public:
  RememberedTargets(const core::ProgramSources& sources, const core::FileSystem& files)
      : sources_(sources), files_(files) {}

  void BeginWalk() { previous_ = std::exchange(current_, {}); }

  std::vector<Folder> Folders() const override { return sources_.Folders(); }
  std::vector<core::FoundApp> Apps() const override { return sources_.Apps(); }
  std::string ShortcutTarget(const std::string& path) const override {
    const std::optional<core::FileStamp> stamp = files_.Stamp(path);
    if (!stamp) return sources_.ShortcutTarget(path);
    const auto known = previous_.find(path);
    const bool same = known != previous_.end() && known->second.stamp == *stamp;
    return (current_[path] = same ? known->second : Target{*stamp, sources_.ShortcutTarget(path)}).target;
  }

 private:
  const core::ProgramSources& sources_;
  const core::FileSystem& files_;
  struct Target {
    core::FileStamp stamp;
    std::string target;
  };
  mutable std::map<std::string, Target> current_, previous_;
};

}  // namespace

struct ProgramIndexThread::Shared {
  HWND window = nullptr;
  Taken taken;
  std::optional<Folders> folders;
  UniqueKernel refresh{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

ProgramIndexThread::ProgramIndexThread(HWND window, Taken taken, std::optional<Folders> folders)
    : shared_(std::make_shared<Shared>()) {
  shared_->window = window;
  shared_->taken = std::move(taken);
  shared_->folders = std::move(folders);
}

void ProgramIndexThread::Start() {
  if (worker_.Running()) return;
  if (!worker_.Start([shared = shared_](HANDLE stop) { Run(*shared, stop); }))
    LogFailure("indexing the installed programs", "no thread");
}

void ProgramIndexThread::RefreshApps() {
  if (worker_.Running()) SetEvent(shared_->refresh.get());
}

void ProgramIndexThread::Run(const Shared& shared, HANDLE stop) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  ComApartment com;
  const WinFileSystem files;
  const WinProgramSources system(shared.folders);
  RememberedTargets sources(system, files);
  FolderWatches watches(sources.Folders());
  const auto stopped = [stop] { return Worker::Stopped(stop); };

  std::vector<core::FoundFile> found;
  std::vector<core::FoundApp> apps;
  ULONGLONG appsRead = 0, burstBegan = 0, lastChange = 0;
  bool walk = true, readApps = true, first = true, changes = false;
  for (;;) {
    bool changed = first;
    if (walk) {
      watches.OpenMissing();
      sources.BeginWalk();
      std::vector<core::FoundFile> now = core::ProgramFiles(sources, files, stopped);
      if (stopped()) return;
      changed = changed || now != found;
      found = std::move(now);
    }
    if (readApps) {
      std::vector<core::FoundApp> now = sources.Apps();
      appsRead = GetTickCount64();
      changed = changed || now != apps;
      apps = std::move(now);
    }
    if (stopped()) return;
    if (changed) {
      auto index = std::make_shared<const core::ProgramIndex>(core::IndexPrograms(found, apps));
      PostClosure(shared.window, [taken = shared.taken, index = std::move(index)] { taken(index); });
    }
    walk = readApps = first = false;

    DWORD timeout = INFINITE;
    if (changes) {
      const ULONGLONG due = std::min(lastChange + kQuietMs, burstBegan + kLongestWaitMs), now = GetTickCount64();
      timeout = static_cast<DWORD>(due > now ? due - now : 0);
    }
    const std::vector<HANDLE> waits = watches.Handles({stop, shared.refresh.get()});
    const DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, timeout);
    if (woke == WAIT_OBJECT_0) return;
    if (woke == WAIT_FAILED) return LogLastError("waiting for changes of the programs' folders");
    if (woke == WAIT_TIMEOUT) {
      walk = true;
      changes = false;
    } else if (woke == WAIT_OBJECT_0 + 1) {
      readApps = GetTickCount64() - appsRead >= kAppsAgeMs;
    } else {
      watches.Take(waits[woke - WAIT_OBJECT_0]);
      lastChange = GetTickCount64();
      if (!changes) burstBegan = lastChange;
      changes = true;
    }
  }
}

}  // namespace win32
