// How input reaches the launcher's handlers: command ids of the navigation buttons,
// the menus and the key commands through one table, the pop-up menus, and the keys
// that the program's message loop takes before the controls see them.
#include "launch/launcher_window.h"

#include "base/win.h"

#include <windowsx.h>

#include "base/keyboard.h"
#include "base/tooltips.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_menus.h"

namespace win32 {
namespace {

using namespace launcher;

using core::TLauncher;
using Handler = void (*)(TLauncher&);

// A handler of one of the launcher's parts, or of the launcher itself.
template <auto Part, auto Method>
void Run(TLauncher& launcher) {
  ((launcher.*Part)().*Method)();
}
template <auto Method>
void Own(TLauncher& launcher) {
  (launcher.*Method)();
}
constexpr auto kNavigator = &TLauncher::Navigator;
constexpr auto kEditor = &TLauncher::Editor;
constexpr auto kDesktop = &TLauncher::Desktop;

// The handler of each command: the navigation buttons, the menus' items and the key
// commands all arrive as WM_COMMAND. Commands of the menus first complete the start
// (the components that the first paint left for later).
struct CommandRoute {
  int id;
  Handler handler;
  bool menu;
};
constexpr CommandRoute kCommandRoutes[] = {
    {kFastTopButton, Run<kNavigator, &core::PageNavigator::FastTopButtonClick>, false},
    {kFastBwdButton, Run<kNavigator, &core::PageNavigator::FastBwdButtonClick>, false},
    {kBwdButton, Run<kNavigator, &core::PageNavigator::BwdButtonClick>, false},
    {kFwdButton, Run<kNavigator, &core::PageNavigator::FwdButtonClick>, false},
    {kFastFwdButton, Run<kNavigator, &core::PageNavigator::FastFwdButtonClick>, false},
    {kFastFinalButton, Run<kNavigator, &core::PageNavigator::FastFinalButtonClick>, false},
    {kFastTop, Run<kNavigator, &core::PageNavigator::FastTopButtonClick>, false},
    {kFastBwd, Run<kNavigator, &core::PageNavigator::FastBwdButtonClick>, false},
    {kBwd, Run<kNavigator, &core::PageNavigator::BwdButtonClick>, false},
    {kFwd, Run<kNavigator, &core::PageNavigator::FwdButtonClick>, false},
    {kFastFwd, Run<kNavigator, &core::PageNavigator::FastFwdButtonClick>, false},
    {kFastFinal, Run<kNavigator, &core::PageNavigator::FastFinalButtonClick>, false},
    {kHelpOpen, Own<&TLauncher::mHelpOpenClick>, true},
    {kTrayHelp, Own<&TLauncher::mHelpOpenClick>, true},
    {kList, Own<&TLauncher::mListClick>, true},
    {kUser, Own<&TLauncher::mUserClick>, true},
    {kOption, Own<&TLauncher::mOptionClick>, true},
    {kVersion, Own<&TLauncher::mVersionClick>, true},
    {kTrayVersion, Own<&TLauncher::mVersionClick>, true},
    {kDelete, Run<kNavigator, &core::PageNavigator::mDeleteClick>, true},
    {kCut1, Run<kEditor, &core::ButtonEditor::Cut1Click>, true},
    {kCopy1, Run<kEditor, &core::ButtonEditor::Copy1Click>, true},
    {kPaste1, Run<kEditor, &core::ButtonEditor::Paste1Click>, true},
    {kDelete1, Run<kEditor, &core::ButtonEditor::Delete1Click>, true},
    {kSelect1, Run<kEditor, &core::ButtonEditor::Select1Click>, true},
    {kChoice, Run<kEditor, &core::ButtonEditor::Choice1Click>, true},
    {kAllStart, Run<kEditor, &core::ButtonEditor::pAllStartClick>, true},
    {kFind, Run<kDesktop, &core::DesktopCommands::mFindClick>, true},
    {kScreen, Run<kDesktop, &core::DesktopCommands::pScreenClick>, true},
    {kCloseFolder, Run<kDesktop, &core::DesktopCommands::pCloseFolderClick>, true},
    {kCloseIE, Run<kDesktop, &core::DesktopCommands::pCloseIEClick>, true},
    {kCloseAll, Run<kDesktop, &core::DesktopCommands::pCloseAllClick>, true},
    {kWholly, Run<kDesktop, &core::DesktopCommands::pWhollyClick>, true},
    {kWindowsExit, Run<kDesktop, &core::DesktopCommands::pWindowsExitClick>, true},
    {kWindowsReboot, Run<kDesktop, &core::DesktopCommands::pWindowsRebootClick>, true},
    {kWindowsLogoff, Run<kDesktop, &core::DesktopCommands::pWindowsLogoffClick>, true},
};

const CommandRoute* RouteOf(int id) {
  for (const CommandRoute& route : kCommandRoutes)
    if (route.id == id) return &route;
  return nullptr;
}

}  // namespace

void LauncherWindow::OnCommand(int id, int code) {
  if (!launcher_) return;
  if (id == kEdit1) {
    if (code == EN_CHANGE && !settingTitle_) launcher_->Navigator().Edit1Change();
    return;
  }
  if (id >= kLaunchButton1 && id < kLaunchButton1 + kLaunchButtonCount) {
    if (code == BN_CLICKED) ButtonControl(id - kLaunchButton1 + 1).Clicked();
    return;
  }
  // Exit closes as the close box does: with the question.
  if (id == kExit || id == kTrayExit) {
    CompleteStart();
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
    return;
  }
  const CommandRoute* route = RouteOf(id);
  if (!route) return;  // notifications of the other controls
  if (route->menu) CompleteStart();
  route->handler(*launcher_);
}

void LauncherWindow::ShowPopupMenu(HWND source, LPARAM screenPoint) {
  if (!source || GetParent(source) != Handle() || !CarriesPopupMenu(GetDlgCtrlID(source))) return;
  POINT p{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (screenPoint == -1) {  // from the keyboard: at the control
    RECT r;
    GetWindowRect(source, &r);
    p = {r.left, r.bottom};
  }
  CompleteStart();
  if (launcher_) launcher_->Editor().PopupMenu1Popup();
  TrackMenu(popupMenu1_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p, Handle());
}

void LauncherWindow::EnablePageCommands(bool startSelected, bool startPage) {
  EnableMenuItem(popupMenu1_.get(), kChoice, MF_BYCOMMAND | (startSelected ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(popupMenu1_.get(), kAllStart, MF_BYCOMMAND | (startPage ? MF_ENABLED : MF_GRAYED));
}

// Opened from a message of its own once the button's mouse handler has returned, so
// that the menu's modal loop runs with no handler of the launcher on the stack.
void LauncherWindow::PopupLaunchMenu(const core::LaunchMenuState& state) {
  launchMenuState_ = state;
  PostMessageW(Handle(), kOpenLaunchMenu, 0, 0);
}

// At the pointer.
void LauncherWindow::OpenLaunchMenu() {
  CompleteStart();
  HMENU menu = launchMenu_.get();
  auto enable = [menu](int command, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  const core::LaunchMenuState& state = launchMenuState_;
  enable(kCut1, state.cut);
  enable(kCopy1, state.copy);
  enable(kPaste1, state.paste);
  enable(kDelete1, state.remove);
  CheckMenuItem(menu, kSelect1, MF_BYCOMMAND | (state.selectChecked ? MF_CHECKED : MF_UNCHECKED));
  POINT at{};
  GetCursorPos(&at);
  TrackMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at, Handle());
}

bool LauncherWindow::TranslateShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  HWND focus = GetFocus();
  if (!focus || GetParent(focus) != Handle() || !CarriesPopupMenu(GetDlgCtrlID(focus))) return false;
  int command = CommandOfShortcut(PopupMenu1(), static_cast<char>(message.wParam));
  // A command that the menu showed disabled when it last opened has no shortcut either.
  if (!command || (GetMenuState(popupMenu1_.get(), static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED)) return false;
  SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return true;
}

bool LauncherWindow::TranslateKeyCommand(const MSG& message) {
  if (message.message != WM_KEYDOWN || !launcher_ || !IsWindowEnabled(Handle())) return false;
  if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
  const core::ShiftState shift = HeldModifiers();
  bool repeat = (message.lParam & (1 << 30)) != 0;  // the key was down before
  return launcher_->KeyDown({static_cast<int>(message.wParam), shift, repeat});
}

void ProcessLoopMessage(LauncherWindow& window, MSG& message) {
  RelayToHints(message);
  // The pop-up menu's shortcuts first: its Ctrl+F is the file search where it acts.
  if (window.TranslateShortcut(message) || window.TranslateKeyCommand(message)) return;
  if (window.Handle() && IsDialogMessageW(window.Handle(), &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace win32
