#pragma once

#include <string_view>

namespace win32 {

// The one sink for failures the user is not told about: a line on the debugger's
// output ("zubi: PLACE: WHAT"), read with a debugger, DebugView, or Wine's debugstr
// channel. Nothing the user sees changes.
void LogFailure(std::string_view place, std::string_view what) noexcept;
// The system's last error, as its number and text.
void LogLastError(std::string_view place) noexcept;
// The exception being handled; call it in a catch block only.
void LogCurrentException(std::string_view place) noexcept;

}  // namespace win32
