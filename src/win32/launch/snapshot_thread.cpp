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

void SnapshotThread::Stop() {
  pending_ = false;
  worker_.Stop();
  busy_ = false;
}

// Background mode lowers the thread's disk and processor priority: the user's work
// comes first.
void SnapshotThread::Run() {
  pending_ = false;
  outcome_ = std::make_shared<Outcome>();
  busy_ = worker_.Start(
      [outcome = outcome_, window = Handle(), executablePath = executablePath_, today = today_](HANDLE stop) {
        SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
        try {
          WinFileSystem files;
          core::TakeDailySnapshot(files, executablePath, today, [stop] { return Worker::Stopped(stop); });
        } catch (const core::Error& e) {
          outcome->failure = e.what();
        } catch (...) {
          // Nothing else is expected; the snapshot is a convenience, the program goes on.
          LogCurrentException("daily snapshot");
        }
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
  if (!busy_) return 0;
  worker_.Stop();
  busy_ = false;
  if (!outcome_->failure.empty()) core::ShowError(prompter_, outcome_->failure);
  return 0;
}

}  // namespace win32
