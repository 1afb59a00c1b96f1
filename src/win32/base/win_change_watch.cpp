#include "base/win_change_watch.h"

#include <algorithm>
#include <set>

#include "base/handles.h"
#include "base/log.h"
#include "base/posted_closure.h"
#include "base/shell_path.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// A burst of writes (a sync service at work) is over once it has been quiet this long,
constexpr ULONGLONG kQuietMs = 250;
// but a neighbour that writes its own file without end holds no change back longer.
constexpr ULONGLONG kLongestWaitMs = 1000;
// How often a folder with no watched folder above it is looked for while it is gone.
constexpr DWORD kLookAgainMs = 1000;
constexpr DWORD kFileFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

struct WatchedFolders {
  struct Folder {
    std::wstring path;              // with a trailing "\"
    std::wstring systemPath;        // for CreateFileW
    const Folder* above = nullptr;  // the watched folder that holds it
    std::wstring name;              // its name there
    bool holdsFolders = false;      // a watched folder is in it: its folders' names are watched too
    UniqueKernel handle;            // while it is watched
    UniqueKernel event;
    OVERLAPPED overlapped{};
    bool armed = false;  // a read is under way in the buffer
    alignas(DWORD) BYTE buffer[16384];
  };
  HWND window = nullptr;
  core::ChangeWatch::Changed changed;
  std::vector<std::wstring> ignored;
  std::vector<std::unique_ptr<Folder>> folders;
};

namespace {

using Folder = WatchedFolders::Folder;

// The work of the watch's thread: the folders' handles, their reads and the paths
// changed since the last report.
class Watcher {
 public:
  explicit Watcher(WatchedFolders& shared) : shared_(shared) {}
  ~Watcher() {
    for (auto& folder : shared_.folders) Close(*folder);
  }
  void Run(HANDLE stop);

 private:
  bool Open(Folder& folder);
  bool Arm(Folder& folder);
  void Close(Folder& folder);
  void Failed(Folder& folder, DWORD error);
  void OpenAgain(Folder& folder);
  void Take(Folder& folder);
  void TakeEntry(Folder& folder, DWORD action, const std::wstring& name);
  void LookForGoneFolders(bool rootsToo);
  void Note(const std::wstring& path);
  DWORD Timeout() const;
  void ReportWhenDue();

  WatchedFolders& shared_;
  std::set<std::wstring> changed_;
  ULONGLONG burstBegan_ = 0, lastChange_ = 0;
};

bool Watcher::Open(Folder& folder) {
  Close(folder);
  HANDLE handle = CreateFileW(folder.systemPath.c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  folder.handle.reset(handle);
  if (Arm(folder)) return true;
  Close(folder);
  return false;
}

bool Watcher::Arm(Folder& folder) {
  ResetEvent(folder.event.get());
  folder.overlapped = {};
  folder.overlapped.hEvent = folder.event.get();
  const DWORD filter = kFileFilter | (folder.holdsFolders ? FILE_NOTIFY_CHANGE_DIR_NAME : 0);
  folder.armed = ReadDirectoryChangesW(folder.handle.get(), folder.buffer, sizeof folder.buffer, FALSE, filter, nullptr,
                                       &folder.overlapped, nullptr) != FALSE;
  return folder.armed;
}

// The buffer stays until the system lets go of it.
void Watcher::Close(Folder& folder) {
  if (folder.armed) {
    DWORD bytes = 0;
    CancelIoEx(folder.handle.get(), &folder.overlapped);
    GetOverlappedResult(folder.handle.get(), &folder.overlapped, &bytes, TRUE);
    folder.armed = false;
  }
  folder.handle.reset();
}

// Logged once; the handle goes at once, so that a removed folder can go and be made
// again (an open handle keeps it "delete pending"). It is watched again when it is
// back, and then stands for all its files.
void Watcher::Failed(Folder& folder, DWORD error) {
  LogError("watching " + Narrow(folder.path) + " for changes", error);
  Close(folder);
}

void Watcher::OpenAgain(Folder& folder) {
  if (Open(folder)) Note(folder.path);
}

void Watcher::Take(Folder& folder) {
  folder.armed = false;
  DWORD bytes = 0;
  if (!GetOverlappedResult(folder.handle.get(), &folder.overlapped, &bytes, FALSE)) {
    const DWORD error = GetLastError();
    // Too many changes for the system to name: the folder stands for all its files.
    if (error != ERROR_NOTIFY_ENUM_DIR) {
      Failed(folder, error);
      return;
    }
    Note(folder.path);
  } else if (bytes == 0) {
    Note(folder.path);
  } else {
    for (auto* entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(folder.buffer);;
         entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(reinterpret_cast<const BYTE*>(entry) +
                                                                  entry->NextEntryOffset)) {
      TakeEntry(folder, entry->Action, std::wstring(entry->FileName, entry->FileNameLength / sizeof(wchar_t)));
      if (!entry->NextEntryOffset) break;
    }
  }
  if (!Arm(folder)) {
    Failed(folder, GetLastError());
    return;
  }
  // A folder below that came back while its name's change was lost in a full buffer.
  if (folder.holdsFolders) LookForGoneFolders(false);
}

// A removal is a change too. A watched folder below that goes, or is renamed away, is
// let go; one that comes (made again, renamed back) is watched again and stands for
// all its files.
void Watcher::TakeEntry(Folder& folder, DWORD action, const std::wstring& name) {
  const std::wstring path = folder.path + name;
  if (std::any_of(shared_.ignored.begin(), shared_.ignored.end(),
                  [&](const std::wstring& ignored) { return SameName(ignored, path); }))
    return;
  Note(path);
  for (auto& below : shared_.folders) {
    if (below->above != &folder || !SameName(below->name, name)) continue;
    if (action == FILE_ACTION_REMOVED || action == FILE_ACTION_RENAMED_OLD_NAME) Close(*below);
    if (action == FILE_ACTION_ADDED || action == FILE_ACTION_RENAMED_NEW_NAME) OpenAgain(*below);
  }
}

// Folders with a watched folder above come back through its reports; only the others
// are looked for, and only when their time has come.
void Watcher::LookForGoneFolders(bool rootsToo) {
  for (auto& folder : shared_.folders) {
    if (folder->handle) continue;
    if (folder->above ? static_cast<bool>(folder->above->handle) : rootsToo) OpenAgain(*folder);
  }
}

void Watcher::Note(const std::wstring& path) {
  const ULONGLONG now = GetTickCount64();
  if (changed_.empty()) burstBegan_ = now;
  lastChange_ = now;
  changed_.insert(path);
}

DWORD Watcher::Timeout() const {
  ULONGLONG wait = INFINITE;
  if (!changed_.empty()) {
    const ULONGLONG due = std::min(lastChange_ + kQuietMs, burstBegan_ + kLongestWaitMs), now = GetTickCount64();
    wait = due > now ? due - now : 0;
  }
  for (const auto& folder : shared_.folders)
    if (!folder->handle && !folder->above) wait = std::min<ULONGLONG>(wait, kLookAgainMs);
  return static_cast<DWORD>(wait);
}

void Watcher::ReportWhenDue() {
  const ULONGLONG now = GetTickCount64();
  if (changed_.empty() || (now < lastChange_ + kQuietMs && now < burstBegan_ + kLongestWaitMs)) return;
  std::vector<std::string> paths;
  for (const std::wstring& path : changed_) paths.push_back(Narrow(path));
  changed_.clear();
  PostClosure(shared_.window, [changed = shared_.changed, paths] { changed(paths); });
}

void Watcher::Run(HANDLE stop) {
  for (auto& folder : shared_.folders)
    if (!Open(*folder)) LogLastError("watching " + Narrow(folder->path) + " for changes");
  for (;;) {
    std::vector<HANDLE> waits{stop};
    std::vector<Folder*> waited;
    for (auto& folder : shared_.folders) {
      if (!folder->armed) continue;
      waits.push_back(folder->event.get());
      waited.push_back(folder.get());
    }
    const DWORD wait = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, Timeout());
    if (wait == WAIT_OBJECT_0) return;
    if (wait == WAIT_FAILED) return LogLastError("waiting for changes");
    if (wait == WAIT_TIMEOUT) LookForGoneFolders(true);
    const DWORD index = wait - WAIT_OBJECT_0 - 1;
    if (index < waited.size()) Take(*waited[index]);
    ReportWhenDue();
  }
}

}  // namespace

void WinChangeWatch::Watch(const std::vector<std::string>& folders, Changed changed) {
  auto shared = std::make_shared<WatchedFolders>();
  shared->window = window_;
  shared->changed = std::move(changed);
  shared->ignored = ignored_;
  for (const std::string& path : folders) {
    auto folder = std::make_unique<WatchedFolders::Folder>();
    folder->path = Widen(path);
    if (!folder->path.empty() && folder->path.back() != L'\\') folder->path += L'\\';
    folder->systemPath = SystemPath(path);
    folder->event.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!folder->event) continue;
    shared->folders.push_back(std::move(folder));
  }
  for (auto& folder : shared->folders) {
    for (auto& above : shared->folders) {
      const std::wstring& a = above->path;
      const std::wstring& f = folder->path;
      if (f.size() <= a.size() || !SameName(f.substr(0, a.size()), a)) continue;
      const std::wstring name = f.substr(a.size(), f.size() - a.size() - 1);
      if (name.empty() || name.find(L'\\') != std::wstring::npos) continue;
      folder->above = above.get();
      folder->name = name;
      above->holdsFolders = true;
    }
  }
  if (shared->folders.empty()) return;
  worker_.Start([shared](HANDLE stop) { Watcher(*shared).Run(stop); });
}

}  // namespace win32
