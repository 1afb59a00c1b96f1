#pragma once

#include <array>
#include <functional>
#include <memory>

#include "base/contrast.h"
#include "base/layout.h"
#include "base/monitor_dpi.h"
#include "base/palette.h"
#include "base/panel_brush.h"
#include "base/tooltips.h"
#include "base/window.h"
#include "launch/folder_menu_popup.h"
#include "launch/launcher.h"
#include "launch/launcher_components.h"
#include "launch/launcher_layout.h"
#include "launch_button/launch_button_control.h"

namespace win32 {

// The launcher window: a small always-on-top tool window with the page's ten launch
// buttons, the page navigation, the page title and count, and the clock. It shows
// what TLauncher decides and hands every user action to it.
class LauncherWindow final : public Window<LauncherWindow>, public core::LauncherView {
 public:
  // Creates the window and its controls, hidden, owned by `owner`.
  explicit LauncherWindow(HWND owner);
  ~LauncherWindow() override;

  // The tray icon TrayIcon1 and the hot key WaitHotKey1. A hot key that cannot be
  // had is reported, and the launcher runs without one.
  void CreateComponents(core::Prompter& prompter, const core::CodePage& codePage);
  // The same once the window has first shown (CompleteStart): their windows would
  // only make the start slower.
  void CreateComponentsLater(core::Prompter& prompter, const core::CodePage& codePage) {
    componentPorts_ = {&prompter, &codePage};
  }
  core::TWaitHotKey* WaitHotKey() { return components_.WaitHotKey(); }
  void Attach(core::TLauncher* launcher);
  // Runs once the window has first shown, for the work its first paint does not need.
  void SetAfterStart(std::function<void()> afterStart) { afterStart_ = std::move(afterStart); }
  // The first tick, then the window appears at its loaded position and the 200 ms
  // timer starts. What the first paint does not need follows right after it.
  void Start();
  // The hints and the pop-up menus; done once, at the latest when first needed.
  void CompleteStart();
  // The Ctrl shortcuts of the pop-up menu, while a control that carries it has the
  // keyboard focus; true when the key was taken.
  bool TranslateShortcut(const MSG& message);
  // The launcher's own keys (Ctrl+1 .. Ctrl+0, Ctrl+Page Down, Ctrl+Page Up, Ctrl+F,
  // F3) while it is the active window and takes input; true when the key was taken, before the
  // focused control saw it, so that it makes no character and no beep there.
  bool TranslateKeyCommand(const MSG& message);

  HWND Control(int id) const { return layout_.Get(id); }
  LaunchButtonControl& ButtonControl(int k) { return buttons_[static_cast<size_t>(k - 1)]; }
  // The launch buttons take OLE drags (shell items, links): OLE is set up once the
  // window shows, not before.
  void AcceptDrags() {
    for (LaunchButtonControl& button : buttons_) button.AcceptDrags();
  }
  HMENU PopupMenu() const { return popupMenu1_.get(); }
  HMENU TrayMenu() const { return components_.TrayMenu(); }
  const Tooltips& Hints() const { return hints_; }

  // core::LauncherView
  void SetCaption(const std::string& caption) override;
  std::string TitleText() const override;
  void SetTitleText(const std::string& text) override;
  void SetPageCount(int count) override;
  int PageCountPosition() const override;
  void SetDateText(const std::string& text) override;
  void SetTimeText(const std::string& text) override;
  void EnableNavButton(core::NavButton button, bool enabled) override;
  core::ScreenPoint WindowPosition() const override;
  void MoveWindowTo(core::ScreenPoint position) override;
  bool IsWindowShown() const override;
  bool TakesInput() const override { return IsWindowEnabled(Handle()) != FALSE; }
  void ShowWindow() override;
  void HideWindow() override;
  void BringToForeground() override;
  std::optional<core::ScreenPoint> CursorPosition() const override;
  std::uintptr_t NativeHandle() const override;
  core::LaunchButtonView& ButtonView(int k) override { return ButtonControl(k); }
  void PopupLaunchMenu(const core::LaunchMenuState& state, int atButton) override;
  void ShowFolderMenu(int k, const std::string& folder) override;
  void FocusLaunchButton(int k) override;
  void EnablePageCommands(bool startSelected, bool startPage, bool inOrder) override;
  void RunSteps(bool on) override;
  std::uint64_t Milliseconds() const override { return GetTickCount64(); }
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Posted by PopupLaunchMenu: the editing menu opens once the button's handler returned.
  static constexpr UINT kOpenLaunchMenu = WM_APP + 3;
  // Posted when a menu of the launcher has closed, after the command it posted.
  static constexpr UINT kMenuClosed = WM_APP + 4;

  void CreateControls();
  void CreateHints();
  void ApplyDpi(UINT dpi, bool place = true);
  void SizeClockLabel(int id, const std::wstring& text);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void OnClose();
  void ShowPopupMenu(HWND source, LPARAM screenPoint);
  void OpenLaunchMenu();
  void MenuDone();
  LRESULT OnControlColour(HDC dc, HWND control);
  std::string ControlText(int id) const;

  core::TLauncher* launcher_ = nullptr;
  Layout layout_;
  Tooltips hints_;
  std::array<UniqueHfont, launcher::kFontCount> fonts_;
  UniqueHmenu popupMenu1_;
  UniqueHmenu launchMenu_;
  core::LaunchMenuState launchMenuState_;
  int launchMenuAt_ = 0;  // the button the keyboard opened the editing menu at; 0: at the pointer
  std::unique_ptr<FolderMenuPopup> folderMenu_;  // made with the first folder menu
  std::array<LaunchButtonControl, launcher::kLaunchButtonCount> buttons_;
  FixedColours clock_{kYellow, kBlack, FixedColours::Role::kLabel};
  FixedColours title_{kAqua, kBlue, FixedColours::Role::kEntry};
  FixedColours panel_{kWhite, kBlack, FixedColours::Role::kEntry};  // behind the launch buttons
  PanelBrush background_;
  MonitorDpi dpi_;
  std::function<void()> afterStart_;
  bool started_ = false;
  bool settingTitle_ = false;  // EN_CHANGE of a text set by SetTitleText
  struct ComponentPorts {
    core::Prompter* prompter = nullptr;
    const core::CodePage* codePage = nullptr;
  };
  ComponentPorts componentPorts_;
  LauncherComponents components_;
};

// One message of the program's message loop: the hints see it, then the launcher's
// shortcuts and keys, the dialog keys, and the usual translation and dispatch.
void ProcessLoopMessage(LauncherWindow& window, MSG& message);

}  // namespace win32
