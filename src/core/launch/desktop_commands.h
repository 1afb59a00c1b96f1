#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "launch/launcher_view.h"
#include "ports/dde_conversation.h"
#include "ports/desktop.h"
#include "ports/environment.h"
#include "ports/prompter.h"
#include "ports/session.h"

namespace core {

// The services of the desktop commands: the session, other programs' windows and the
// shell's DDE conversation.
struct DesktopPorts {
  Session& session;
  Desktop& desktop;
  DdeConversation& dde;
};

// Which end of the Windows session an exit request asks for.
enum class ExitMode { emPowerOff, emReboot, emLogoff };

// The exit flags of each kind of session end.
unsigned ExitFlags(ExitMode mode);

// Exact, case-sensitive class names of folder and browser windows.
inline constexpr std::array<const char*, 2> kFolderWindowClasses{"CabinetWClass", "ExploreWClass"};
inline constexpr std::array<const char*, 5> kBrowserWindowClasses{"IEFrame", "MozillaWindowClass", "OUIWINDOW",
                                                                  "Opera Main Window", "OpWindow"};
// What the close-everything command waits for the shell to minimise the windows.
inline constexpr unsigned kMinimiseAllWait = 700;

// The desktop commands of the launcher's pop-up menu: ending the Windows session,
// the screen saver, the shell's search and closing other programs' windows. Without
// their ports they do nothing.
class DesktopCommands {
 public:
  // A deferred step's error is shown through `prompter`.
  DesktopCommands(LauncherView& view, const Environment& environment, Prompter& prompter)
      : view_(view), environment_(environment), prompter_(prompter) {}
  void SetPorts(const DesktopPorts& ports) { ports_.emplace(ports); }

  void pWindowsExitClick() { RequestWindowsExit(ExitMode::emPowerOff); }
  void pWindowsRebootClick() { RequestWindowsExit(ExitMode::emReboot); }
  void pWindowsLogoffClick() { RequestWindowsExit(ExitMode::emLogoff); }
  void RequestWindowsExit(ExitMode mode);
  void pScreenClick();
  void mFindClick();
  void pCloseFolderClick();
  void pCloseIEClick();
  void pCloseAllClick();
  void pWhollyClick();

 private:
  std::string SystemErrorText();
  template <size_t N>
  void CloseVisibleWindows(const std::array<const char*, N>& classes);
  void CloseMinimisedWindows();

  LauncherView& view_;
  const Environment& environment_;
  Prompter& prompter_;
  std::optional<DesktopPorts> ports_;
};

}  // namespace core
