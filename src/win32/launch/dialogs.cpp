#include "launch/dialogs.h"

namespace win32 {

void Dialogs::Create(HWND owner, core::TLauncher& launcher) {
  listWindow_ = std::make_unique<ListDlgWindow>(owner);
  list_ = std::make_unique<core::TListDlg>(*listWindow_, launcher);
  listWindow_->Attach(list_.get());
  launcher.SetListDlg(list_.get());

  userWindow_ = std::make_unique<UserDlgWindow>(owner);
  user_ = std::make_unique<core::TUserDlg>(*userWindow_, launcher, launcher.Ports().files, launcher.Ports().prompter);
  userWindow_->Attach(user_.get());
  launcher.SetUserDlg(user_.get());
}

}  // namespace win32
