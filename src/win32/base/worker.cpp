#include "base/worker.h"

#include "base/log.h"

namespace win32 {

bool Worker::Start(Body body) {
  Stop();
  auto shared = std::make_shared<Shared>();
  shared->stop.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  shared->body = std::move(body);
  if (!shared->stop) return false;
  auto* carried = new std::shared_ptr<Shared>(shared);
  thread_.reset(CreateThread(nullptr, 0, Run, carried, 0, nullptr));
  if (!thread_) {
    delete carried;
    LogLastError("starting a worker thread");
    return false;
  }
  shared_ = std::move(shared);
  return true;
}

void Worker::Stop(DWORD wait) {
  if (!thread_) return;
  SetEvent(shared_->stop.get());
  if (WaitForSingleObject(thread_.get(), wait) == WAIT_TIMEOUT)
    LogFailure("stopping a worker thread", "it did not end in time and is left to the end of the process");
  thread_.reset();
  shared_.reset();
}

DWORD WINAPI Worker::Run(void* parameter) noexcept {
  std::unique_ptr<std::shared_ptr<Shared>> owner(static_cast<std::shared_ptr<Shared>*>(parameter));
  Shared& shared = **owner;
  try {
    shared.body(shared.stop.get());
  } catch (...) {
    LogCurrentException("worker thread");
  }
  return 0;
}

}  // namespace win32
