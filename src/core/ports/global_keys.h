#pragma once

#include <functional>
#include <vector>

namespace core {

// One key to register, under an identifier of the program's own.
struct KeyRegistration {
  int id = 0;
  unsigned modifiers = 0;
  int code = 0;
};

// The platform's side of the buttons' keys: registrations on a window that hears
// nothing else, made away from the window's thread (a thousand of them take a while).
class GlobalKeys {
 public:
  using Refused = std::function<void(const std::vector<int>& ids)>;
  virtual ~GlobalKeys() = default;
  // Withdraws, then registers, after every change asked for before; `done` hears the
  // identifiers the system refused (another program has the key), later on the
  // window's thread, or at once.
  virtual void Change(const std::vector<int>& withdrawn, const std::vector<KeyRegistration>& added, Refused done) = 0;
  // Returns once every change asked for is made.
  virtual void Flush() = 0;
};

}  // namespace core
