#include "launch/snapshot_thread.h"

#include "base/win_file_system.h"
#include "error.h"
#include "launch/daily_snapshot.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiSnapshot";
constexpr UINT kSnapshotDone = WM_APP + 1;

}  // namespace

SnapshotThread::SnapshotThread(core::Prompter& prompter) : prompter_(prompter) {}

SnapshotThread::~SnapshotThread() {
  if (thread_.joinable()) thread_.join();
}

void SnapshotThread::Start(const std::string& executablePath, const core::LocalTime& today) {
  if (thread_.joinable()) return;
  // A message-only window, made when first needed: the thread's end comes back
  // through it.
  if (!Handle()) {
    RegisterOnce(kClassName, 0, nullptr);
    CreateFor(0, kClassName, L"", 0, RECT{}, HWND_MESSAGE, nullptr);
  }
  failure_.clear();
  HWND window = Handle();
  thread_ = std::thread([this, window, executablePath, today] {
    std::string failure;
    try {
      WinFileSystem files;
      core::TakeDailySnapshot(files, executablePath, today);
    } catch (const core::Error& e) {
      failure = e.what();
    } catch (...) {
      // Nothing else is expected; the snapshot is a convenience, the program goes on.
    }
    failure_ = std::move(failure);
    PostMessageW(window, kSnapshotDone, 0, 0);
  });
}

LRESULT SnapshotThread::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kSnapshotDone) return Default(message, wParam, lParam);
  if (thread_.joinable()) thread_.join();
  if (!failure_.empty()) core::ShowError(prompter_, failure_);
  return 0;
}

}  // namespace win32
