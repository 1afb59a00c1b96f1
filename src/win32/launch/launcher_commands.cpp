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

using C = core::LauncherCommand;

// The launcher's command of each id: the navigation buttons, the menus' items and the
// key commands all arrive as WM_COMMAND. Commands of the menus first complete the start
// (the components that the first paint left for later).
struct CommandRoute {
  int id;
  C command;
  bool menu;
};
constexpr CommandRoute kCommandRoutes[] = {
    {kFastTopButton, C::kFastTopButtonClick, false},
    {kFastBwdButton, C::kFastBwdButtonClick, false},
    {kBwdButton, C::kBwdButtonClick, false},
    {kFwdButton, C::kFwdButtonClick, false},
    {kFastFwdButton, C::kFastFwdButtonClick, false},
    {kFastFinalButton, C::kFastFinalButtonClick, false},
    {kFastTop, C::kFastTopButtonClick, false},
    {kFastBwd, C::kFastBwdButtonClick, false},
    {kBwd, C::kBwdButtonClick, false},
    {kFwd, C::kFwdButtonClick, false},
    {kFastFwd, C::kFastFwdButtonClick, false},
    {kFastFinal, C::kFastFinalButtonClick, false},
    {kHelpOpen, C::kmHelpOpenClick, true},
    {kTrayHelp, C::kmHelpOpenClick, true},
    {kList, C::kmListClick, true},
    {kUser, C::kmUserClick, true},
    {kOption, C::kmOptionClick, true},
    {kVersion, C::kmVersionClick, true},
    {kTrayVersion, C::kmVersionClick, true},
    {kDelete, C::kmDeleteClick, true},
    {kCut1, C::kCut1Click, true},
    {kCopy1, C::kCopy1Click, true},
    {kPaste1, C::kPaste1Click, true},
    {kDelete1, C::kDelete1Click, true},
    {kSelect1, C::kSelect1Click, true},
    {kChoice, C::kChoice1Click, true},
    {kAllStart, C::kpAllStartClick, true},
    {kInOrder, C::kpInOrderClick, true},
    {kFind, C::kmFindClick, true},
    {kScreen, C::kpScreenClick, true},
    {kCloseFolder, C::kpCloseFolderClick, true},
    {kCloseIE, C::kpCloseIEClick, true},
    {kCloseAll, C::kpCloseAllClick, true},
    {kWholly, C::kpWhollyClick, true},
    {kWindowsExit, C::kpWindowsExitClick, true},
    {kWindowsReboot, C::kpWindowsRebootClick, true},
    {kWindowsLogoff, C::kpWindowsLogoffClick, true},
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
    if (code == EN_CHANGE && !settingTitle_) launcher_->Edit1Change();
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
  launcher_->Command(route->command);
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
  if (!launcher_) return;
  launcher_->PopupMenu1Popup();
  TrackMenu(popupMenu1_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p, Handle());
  MenuDone();
}

// The menu's command was posted before it returned: what waited for the menu to close
// is taken in after that command has run.
void LauncherWindow::MenuDone() { PostMessageW(Handle(), kMenuClosed, 0, 0); }

void LauncherWindow::EnablePageCommands(bool startSelected, bool startPage, bool inOrder) {
  EnableMenuItem(popupMenu1_.get(), kChoice, MF_BYCOMMAND | (startSelected ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(popupMenu1_.get(), kAllStart, MF_BYCOMMAND | (startPage ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(popupMenu1_.get(), kInOrder, MF_BYCOMMAND | (inOrder ? MF_CHECKED : MF_UNCHECKED));
}

// Opened from a message of its own once the button's mouse handler has returned, so
// that the menu's modal loop runs with no handler of the launcher on the stack.
void LauncherWindow::PopupLaunchMenu(const core::LaunchMenuState& state, int atButton) {
  launchMenuState_ = state;
  launchMenuAt_ = atButton;
  PostMessageW(Handle(), kOpenLaunchMenu, 0, 0);
}

// The keyboard's focus goes with the cues that show it: the key was the keyboard's.
void LauncherWindow::FocusLaunchButton(int k) {
  SetFocus(ButtonControl(k).Handle());
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// At the pointer, or under the button the keyboard opened it at.
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
  if (launchMenuAt_) {
    RECT r;
    GetWindowRect(ButtonControl(launchMenuAt_).Handle(), &r);
    at = {r.left, r.bottom};
  }
  TrackMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at, Handle());
  MenuDone();
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
