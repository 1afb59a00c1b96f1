#include "base/win_background.h"

#include <deque>

#include "base/handles.h"
#include "base/log.h"
#include "base/win_file_probe.h"

namespace win32 {

struct WinBackground::Queue {
  HWND window = nullptr;
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE ready = CONDITION_VARIABLE_INIT;
  std::deque<std::function<Done(const core::FileProbe&)>> work;
  bool started = false;
  bool stop = false;
};

WinBackground::WinBackground(HWND window) : queue_(std::make_shared<Queue>()) { queue_->window = window; }

WinBackground::~WinBackground() {
  AcquireSRWLockExclusive(&queue_->lock);
  queue_->stop = true;
  queue_->work.clear();
  ReleaseSRWLockExclusive(&queue_->lock);
  WakeAllConditionVariable(&queue_->ready);
}

UINT WinBackground::AnswerMessage() {
  static const UINT message = RegisterWindowMessageW(L"ZubiBackgroundAnswer");
  return message;
}

// The thread starts with the first piece of work.
void WinBackground::Run(std::function<Done(const core::FileProbe&)> work) {
  AcquireSRWLockExclusive(&queue_->lock);
  queue_->work.push_back(std::move(work));
  bool start = !queue_->started;
  queue_->started = true;
  ReleaseSRWLockExclusive(&queue_->lock);
  WakeConditionVariable(&queue_->ready);
  if (!start) return;
  auto* shared = new std::shared_ptr<Queue>(queue_);
  UniqueKernel thread(CreateThread(nullptr, 0, Work, shared, 0, nullptr));
  if (!thread) delete shared;
}

DWORD WINAPI WinBackground::Work(void* parameter) {
  std::unique_ptr<std::shared_ptr<Queue>> owner(static_cast<std::shared_ptr<Queue>*>(parameter));
  Queue& queue = **owner;
  const WinFileProbe probe;
  for (;;) {
    AcquireSRWLockExclusive(&queue.lock);
    while (queue.work.empty() && !queue.stop) SleepConditionVariableSRW(&queue.ready, &queue.lock, INFINITE, 0);
    if (queue.stop) {
      ReleaseSRWLockExclusive(&queue.lock);
      return 0;
    }
    auto work = std::move(queue.work.front());
    queue.work.pop_front();
    ReleaseSRWLockExclusive(&queue.lock);
    try {
      Done answer = work(probe);
      if (!answer) continue;
      auto* carried = new Done(std::move(answer));
      if (!PostMessageW(queue.window, AnswerMessage(), 0, reinterpret_cast<LPARAM>(carried))) delete carried;
    } catch (...) {
      LogCurrentException("background work");
    }
  }
}

void WinBackground::Deliver(LPARAM lParam) {
  std::unique_ptr<Done> answer(reinterpret_cast<Done*>(lParam));
  if (answer && *answer) (*answer)();
}

}  // namespace win32
