#pragma once

#include <string_view>

#include "ports/failure_log.h"

namespace win32 {

// The one sink for failures the user is not told about: a line on the debugger's
// output ("zubi: PLACE: WHAT"), read with a debugger, DebugView, or Wine's debugstr
// channel, and a line in the log beside the program while one is open (LogFile).
// Nothing the user sees changes. Any thread may log.
void LogFailure(std::string_view place, std::string_view what) noexcept;
// The system's last error, as its number and text.
void LogLastError(std::string_view place) noexcept;
// The same for an error number the caller holds.
void LogError(std::string_view place, unsigned long error) noexcept;
// The exception being handled; call it in a catch block only.
void LogCurrentException(std::string_view place) noexcept;

// The core's failures go the same way.
class WinFailureLog final : public core::FailureLog {
 public:
  void Failure(std::string_view place, std::string_view what) noexcept override { LogFailure(place, what); }
};

}  // namespace win32
