#pragma once

#include "base/win.h"
#include "ports/file_probe.h"

namespace win32 {

// The calling thread's error mode for a scope: a drive without its disk and similar
// critical errors make the call fail instead of asking the user.
class QuietErrors {
 public:
  QuietErrors();
  ~QuietErrors();
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  DWORD old_ = 0;
};

// Looks at files with GetFileAttributesW alone (no shell), with the system's "no disk"
// and similar error boxes turned off for the calling thread while it looks.
class WinFileProbe final : public core::FileProbe {
 public:
  bool Exists(const std::string& path) const override;
  // Asks the shell, with COM on the calling thread for the while.
  bool ShellItemExists(const std::string& name) const override;
  core::DriveKind KindOfDrive(char letter) const override;
  std::optional<std::string> NetworkPath(const std::string& path) const override;
};

}  // namespace win32
