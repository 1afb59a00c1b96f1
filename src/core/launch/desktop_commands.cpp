#include "launch/desktop_commands.h"

#include "error.h"
#include "launch/desktop_texts.h"

namespace core {

unsigned ExitFlags(ExitMode mode) {
  switch (mode) {
    case ExitMode::emPowerOff: return kExitShutdown | kExitPowerOff;
    case ExitMode::emReboot: return kExitReboot;
    case ExitMode::emLogoff: return kExitLogoff;
  }
  return kExitLogoff;
}

std::string DesktopCommands::SystemErrorText() { return ports_ ? ports_->session.SystemErrorText() : std::string(); }

// The exit request is made whatever happened to the privilege: the system decides.
void DesktopCommands::RequestWindowsExit(ExitMode mode) {
  if (!ports_) return;
  Session& session = ports_->session;
  auto notice = [&](const std::string& text) { session.ShowNotice(text, texts::kTokenErrorCaption); };
  if (session.NeedsPrivileges()) {
    if (auto token = session.OpenOwnToken(); !token) {
      notice(texts::kCannotOpenToken + SystemErrorText() + "]");
    } else if (auto privilege = session.LookUpPrivilege(texts::kShutdownPrivilege); !privilege) {
      notice(texts::kCannotFindPrivilege + SystemErrorText() + "]");
    } else if (token->EnablePrivilege(*privilege) != 0) {
      notice(texts::kCannotAdjustPrivileges);
    }
  }
  session.RequestSessionEnd(ExitFlags(mode));
  // The launcher offers to quit through its ordinary close path, which asks first.
  if (mode == ExitMode::emLogoff) ports_->desktop.PostClose(view_.NativeHandle());
}

void DesktopCommands::pScreenClick() {
  if (ports_) ports_->session.StartScreenSaver();
}

// The shell's search window, rooted at the documents folder. Nothing is reported.
void DesktopCommands::mFindClick() {
  if (!ports_) return;
  DdeConversation& dde = ports_->dde;
  dde.SetLink(texts::kSearchService, texts::kSearchTopic);
  dde.SetServiceApplication(texts::kSearchServiceApplication);
  if (dde.OpenLink()) {
    std::string command = texts::kFindFolderCommand;
    // The path goes in unchanged, without escaping.
    command.replace(command.find("%S"), 2, environment_.FolderPath(kFolderPersonal));
    dde.ExecuteMacro(command);
  }
  dde.CloseLink();
}

template <size_t N>
void DesktopCommands::CloseVisibleWindows(const std::array<const char*, N>& classes) {
  Desktop& desktop = ports_->desktop;
  desktop.ForEachTopLevelWindow([&](std::uintptr_t window) {
    if (!desktop.IsVisible(window)) return;
    const std::string name = desktop.ClassNameOf(window);
    for (const char* listed : classes) {
      if (name == listed) {
        desktop.PostClose(window);
        return;
      }
    }
  });
}

void DesktopCommands::pCloseFolderClick() {
  if (ports_) CloseVisibleWindows(kFolderWindowClasses);
}

void DesktopCommands::pCloseIEClick() {
  if (ports_) CloseVisibleWindows(kBrowserWindowClasses);
}

void DesktopCommands::pCloseAllClick() {
  if (!ports_) return;
  CloseVisibleWindows(kFolderWindowClasses);
  CloseVisibleWindows(kBrowserWindowClasses);
}

// Windows+M lets the shell minimise every window that can be; whatever is minimised
// once it has had time is closed. The wait is a deferred step rather than a sleep, so
// the launcher window keeps painting and answering (also the shell, which may send
// it messages while minimising) during those 700 ms.
void DesktopCommands::pWhollyClick() {
  if (!ports_) return;
  Desktop& desktop = ports_->desktop;
  desktop.SendKey(kKeyLeftWindows, false);
  desktop.SendKey(kKeyM, false);
  desktop.SendKey(kKeyM, true);
  desktop.SendKey(kKeyLeftWindows, true);
  desktop.RunLater(kMinimiseAllWait, [this] { Reporting(prompter_, [this] { CloseMinimisedWindows(); }); });
}

void DesktopCommands::CloseMinimisedWindows() {
  Desktop& desktop = ports_->desktop;
  desktop.ForEachTopLevelWindow([&](std::uintptr_t window) {
    if (desktop.IsVisible(window) && desktop.IsMinimised(window)) desktop.PostClose(window);
  });
}

}  // namespace core
