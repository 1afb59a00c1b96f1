#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "find/find_box_host.h"
#include "find/program_index.h"
#include "launch/button_activation.h"
#include "launch/button_editor.h"
#include "launch/change_intake.h"
#include "launch/desktop_commands.h"
#include "launch/launcher_commands.h"
#include "launch/launcher_keys.h"
#include "launch/launcher_ports.h"
#include "launch/launcher_settings.h"
#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch/page_run.h"
#include "launch/page_store.h"
#include "launch/running_marks.h"
#include "launch/status_line.h"
#include "launch/user_keys.h"
#include "launch/user_options.h"
#include "launch/window_display.h"
#include "list/list_host.h"
#include "ports/failure_log.h"
#include "ports/file_probe.h"
#include "user/users.h"

namespace core {

// The launcher window's logic: the hub that owns the parts doing the work (settings,
// users, page navigation, activating buttons, button editing, desktop commands,
// status line, showing and hiding, taking in changes from elsewhere) and the current
// user's options, wires them to the view, the components and the dialogs, and runs
// the window's own events and its table of commands. It changes the screen only
// through its view.
class TLauncher final : public LaunchButtonHost, private UserDisplay, private PageListHost, private FindBoxHost {
 public:
  TLauncher(LauncherView& view, const LauncherPorts& ports);
  ~TLauncher() override;
  TLauncher(const TLauncher&) = delete;
  TLauncher& operator=(const TLauncher&) = delete;

  // Wiring, done once by the window side.
  void SetDialogs(LauncherDialogs* dialogs) { dialogs_ = dialogs; }
  // The notification-area icon TrayIcon1 and the hot key WaitHotKey1, which the
  // options switch on and off; both toggle the window. Components that come after the
  // creation step take the options it loaded.
  void SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey);
  void SetDesktopPorts(const DesktopPorts& ports) { desktop_.SetPorts(ports); }
  void SetBackground(Background* background) {
    targets_.SetBackground(background);
    marks_.SetBackground(background);
  }
  // The buttons' own keys are registered through it, once the window has first shown;
  // nullptr withdraws them, before it goes.
  void SetGlobalKeys(GlobalKeys* keys);
  // A button's own key was pressed (its registration's identifier).
  void HotKeyPressed(int id);
  // A step of the page that starts in order, while it asks for them.
  void RunStep() { run_.Step(); }
  // Without them no button carries a running mark; with them the buttons shown are
  // looked at at once.
  void SetRunningPrograms(RunningPrograms* programs);
  // The installed programs as their index was last made (none before the first).
  void SetPrograms(std::shared_ptr<const ProgramIndex> programs) { programs_ = std::move(programs); }
  // The find box asks for the programs as it opens: a look at the packaged apps may be
  // due.
  std::function<void()> OnProgramsAsked;
  // The control of button k shows this button.
  TLaunchButton& Button(int k) { return *buttons_[static_cast<size_t>(k - 1)]; }
  DialogHosts Hosts() { return {*this, users_, users_, options_, *this}; }
  // The launcher's own work on its buttons: writing a changed one, the settings dialog.
  ButtonEditor& Editor() { return editor_; }

  // The user and page shown.
  const CurrentPage& Current() const { return navigator_.Current(); }
  // The folder of the page files, which changes from elsewhere come to.
  const std::string& DataFolder() const { return pages_.DataFolder(); }
  // Reads the current user's pages once, so that the page list and the find box
  // open at once.
  void ReadAhead() const { pages_.ReadAhead(Current().UserName, Current().PageNoControl, ports_.log); }

  // The creation step: loads everything and writes the settings back. A step that
  // fails is reported and the remaining steps still run.
  void FormCreate();
  // The 200 ms timer: the clock, the screen-edge display mode, and the running marks
  // a moment after a start.
  void Timer1Timer();
  bool KeyDown(const KeyStroke& stroke);
  void UpDown1Click();
  // The title box's text was typed.
  void Edit1Change() { navigator_.Edit1Change(); }
  void TitleBarDoubleClick(int hitTest) { display_.TitleBarDoubleClick(hitTest, options_.CurrentOptions().TitleDbClk); }
  // The close request: FormCloseQuery saves, FormClose asks; true means close.
  bool CloseRequest();
  // Windows ends the session: save, ask nothing.
  void EndSession() { FormCloseQuery(); }
  // Runs the command whose id a navigation button or a menu item carries (one row of
  // kCommands); any other id does nothing. Before a command that needs them,
  // `completeStart` makes what the window's first paint left for later.
  void Command(int id, const std::function<void()>& completeStart = nullptr);
  // Before the window's pop-up menu opens.
  void PopupMenu1Popup();
  // A choice in button k's folder menu (ShowFolderMenu): an empty path opens the
  // button's folder as a click does, any other starts that file or folder; the window
  // reports its menu closed (MenuClosed) after it.
  void FolderMenuChosen(int k, const std::string& path, ShiftState shift);
  // A menu that the launcher opened has closed, and its command has run.
  void MenuClosed() { intake_.Release(); }
  // The window was shown again or activated: its page's programs are looked at anew.
  void WindowShown() { navigator_.CheckTargets(); }
  void WindowActivated() { marks_.Refresh(); }
  void DrivesChanged() { targets_.DrivesChanged(); }
  void RegionalSettingsChanged() { status_.RegionalSettingsChanged(); }

  // Files that another program (or this one) wrote, taken in by ChangeIntake.
  void FilesChanged(const std::vector<std::string>& paths) { intake_.FilesChanged(paths); }

  // LaunchButtonHost.
  // A click on a folder button asks the window for the folder's menu instead.
  void Activate(TLaunchButton& button, const Activation& how) override;
  void OpenSettings(TLaunchButton& button) override { editor_.OpenSettings(button); }
  void FilesDropped(TLaunchButton& button, const std::vector<std::string>& paths) override {
    editor_.FilesDropped(button, paths);
  }

 private:
  // UserDisplay.
  int CurrentUserNo() const override { return Current().UserNo; }
  const std::string& CurrentUserName() const override { return Current().UserName; }
  int FormColor() const override { return options_.CurrentOptions().FormColor; }
  void SavePosition() override;
  void ShowUser(const ShownUser& shown) override;
  void OpenHelp() override { mHelpOpenClick(); }
  // PageListHost.
  PageListing ListPages() override;
  void GoToPage(int page) override { navigator_.GoToPage(page); }
  // FindBoxHost.
  FindScope Scope() override;
  ButtonLook LookOf(const ButtonEntry& entry) const override;
  void HoldChanges(bool hold) override { hold ? intake_.Hold() : intake_.Release(); }
  bool ShowPage(int page) override;
  void FlashButton(int k) override { Button(k).Flash(); }
  void ActivateButton(int k, ShiftState shift) override { activation_.Activate(Button(k), {shift, true, true}); }
  std::shared_ptr<const ProgramIndex> Programs() override {
    if (OnProgramsAsked) OnProgramsAsked();
    return programs_;
  }
  void StartProgram(const InstalledProgram& program, ShiftState shift) override;
  void PutProgramOnButton(const InstalledProgram& program) override { editor_.PutOnEmptyButton(program.stored); }

  // The window's commands, a row each (launcher_commands.cpp).
  static const LauncherCommand kCommands[];

  // Once the window has made them.
  template <typename... Args>
  void OpenDialog(void (LauncherDialogs::*open)(Args...), Args... args) {
    if (dialogs_) (dialogs_->*open)(args...);
  }

  void Handle(const std::function<void()>& handler);
  void mHelpOpenClick();
  void FormCloseQuery();
  bool FormClose();
  void LoadPosition();
  void SaveUserName();

  LauncherView& view_;
  LauncherPorts ports_;
  LaunchButtonPorts buttonPorts_;
  LaunchButtons buttons_;
  MissingTargets targets_;
  RunningMarks marks_;
  PageStore pages_;
  StatusLine status_;
  WindowDisplay display_;
  PageNavigator navigator_;
  LauncherSettings settings_;
  UserOptions options_;
  Users users_;
  ButtonActivation activation_;
  PageRun run_;
  ButtonEditor editor_;
  UserKeys keys_;
  DesktopCommands desktop_;
  ChangeIntake intake_;
  LauncherDialogs* dialogs_ = nullptr;
  std::shared_ptr<const ProgramIndex> programs_;
  bool created_ = false;  // FormCreate has run
};

}  // namespace core
