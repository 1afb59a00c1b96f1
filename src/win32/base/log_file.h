#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/win.h"

namespace win32 {

struct LogFileState;

// The log beside the program, for a user to send with a report: while a LogFile is
// open, every line of LogFailure also goes to "<exe name>.log" beside the exe, in
// UTF-8, with the local time. The lines are written on the system's thread pool, so
// that logging never waits for a slow disk and no thread of ours runs before there is
// something to write. Past about `cap` bytes the file becomes "<exe name>.old.log"
// (replacing the older one) and begins again. Where the folder cannot be written,
// nothing is logged and nothing else changes.
class LogFile {
 public:
  static constexpr std::uint64_t kCap = 256 * 1024;
  // "zubi.log" and "zubi.old.log" for "zubi.exe".
  static std::wstring PathOf(const std::wstring& exePath);
  static std::wstring OldPathOf(const std::wstring& exePath);

  // The newest LogFile is the one written; the one before is closed for good.
  explicit LogFile(const std::wstring& exePath, std::uint64_t cap = kCap);
  // Writes what is queued (a moment at most) and closes the log.
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // Waits until every line logged so far is written, or was dropped because it could
  // not be; false when `timeout` ms passed first.
  bool Flush(DWORD timeout) const;

  // LogFailure's line to the open log, if there is one.
  static void Append(std::string_view place, std::string_view what) noexcept;

 private:
  std::shared_ptr<LogFileState> state_;
};

}  // namespace win32
