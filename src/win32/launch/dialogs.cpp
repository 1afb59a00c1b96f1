#include "launch/dialogs.h"

namespace win32 {

void Dialogs::Create(HWND owner, core::TLauncher& launcher, core::TWaitHotKey* hotKey) {
  listWindow_ = std::make_unique<ListDlgWindow>(owner);
  list_ = std::make_unique<core::TListDlg>(*listWindow_, launcher);
  listWindow_->Attach(list_.get());
  launcher.SetListDlg(list_.get());

  const core::LauncherPorts& ports = launcher.Ports();
  userWindow_ = std::make_unique<UserDlgWindow>(owner);
  user_ = std::make_unique<core::TUserDlg>(*userWindow_, launcher, ports.files, ports.prompter);
  userWindow_->Attach(user_.get());
  launcher.SetUserDlg(user_.get());

  // The copy dialog opens over the user dialog.
  copyWindow_ = std::make_unique<CopyDlgWindow>(userWindow_->Handle());
  copy_ = std::make_unique<core::TCopyDlg>(*copyWindow_, launcher, ports.files, ports.prompter, ports.shell,
                                           ports.environment);
  copyWindow_->Attach(copy_.get());
  user_->SetCopyDlg(copy_.get());

  aboutWindow_ = std::make_unique<AboutBoxWindow>(owner);
  about_ = std::make_unique<core::TAboutBox>(*aboutWindow_, ports.shell);
  aboutWindow_->Attach(about_.get());
  about_->FormCreate();
  launcher.SetAboutBox(about_.get());

  findWindow_ = std::make_unique<FindBoxWindow>(owner);
  find_ = std::make_unique<core::TFindBox>(*findWindow_, launcher);
  findWindow_->Attach(find_.get());
  launcher.SetFindBox(find_.get());

  if (!hotKey) return;
  optionWindow_ = std::make_unique<OptionDlgWindow>(owner);
  option_ = std::make_unique<core::TOptionDlg>(*optionWindow_, launcher, *hotKey, ports.files, ports.prompter);
  optionWindow_->Attach(option_.get());
  option_->FormCreate();
  launcher.SetOptionDlg(option_.get());
}

}  // namespace win32
