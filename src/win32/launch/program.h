#pragma once

#include <optional>
#include <string>

#include "base/log.h"
#include "base/message_box.h"
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
#include "launch/button_keys_thread.h"
#include "launch/dialogs.h"
#include "launch/launcher_window.h"
#include "launch/program_index_thread.h"
#include "launch/snapshot_thread.h"

namespace win32 {

// The running program: its ports, its windows, the launcher and its dialogs, and the
// threads that work beside it, made in the order of the start and torn down in the
// reverse order: the threads are stopped first (each waits about a second at most),
// and every window lets go of what it points at before that goes.
class Program {
 public:
  // What a test puts in place of the program's own.
  struct StandIns {
    std::string executablePath;  // empty: the running executable's
    core::Prompter* prompter = nullptr;
  };

  Program();
  explicit Program(const StandIns& standIns);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Shows the window; what its first paint does not need follows it.
  void Start();
  // The message loop, until the window has closed.
  int Run();

  LauncherWindow& Window() { return window_; }

 private:
  void AfterFirstPaint();
  core::LauncherPorts Ports();

  WinEnvironment environment_;
  Win32Prompter ownPrompter_;
  core::Prompter& prompter_;
  WinFileSystem files_;
  WinCodePage codePage_;
  WinShell shell_;
  WinFileProbe probe_;
  WinSound sound_;
  WinFailureLog log_;
  AppWindow application_;
  LauncherWindow window_;
  WinSession session_;
  WinDesktop desktop_;
  WinDdeConversation dde_;
  WinRunningPrograms running_;
  WinBackground background_;
  WinChangeWatch watch_;
  core::TLauncher launcher_;
  std::optional<ButtonKeysThread> buttonKeys_;  // made after the first paint
  Dialogs dialogs_;
  SnapshotThread snapshot_;
  ProgramIndexThread programs_;  // started after the first paint
};

}  // namespace win32
