#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "launch/launcher_state.h"
#include "launch/launcher_view.h"
#include "launch_button/launch_button.h"
#include "ports/environment.h"
#include "ports/prompter.h"
#include "ports/shell.h"
#include "storage/ini_store.h"

namespace core {

class TListDlg;

// The platform services the launcher uses.
struct LauncherPorts {
  FileSystem& files;
  const CodePage& codePage;
  Prompter& prompter;
  Shell& shell;
  const Environment& environment;
};

// Hit-test value of a window's caption bar.
inline constexpr int kHitCaption = 2;

// The launcher window's logic: its state, its settings and page files, and the
// handlers of its window, timer and menus. It changes the screen only through its view.
class TLauncher : public LaunchButtonHost {
 public:
  TLauncher(LauncherView& view, const LauncherPorts& ports);
  TLauncher(const TLauncher&) = delete;
  TLauncher& operator=(const TLauncher&) = delete;

  LauncherState& State() { return state_; }
  const LauncherState& State() const { return state_; }
  // The launch button of number k (1..10).
  TLaunchButton& Button(int k) { return *buttons_[static_cast<size_t>(k - 1)]; }
  void SetListDlg(TListDlg* dialog) { listDlg_ = dialog; }

  // Runs an event handler: an error ends it and is shown to the user.
  void Handle(const std::function<void()>& handler);

  // The creation step: loads everything and writes the settings back. A step that
  // fails is reported and the remaining steps still run.
  void FormCreate();

  // Settings file (the executable's path with ".ini").
  std::string SettingsPath() const;
  void LoadPosition();
  void SavePosition();
  void LoadUserName(int n);
  void SaveUserName(int n);
  void LoadPageNo(int n);
  void SavePageNo(int n);
  void LoadPageNoControl(int n);
  void LoadOption(int n);
  std::string GetFolderPath(int id) const;

  // Page data files (DATA beside the executable).
  std::string DataFolder() const;
  std::string PageFileName(const std::string& userName, int page) const;
  void RepairPageFileAttributes();
  void LoadPageTitle(int page);
  void SavePageTitle(int page);
  void Edit1Change();
  void LoadButtons(int page);
  void LeadButtons(const std::string& path);
  void SetButtons(int page);
  void OnBtnUpdated(TLaunchButton& button);

  // Page navigation.
  void MovePage(int page);
  void FastTopButtonClick();
  void FastBwdButtonClick();
  void BwdButtonClick();
  void FwdButtonClick();
  void FastFwdButtonClick();
  void FastFinalButtonClick();
  void UpDown1Click();
  void mListClick();

  // Window.
  void ComposeCaption();
  void Timer1Timer();
  void TrayIcon1Click() override;
  bool HideAfterStart() const override { return state_.BtnClk; }
  void TitleBarDoubleClick(int hitTest);
  // The close request: FormCloseQuery saves, FormClose asks; true means close.
  void FormCloseQuery();
  bool FormClose();
  bool CloseRequest();
  // Windows ends the session: save, ask nothing.
  void EndSession();
  void mHelpOpenClick();

  std::string ExecutableDirectory() const;

 private:
  void GoToPage(int page);
  IniImage LoadSettings() const;
  void SaveSettings(const IniImage& image);
  template <typename Step>
  void RunStep(Step&& step);

  LauncherView& view_;
  LauncherPorts ports_;
  IniStore store_;
  LauncherState state_;
  std::array<std::unique_ptr<TLaunchButton>, kLaunchButtonCount> buttons_;
  TListDlg* listDlg_ = nullptr;
};

// "User" followed by n: the default name of user n and the settings section of user n.
std::string UserKey(int n);

// The date as the clock shows it: two-digit year, month and day without leading zeros.
std::string ShortDateText(const LocalTime& time, const std::string& separator);

}  // namespace core
