#include "launch/dialogs.h"

namespace win32 {

Dialogs::~Dialogs() {
  if (launcher_) launcher_->SetDialogs(nullptr);
  if (listWindow_) listWindow_->Attach(nullptr);
  if (userWindow_) userWindow_->Attach(nullptr);
  if (copyWindow_) copyWindow_->Attach(nullptr);
  if (optionWindow_) optionWindow_->Attach(nullptr);
  if (aboutWindow_) aboutWindow_->Attach(nullptr);
  if (findWindow_) findWindow_->Attach(nullptr);
}

void Dialogs::Create(HWND owner, core::TLauncher& launcher, core::TWaitHotKey* hotKey,
                     const core::LauncherPorts& ports) {
  const core::DialogHosts hosts = launcher.Hosts();
  listWindow_ = std::make_unique<ListDlgWindow>(owner);
  list_ = std::make_unique<core::TListDlg>(*listWindow_, hosts.list, ports.prompter);
  listWindow_->Attach(list_.get());

  userWindow_ = std::make_unique<UserDlgWindow>(owner);
  user_ = std::make_unique<core::TUserDlg>(*userWindow_, hosts.users, ports.prompter);
  userWindow_->Attach(user_.get());

  // The copy dialog opens over the user dialog.
  copyWindow_ = std::make_unique<CopyDlgWindow>(userWindow_->Handle());
  copy_ = std::make_unique<core::TCopyDlg>(*copyWindow_, hosts.copy, ports.prompter, ports.files, ports.environment);
  copyWindow_->Attach(copy_.get());
  user_->SetCopyDlg(copy_.get());

  aboutWindow_ = std::make_unique<AboutBoxWindow>(owner);
  about_ = std::make_unique<core::TAboutBox>(*aboutWindow_, ports.shell);
  aboutWindow_->Attach(about_.get());
  about_->FormCreate();

  findWindow_ = std::make_unique<FindBoxWindow>(owner);
  find_ = std::make_unique<core::TFindBox>(*findWindow_, hosts.find, ports.prompter);
  findWindow_->Attach(find_.get());

  if (hotKey) {
    optionWindow_ = std::make_unique<OptionDlgWindow>(owner);
    option_ = std::make_unique<core::TOptionDlg>(*optionWindow_, hosts.options, *hotKey, ports.files, ports.prompter);
    optionWindow_->Attach(option_.get());
    option_->FormCreate();
  }
  launcher_ = &launcher;
  launcher.SetDialogs(this);
}

void Dialogs::OpenPageList() {
  if (list_) list_->mListClick();
}

void Dialogs::OpenUsers() {
  if (user_) user_->mUserClick();
}

void Dialogs::OpenOptions() {
  if (option_) option_->mOptionClick();
}

void Dialogs::OpenVersion(int formColor) {
  if (about_) about_->mVersionClick(formColor);
}

void Dialogs::OpenFindBox() {
  if (find_) find_->Open();
}

}  // namespace win32
