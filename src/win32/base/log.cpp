#include "base/log.h"

#include <exception>
#include <string>

#include "base/log_file.h"
#include "base/utf16.h"
#include "base/win.h"

namespace win32 {

void LogFailure(std::string_view place, std::string_view what) noexcept {
  try {
    std::wstring line = L"zubi: " + Widen(place) + L": " + Widen(what) + L"\n";
    OutputDebugStringW(line.c_str());
    LogFile::Append(place, what);
  } catch (...) {
    OutputDebugStringW(L"zubi: a failure could not be logged\n");
  }
}

void LogError(std::string_view place, unsigned long error) noexcept {
  wchar_t text[256] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 256, nullptr);
  try {
    std::string what = "error " + std::to_string(error) + " " + Narrow(text);
    while (!what.empty() && (what.back() == '\n' || what.back() == '\r' || what.back() == ' ')) what.pop_back();
    LogFailure(place, what);
  } catch (...) {
    LogFailure(place, "error");
  }
}

void LogLastError(std::string_view place) noexcept { LogError(place, GetLastError()); }

void LogCurrentException(std::string_view place) noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    LogFailure(place, e.what());
  } catch (...) {
    LogFailure(place, "an exception of unknown type");
  }
}

}  // namespace win32
