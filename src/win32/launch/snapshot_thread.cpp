#include "launch/snapshot_thread.h"

#include "base/log.h"
#include "base/win_file_system.h"
#include "error.h"
#include "launch/daily_snapshot.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiSnapshot";
constexpr UINT kSnapshotDone = WM_APP + 1;
constexpr UINT_PTR kDelayTimer = 1;

}  // namespace

SnapshotThread::SnapshotThread(core::Prompter& prompter) : prompter_(prompter) {}

SnapshotThread::~SnapshotThread() {
  if (thread_.joinable()) thread_.join();
}

void SnapshotThread::Start(const std::string& executablePath, const core::LocalTime& today, UINT delay) {
  if (Running()) return;
  // A message-only window, made when first needed: the delay and the thread's end
  // come back through it.
  if (!Handle()) {
    RegisterOnce(kClassName, 0, nullptr);
    CreateFor(0, kClassName, L"", 0, RECT{}, HWND_MESSAGE, nullptr);
  }
  executablePath_ = executablePath;
  today_ = today;
  pending_ = true;
  if (delay == 0 || !SetTimer(Handle(), kDelayTimer, delay, nullptr)) Run();
}

// Background mode lowers the thread's disk and processor priority: the user's work
// comes first.
void SnapshotThread::Run() {
  pending_ = false;
  failure_.clear();
  HWND window = Handle();
  thread_ = std::thread([this, window, executablePath = executablePath_, today = today_] {
    SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
    std::string failure;
    try {
      WinFileSystem files;
      core::TakeDailySnapshot(files, executablePath, today);
    } catch (const core::Error& e) {
      failure = e.what();
    } catch (...) {
      // Nothing else is expected; the snapshot is a convenience, the program goes on.
      LogCurrentException("daily snapshot");
    }
    failure_ = std::move(failure);
    PostMessageW(window, kSnapshotDone, 0, 0);
  });
}

LRESULT SnapshotThread::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kDelayTimer) {
    KillTimer(Handle(), kDelayTimer);
    if (pending_) Run();
    return 0;
  }
  if (message != kSnapshotDone) return Default(message, wParam, lParam);
  if (thread_.joinable()) thread_.join();
  if (!failure_.empty()) core::ShowError(prompter_, failure_);
  return 0;
}

}  // namespace win32
