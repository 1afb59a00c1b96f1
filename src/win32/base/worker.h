#pragma once

#include <functional>
#include <memory>

#include "base/handles.h"
#include "base/win.h"

namespace win32 {

// A thread of the program's own that its owner stops: Stop, and the destructor, signal
// the stop event and wait about a second for the thread to end. A thread that does not
// end by then (a read on a stalled network drive) is logged and left to the end of the
// process, so the body must use only what it holds itself (through shared pointers),
// never its owner's members.
class Worker {
 public:
  // Runs on the thread; `stop` is signalled when the owner stops it.
  using Body = std::function<void(HANDLE stop)>;
  static constexpr DWORD kStopWait = 1000;

  Worker() = default;
  ~Worker() { Stop(); }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  // A thread that runs already is stopped first. False when no thread could be made.
  bool Start(Body body);
  // From Start until the body has returned.
  bool Running() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }
  void Stop(DWORD wait = kStopWait);

  // Whether `stop` is signalled, for a body that asks between steps.
  static bool Stopped(HANDLE stop) { return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

 private:
  struct Shared {
    UniqueKernel stop;
    Body body;
  };
  static DWORD WINAPI Run(void* shared) noexcept;

  std::shared_ptr<Shared> shared_;
  UniqueKernel thread_;
};

}  // namespace win32
