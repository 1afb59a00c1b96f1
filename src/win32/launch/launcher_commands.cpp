// How input reaches the launcher's handlers: command ids of the navigation buttons,
// the menus and the key commands through the launcher's one table, the pop-up menus,
// and the keys that the program's message loop takes before the controls see them.
#include "launch/launcher_window.h"

#include "base/win.h"

#include <windowsx.h>

#include "base/keyboard.h"
#include "base/tooltips.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_menus.h"

namespace win32 {

using namespace launcher;

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
  // The other controls' notifications name no command.
  launcher_->Command(id, [this] { CompleteStart(); });
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

// At the button's bottom-left corner, as the editing menu opens from the keyboard.
void LauncherWindow::ShowFolderMenu(int k, const std::string& folder) {
  if (!folderMenu_) folderMenu_ = std::make_unique<FolderMenuPopup>(Handle());
  RECT r;
  GetWindowRect(ButtonControl(k).Handle(), &r);
  folderMenu_->Open(
      folder, {r.left, r.bottom},
      [this, k](const std::string& path, core::ShiftState shift) {
        if (launcher_) launcher_->FolderMenuChosen(k, path, shift);
      },
      [this] { MenuDone(); });
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
