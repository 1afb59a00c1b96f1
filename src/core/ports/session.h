#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace core {

// Exit flags of a request to end the Windows session. No forcing flag: programs may
// still refuse.
inline constexpr unsigned kExitLogoff = 0;
inline constexpr unsigned kExitShutdown = 1;
inline constexpr unsigned kExitReboot = 2;
inline constexpr unsigned kExitPowerOff = 8;

// An access token of the running process, opened for adjusting and querying
// privileges; closed when destroyed.
class AccessToken {
 public:
  virtual ~AccessToken() = default;
  // Enables one privilege and returns the platform's last error code afterwards
  // (0: the privilege is enabled).
  virtual unsigned EnablePrivilege(std::uint64_t privilege) = 0;
};

// The Windows session: ending it, the screen saver, and the system's error texts.
class Session {
 public:
  virtual ~Session() = default;
  // True on the NT family, where ending the session needs the shutdown privilege.
  virtual bool NeedsPrivileges() = 0;
  // Null when the token cannot be opened.
  virtual std::unique_ptr<AccessToken> OpenOwnToken() = 0;
  // The identifier of a privilege by its name; nothing when it is unknown.
  virtual std::optional<std::uint64_t> LookUpPrivilege(const std::string& name) = 0;
  // Asks the system to end the session; the outcome is not reported.
  virtual void RequestSessionEnd(unsigned flags) = 0;
  // The system's text for the calling thread's last error code.
  virtual std::string SystemErrorText() = 0;
  // An information box owned by the foreground window, with one OK button.
  virtual void ShowNotice(const std::string& text, const std::string& caption) = 0;
  // Starts the configured screen saver and returns when the request has been handled.
  virtual void StartScreenSaver() = 0;
};

}  // namespace core
