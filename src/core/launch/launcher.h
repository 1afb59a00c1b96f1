#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "launch/launcher_keys.h"
#include "launch/launcher_state.h"
#include "launch/launcher_view.h"
#include "launch/page_file.h"
#include "launch_button/launch_button.h"
#include "launch_button/missing_targets.h"
#include "option/option_dlg.h"
#include "ports/dde_conversation.h"
#include "ports/desktop.h"
#include "ports/environment.h"
#include "ports/file_probe.h"
#include "ports/prompter.h"
#include "ports/session.h"
#include "ports/shell.h"
#include "ports/sound.h"
#include "storage/ini_store.h"
#include "user/user_host.h"

namespace core {

class TAboutBox;
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

// Hit-test value of a window's caption bar.
inline constexpr int kHitCaption = 2;

// The launcher window's logic: its state, its settings and page files, and the
// handlers of its window, timer and menus. It changes the screen only through its view.
class TLauncher : public LaunchButtonHost, public UserHost, public OptionHost {
 public:
  TLauncher(LauncherView& view, const LauncherPorts& ports);
  TLauncher(const TLauncher&) = delete;
  TLauncher& operator=(const TLauncher&) = delete;

  LauncherState& State() override { return state_; }
  const LauncherState& State() const { return state_; }
  // The launch button of number k (1..10).
  TLaunchButton& Button(int k) { return *buttons_[static_cast<size_t>(k - 1)]; }
  void SetListDlg(TListDlg* dialog) { listDlg_ = dialog; }
  void SetUserDlg(TUserDlg* dialog) { userDlg_ = dialog; }
  void SetOptionDlg(TOptionDlg* dialog) { optionDlg_ = dialog; }
  void SetAboutBox(TAboutBox* dialog) { aboutBox_ = dialog; }
  // The notification-area icon TrayIcon1 and the hot key WaitHotKey1, which the
  // options switch on and off.
  void SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey);
  // Without them the desktop commands do nothing.
  void SetDesktopPorts(const DesktopPorts& ports) { desktop_.emplace(ports); }
  // Where buttons whose programs lie on slow drives are looked at.
  void SetBackground(Background* background) { targets_->SetBackground(background); }
  const LauncherPorts& Ports() const { return ports_; }
  LauncherView& View() { return view_; }

  // Runs an event handler: an error ends it and is shown to the user.
  void Handle(const std::function<void()>& handler) override;

  // The creation step: loads everything and writes the settings back. A step that
  // fails is reported and the remaining steps still run.
  void FormCreate();

  // Settings file (the executable's path with ".ini").
  std::string SettingsPath() const;
  void LoadPosition();
  void SavePosition() override;
  ScreenPoint StoredPosition() const override;
  std::string UserNameOf(int n) const override;
  void LoadUserName(int n) override;
  void SaveUserName(int n) override;
  void ForgetUser(int n) override;
  void LoadPageNo(int n) override;
  void SavePageNo(int n);
  void LoadPageNoControl(int n) override;
  void LoadOption(int n) override;
  void SaveOption(int n, const Options& options) override;
  std::string GetFolderPath(int id) const;

  // Page data files (DATA beside the executable).
  std::string DataFolder() const override;
  std::string PageFileName(const std::string& userName, int page) const override;
  void RepairPageFileAttributes();
  void LoadPageTitle(int page);
  void SavePageTitle(int page);
  void ShowTitle(const std::string& title);
  void Edit1Change();
  void LoadButtons(int page);
  void LeadButtons(const std::string& path);
  void SetButtons(int page);
  void OnBtnUpdated(TLaunchButton& button);
  // Looks anew for the programs of the buttons shown (the window shows again); done
  // by every page load too.
  void CheckTargets() { targets_->Check(); }
  // A drive came or went.
  void DrivesChanged() { targets_->DrivesChanged(); }

  // Page navigation.
  void MovePage(int page) override;
  void ShowPageCount() override;
  void FastTopButtonClick();
  void FastBwdButtonClick();
  void BwdButtonClick();
  void FwdButtonClick();
  void FastFwdButtonClick();
  void FastFinalButtonClick();
  void UpDown1Click();
  void mListClick();

  // Users and the current page's data.
  void mUserClick();
  void mDeleteClick();

  // Options.
  void mOptionClick();
  void WaitHotKey1CatchHotKey() { TrayIcon1Click(); }

  // Button editing and page launch.
  void LaunchButtonOnClick(TLaunchButton& button);
  void LaunchButtonOnMouseDown(TLaunchButton& button, MouseButton mouseButton);
  LaunchMenuState PopupMenuLaunchPopup();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void Select1Click();
  void PopupMenu1Popup();
  void Choice1Click();
  void pAllStartClick();

  // A key pressed while the window is active: the bound ones run their command (a
  // start as a click does it, a page move as ">" and "<" do it). True when the key
  // is bound and so taken from the focused control.
  bool KeyDown(const KeyStroke& stroke);

  // Window.
  // Composes CaptionText and shows it with the navigation buttons' states.
  void ComposeCaption() override;
  // The 200 ms timer: the clock and the mouse-edge display mode.
  void Timer1Timer();
  // The date and time formats may have changed: the next tick formats both anew.
  void RegionalSettingsChanged();
  void TrayIcon1Click() override;
  bool HideAfterStart() const override { return state_.BtnClk; }
  void TitleBarDoubleClick(int hitTest);
  // The close request: FormCloseQuery saves, FormClose asks; true means close.
  void FormCloseQuery();
  bool FormClose();
  bool CloseRequest();
  // Windows ends the session: save, ask nothing.
  void EndSession();
  void mHelpOpenClick() override;
  // The version dialog, in the panel colour; the tray menu's item runs the same.
  void mVersionClick();

  std::string ExecutableDirectory() const;

  // Desktop commands.
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
  std::string SystemErrorText();

 private:
  template <size_t N>
  void CloseVisibleWindows(const std::array<const char*, N>& classes);
  void CloseMinimisedWindows();

  void GoToPage(int page);
  void StartButtons(bool selectedOnly);
  bool PageFileHoldsProgram(int k);
  TLaunchButton& PopupButton() { return Button(popupButtonNo_); }
  SettingsFile LoadSettings() const;
  void SaveSettings(const SettingsFile& settings);
  void EnsureDataFolder();
  // Writes the page file at PageFilePath.
  PageFile LoadPage(const std::string& path) const;
  void SavePage(const PageFile& page);
  template <typename Step>
  void RunStep(Step&& step);

  // What the timer last put on the screen: a control is changed only when its value
  // differs, so that an idle window costs nothing.
  struct TimerShown {
    std::optional<LocalTime> clock;
    std::optional<std::string> date, time, caption;
    std::array<std::optional<bool>, 6> nav;
  };
  void ShowStatus();
  void ShowNavButton(NavButton button, bool enabled);

  LauncherView& view_;
  LauncherPorts ports_;
  TimerShown shown_;
  IniStore store_;
  LauncherState state_;
  std::array<std::unique_ptr<TLaunchButton>, kLaunchButtonCount> buttons_;
  std::unique_ptr<MissingTargets> targets_;
  TListDlg* listDlg_ = nullptr;
  TUserDlg* userDlg_ = nullptr;
  TOptionDlg* optionDlg_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  TTrayIcon* trayIcon_ = nullptr;
  TWaitHotKey* waitHotKey_ = nullptr;
  std::optional<DesktopPorts> desktop_;

  int popupButtonNo_ = 1;
  // What Copy and Cut take and Paste gives: a button's values but its selection mark.
  ButtonEntry clipboard_;
};

// The date as the clock shows it: two-digit year, month and day without leading zeros.
std::string ShortDateText(const LocalTime& time, const std::string& separator);

}  // namespace core
