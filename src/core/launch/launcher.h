#pragma once

#include <functional>
#include <string>

#include "launch/button_editor.h"
#include "launch/desktop_commands.h"
#include "launch/launcher_keys.h"
#include "launch/launcher_settings.h"
#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch/page_store.h"
#include "launch/running_marks.h"
#include "launch/status_line.h"
#include "launch/window_display.h"
#include "ports/file_probe.h"

namespace core {

class TAboutBox;
class TFindBox;
class TListDlg;
class TUserDlg;
class TOptionDlg;
class TTrayIcon;
class TWaitHotKey;

// The platform services the launcher uses.
struct LauncherPorts {
  FileSystem& files;
  const CodePage& codePage;
  Prompter& prompter;
  Shell& shell;
  const Environment& environment;
  Sound& sound;
  const FileProbe& probe;
};

// The launcher window's logic: the hub that owns the parts doing the work (settings,
// page navigation, button editing, desktop commands, status line, showing and hiding)
// and the current user's options, wires them to the view, the components and the
// dialogs, and runs the window's own events. It changes the screen only through its view.
class TLauncher : public LaunchButtonHost {
 public:
  TLauncher(LauncherView& view, const LauncherPorts& ports);
  TLauncher(const TLauncher&) = delete;
  TLauncher& operator=(const TLauncher&) = delete;

  // Wiring, done once by the window side.
  void SetListDlg(TListDlg* dialog) { listDlg_ = dialog; }
  void SetUserDlg(TUserDlg* dialog) { userDlg_ = dialog; }
  void SetOptionDlg(TOptionDlg* dialog) { optionDlg_ = dialog; }
  void SetAboutBox(TAboutBox* dialog) { aboutBox_ = dialog; }
  void SetFindBox(TFindBox* box) { findBox_ = box; }
  // The notification-area icon TrayIcon1 and the hot key WaitHotKey1, which the
  // options switch on and off; both toggle the window. Components that come after the
  // creation step take the options it loaded.
  void SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey);
  void SetBackground(Background* background) { targets_.SetBackground(background); }
  // Without them no button carries a running mark.
  void SetRunningPrograms(RunningPrograms* programs) { marks_.SetPrograms(programs); }
  const LauncherPorts& Ports() const { return ports_; }

  // The parts.
  TLaunchButton& Button(int k) { return *buttons_[static_cast<size_t>(k - 1)]; }
  LauncherSettings& Settings() { return settings_; }
  const PageStore& Pages() const { return pages_; }
  PageNavigator& Navigator() { return navigator_; }
  const CurrentPage& Current() const { return navigator_.Current(); }
  ButtonEditor& Editor() { return editor_; }
  DesktopCommands& Desktop() { return desktop_; }
  StatusLine& Status() { return status_; }
  MissingTargets& Targets() { return targets_; }
  RunningMarks& Marks() { return marks_; }
  const Options& CurrentOptions() const { return options_; }

  // Runs an event handler: an error ends it and is shown to the user.
  void Handle(const std::function<void()>& handler);

  // The creation step: loads everything and writes the settings back. A step that
  // fails is reported and the remaining steps still run.
  void FormCreate();
  // The 200 ms timer: the clock, the screen-edge display mode, and the running marks
  // a moment after a start.
  void Timer1Timer();
  bool KeyDown(const KeyStroke& stroke);
  void UpDown1Click();
  void TitleBarDoubleClick(int hitTest) { display_.TitleBarDoubleClick(hitTest, options_.TitleDbClk); }
  // The close request: FormCloseQuery saves, FormClose asks; true means close.
  bool CloseRequest();
  // Windows ends the session: save, ask nothing.
  void EndSession() { FormCloseQuery(); }
  void mHelpOpenClick();
  void mListClick();
  void mUserClick();
  void mOptionClick();
  void mVersionClick();

  // What the dialogs ask of the launcher beyond its settings.
  // Makes user n, named `name`, the current user: their page, count and options.
  void SwitchUser(int n, const std::string& name);
  void GoToPage(int page) { navigator_.GoToPage(page); }
  // Reads user n's options and applies them: colour, tray icon, hot key.
  void LoadOption(int n);
  // Stores user n's options; when that worked, applies them. False when not stored.
  bool ApplyOptions(int n, const Options& options);

  // Files that another program (or this one) wrote: the settings file and the page
  // shown are taken in when they now differ from what the window shows; other files
  // do not matter. While a dialog is open, that waits until it closes.
  void FilesChanged(const std::vector<std::string>& paths);

  // LaunchButtonHost.
  bool HideAfterStart() const override { return options_.BtnClk; }
  void TrayIcon1Click() override { display_.TrayIcon1Click(); }
  void ProgramStarted() override { marks_.Started(); }
  bool BringProgramToFront(const TLaunchButton& button) override { return marks_.BringToFront(button); }

 private:
  std::string ExecutableDirectory() const;
  void FormCloseQuery();
  bool FormClose();
  void UseOptions(const Options& options);
  void UseComponentOptions();
  void TakeInChanges();
  void TakeInSettings();

  LauncherView& view_;
  LauncherPorts ports_;
  Options options_;
  LaunchButtons buttons_;
  MissingTargets targets_;
  RunningMarks marks_;
  PageStore pages_;
  StatusLine status_;
  WindowDisplay display_;
  PageNavigator navigator_;
  LauncherSettings settings_;
  ButtonEditor editor_;
  DesktopCommands desktop_;
  TListDlg* listDlg_ = nullptr;
  TUserDlg* userDlg_ = nullptr;
  TOptionDlg* optionDlg_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  TFindBox* findBox_ = nullptr;
  TTrayIcon* trayIcon_ = nullptr;
  TWaitHotKey* waitHotKey_ = nullptr;
  bool created_ = false;                   // FormCreate has run
  std::vector<std::string> changedFiles_;  // not yet taken in
};

}  // namespace core
