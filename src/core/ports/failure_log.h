#pragma once

#include <string_view>

namespace core {

// Failures the user is not told about (a page that could not be read ahead, a key
// that could not be worked out), kept where the user can find them to send with a
// report. Writing the log never fails the operation that was logged.
class FailureLog {
 public:
  virtual ~FailureLog() = default;
  // `place` says what was being done, `what` what failed.
  virtual void Failure(std::string_view place, std::string_view what) noexcept = 0;
};

}  // namespace core
