// The launcher's side of the users: opening the user dialog, and deleting the stored
// data of the page shown.
#include "components/tray_icon.h"
#include "components/wait_hot_key.h"
#include "launch/launcher.h"
#include "launch/launcher_texts.h"
#include "option/option_dlg.h"
#include "user/user_dlg.h"

namespace core {

// Both components toggle the window: the icon's click and a press of the hot key.
void TLauncher::SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey) {
  trayIcon_ = trayIcon;
  waitHotKey_ = waitHotKey;
  if (trayIcon_) trayIcon_->OnClick = [this](TTrayIcon&) { TrayIcon1Click(); };
  if (waitHotKey_) waitHotKey_->OnCatchHotKey = [this](TWaitHotKey&) { WaitHotKey1CatchHotKey(); };
}

void TLauncher::mOptionClick() {
  if (optionDlg_) optionDlg_->mOptionClick();
}

void TLauncher::mUserClick() {
  if (userDlg_) userDlg_->mUserClick();
}

// The page stays where it is and keeps its number; only its file goes. Emptying the
// title box writes the empty title back at once, as any change of the box does.
void TLauncher::mDeleteClick() {
  Handle([&] {
    const std::string path = PageFileName(state_.UserName, state_.PageNo);
    ScreenPoint corner = view_.WindowPosition();
    BoxPlacement placement = BoxPlacement::At(corner.x, corner.y);
    if (!ports_.files.FileExists(path)) {
      ports_.prompter.ShowInformation(texts::kNoPageDataToDelete, placement);
      return;
    }
    if (!ports_.prompter.Confirm(texts::kDeletePageQuestion, ConfirmKind::kYesCancel, placement)) return;
    ports_.files.RemoveFile(path);
    ShowTitle("");
    MovePage(state_.PageNo);
    ComposeCaption();
  });
}

}  // namespace core
