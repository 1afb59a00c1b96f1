#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace core {

// Virtual key codes of the synthetic key strokes.
inline constexpr int kKeyLeftWindows = 0x5B;
inline constexpr int kKeyM = 0x4D;

// Other programs' top-level windows, synthetic key strokes and deferred steps.
// Windows are the platform's opaque handles.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // Offers every top-level window once.
  virtual void ForEachTopLevelWindow(const std::function<void(std::uintptr_t)>& visit) = 0;
  virtual bool IsVisible(std::uintptr_t window) = 0;
  virtual bool IsMinimised(std::uintptr_t window) = 0;
  // The window's class name, at most 255 characters.
  virtual std::string ClassNameOf(std::uintptr_t window) = 0;
  // Asks a window to close and returns at once.
  virtual void PostClose(std::uintptr_t window) = 0;
  // One synthetic key stroke: a press, or a release when `release`.
  virtual void SendKey(int virtualKey, bool release) = 0;
  // Runs `step` on this thread once `milliseconds` have passed, while the caller's
  // window goes on handling its messages.
  virtual void RunLater(unsigned milliseconds, std::function<void()> step) = 0;
};

}  // namespace core
