#include "base/win_background.h"

#include <deque>

#include "base/handles.h"
#include "base/log.h"
#include "base/posted_closure.h"
#include "base/win_file_probe.h"

namespace win32 {

struct WinBackground::Queue {
  HWND window = nullptr;
  SRWLOCK lock = SRWLOCK_INIT;
  UniqueKernel ready{CreateEventW(nullptr, FALSE, FALSE, nullptr)};  // work was added
  std::deque<std::function<Done(const core::FileProbe&)>> work;
};

WinBackground::WinBackground(HWND window) : queue_(std::make_shared<Queue>()) { queue_->window = window; }

// The thread starts with the first piece of work.
void WinBackground::Run(std::function<Done(const core::FileProbe&)> work) {
  AcquireSRWLockExclusive(&queue_->lock);
  queue_->work.push_back(std::move(work));
  ReleaseSRWLockExclusive(&queue_->lock);
  SetEvent(queue_->ready.get());
  if (!worker_.Running()) worker_.Start([queue = queue_](HANDLE stop) { Work(*queue, stop); });
}

void WinBackground::Work(Queue& queue, HANDLE stop) {
  const WinFileProbe probe;
  const HANDLE waits[] = {stop, queue.ready.get()};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    for (;;) {
      AcquireSRWLockExclusive(&queue.lock);
      if (queue.work.empty() || Worker::Stopped(stop)) {
        ReleaseSRWLockExclusive(&queue.lock);
        break;
      }
      auto work = std::move(queue.work.front());
      queue.work.pop_front();
      ReleaseSRWLockExclusive(&queue.lock);
      try {
        if (Done answer = work(probe)) PostClosure(queue.window, std::move(answer));
      } catch (...) {
        LogCurrentException("background work");
      }
    }
  }
}

}  // namespace win32
