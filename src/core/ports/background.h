#pragma once

#include <functional>

#include "ports/file_probe.h"

namespace core {

// Work that may wait on slow drives, done away from the window's thread.
class Background {
 public:
  using Done = std::function<void()>;
  virtual ~Background() = default;
  // Runs `work` on another thread, in the order given, with a probe of that thread;
  // the function it returns then runs on the window's thread (an empty one: nothing).
  // `work` must use only what it holds itself: it may run after its caller is gone.
  virtual void Run(std::function<Done(const FileProbe&)> work) = 0;
};

}  // namespace core
