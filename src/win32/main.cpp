// The program's entry: one instance per executable name, the launcher window, and
// the message loop.
#include "base/win.h"

#include <commctrl.h>

#include "base/lazy_library.h"
#include "base/message_box.h"
#include "base/utf16.h"
#include "base/win_background.h"
#include "base/win_change_watch.h"
#include "base/win_code_page.h"
#include "base/win_desktop.h"
#include "base/win_environment.h"
#include "base/win_file_probe.h"
#include "base/win_file_system.h"
#include "base/win_running_programs.h"
#include "base/win_shell.h"
#include "base/win_sound.h"
#include "launch/app_window.h"
#include "launch/dialogs.h"
#include "launch/launcher_texts.h"
#include "launch/launcher_window.h"
#include "launch/single_instance.h"
#include "launch/snapshot_thread.h"

namespace {

// Milliseconds after the first paint.
constexpr UINT kSnapshotDelay = 2000;
constexpr UINT kReadAheadDelay = 500;

int RunMessageLoop(win32::LauncherWindow& window) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) win32::ProcessLoopMessage(window, message);
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  win32::RestrictLibrarySearch();
  win32::Win32Prompter prompter;
  win32::UniqueAtom atom;
  switch (win32::ClaimSingleInstance(win32::FileNameOf(win32::ModulePath()), atom)) {
    case win32::InstanceCheck::kAnotherRuns: return 0;
    case win32::InstanceCheck::kCannotStart: prompter.ShowMessage(core::texts::kCannotStart); return 1;
    case win32::InstanceCheck::kFirst: break;
  }
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS;
  InitCommonControlsEx(&controls);

  win32::WinFileSystem files;
  win32::WinCodePage codePage;
  win32::WinShell shell;
  win32::WinEnvironment environment;
  win32::PublishProgramFolder(environment.ExecutablePath());
  win32::WinFileProbe probe;
  win32::WinSound sound;
  win32::AppWindow application;
  win32::LauncherWindow window(application.Handle());
  win32::WinSession session(application.Handle());
  win32::WinDesktop desktop;
  win32::WinDdeConversation dde;
  win32::WinRunningPrograms running;
  application.SetMainWindow(window.Handle());
  prompter.SetOwner(window.Handle());

  win32::WinBackground background(window.Handle());
  win32::WinChangeWatch watch(window.Handle());
  core::TLauncher launcher(window, {files, codePage, prompter, shell, environment, sound, probe});
  launcher.Desktop().SetPorts({session, desktop, dde});
  launcher.SetBackground(&background);
  window.CreateComponentsLater(prompter, codePage);
  window.Attach(&launcher);
  launcher.FormCreate();
  win32::Dialogs dialogs;
  win32::SnapshotThread snapshot(prompter);
  // The day's snapshot waits until the start is well over.
  window.SetAfterStart([&] {
    dialogs.Create(window.Handle(), launcher, window.WaitHotKey());
    // Another copy of the program, a sync service or a restored snapshot may write
    // the settings file and the pages while the program runs.
    watch.Watch({core::ProgramFolderOf(environment.ExecutablePath()), launcher.Pages().DataFolder()},
                [&](const std::vector<std::string>& paths) { launcher.FilesChanged(paths); });
    launcher.SetRunningPrograms(&running);
    launcher.Marks().Refresh();
    // The pages are read once the start is over, so that the page list opens at once.
    desktop.RunLater(kReadAheadDelay, [&] {
      launcher.Pages().ReadAhead(launcher.Current().UserName, launcher.Current().PageNoControl);
    });
    snapshot.Start(environment.ExecutablePath(), environment.Now(), kSnapshotDelay);
  });
  application.HideFromTaskbar();
  window.Start();
  return RunMessageLoop(window);
}
