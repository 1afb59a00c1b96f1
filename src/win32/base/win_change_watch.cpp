#include "base/win_change_watch.h"

#include <set>

#include "base/handles.h"
#include "base/log.h"
#include "base/shell_path.h"
#include "base/utf16.h"
#include "base/win_background.h"

namespace win32 {
namespace {

// A burst of writes (a sync service at work) is over once it has been quiet this long.
constexpr DWORD kQuietMs = 250;
constexpr DWORD kNotifyFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

}  // namespace

struct WinChangeWatch::Shared {
  struct Folder {
    std::wstring path;  // with a trailing "\"
    UniqueKernel handle;
    UniqueKernel event;
    OVERLAPPED overlapped{};
    alignas(DWORD) BYTE buffer[16384];
  };
  HWND window = nullptr;
  Changed changed;
  std::vector<std::unique_ptr<Folder>> folders;
};

void WinChangeWatch::Watch(const std::vector<std::string>& folders, Changed changed) {
  auto shared = std::make_shared<Shared>();
  shared->window = window_;
  shared->changed = std::move(changed);
  for (const std::string& folder : folders) {
    auto watched = std::make_unique<Shared::Folder>();
    watched->path = Widen(folder);
    if (!watched->path.empty() && watched->path.back() != L'\\') watched->path += L'\\';
    HANDLE handle = CreateFileW(SystemPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      LogLastError("watching a folder");
      continue;
    }
    watched->handle.reset(handle);
    watched->event.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    shared->folders.push_back(std::move(watched));
  }
  if (shared->folders.empty()) return;
  worker_.Start([shared](HANDLE stop) { Work(*shared, stop); });
}

void WinChangeWatch::Work(Shared& shared, HANDLE stop) {
  auto arm = [](Shared::Folder& folder) {
    ResetEvent(folder.event.get());
    folder.overlapped = {};
    folder.overlapped.hEvent = folder.event.get();
    return ReadDirectoryChangesW(folder.handle.get(), folder.buffer, sizeof folder.buffer, FALSE, kNotifyFilter,
                                 nullptr, &folder.overlapped, nullptr) != FALSE;
  };
  std::vector<HANDLE> waits{stop};
  for (auto& folder : shared.folders) {
    if (!arm(*folder)) LogLastError("waiting for changes in a folder");
    waits.push_back(folder->event.get());
  }
  std::set<std::wstring> changed;
  for (;;) {
    const DWORD wait = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE,
                                              changed.empty() ? INFINITE : kQuietMs);
    if (wait == WAIT_OBJECT_0) break;
    if (wait == WAIT_TIMEOUT) {
      std::vector<std::string> paths;
      for (const std::wstring& path : changed) paths.push_back(Narrow(path));
      changed.clear();
      auto* answer = new core::Background::Done([changed = shared.changed, paths] { changed(paths); });
      if (!PostMessageW(shared.window, WinBackground::AnswerMessage(), 0, reinterpret_cast<LPARAM>(answer)))
        delete answer;
      continue;
    }
    const DWORD index = wait - WAIT_OBJECT_0 - 1;
    if (index >= shared.folders.size()) break;  // a failed wait: the watch ends
    Shared::Folder& folder = *shared.folders[index];
    DWORD bytes = 0;
    const bool read = GetOverlappedResult(folder.handle.get(), &folder.overlapped, &bytes, FALSE) != FALSE;
    // Too many changes for the buffer: the folder stands for all its files.
    if (read && bytes == 0) changed.insert(folder.path);
    if (read && bytes > 0) {
      for (auto* entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(folder.buffer);;
           entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(reinterpret_cast<const BYTE*>(entry) +
                                                                    entry->NextEntryOffset)) {
        if (entry->Action != FILE_ACTION_REMOVED && entry->Action != FILE_ACTION_RENAMED_OLD_NAME)
          changed.insert(folder.path + std::wstring(entry->FileName, entry->FileNameLength / sizeof(wchar_t)));
        if (!entry->NextEntryOffset) break;
      }
    }
    if (!arm(folder)) break;
  }
  // The buffers stay until the system lets go of them.
  for (auto& folder : shared.folders) {
    DWORD bytes = 0;
    if (CancelIoEx(folder->handle.get(), &folder->overlapped))
      GetOverlappedResult(folder->handle.get(), &folder->overlapped, &bytes, TRUE);
  }
}

}  // namespace win32
