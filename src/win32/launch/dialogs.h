#pragma once

#include <memory>

#include "about/about_box.h"
#include "about/about_box_window.h"
#include "copy/copy_dlg.h"
#include "copy/copy_dlg_window.h"
#include "find/find_box.h"
#include "find/find_box_window.h"
#include "launch/launcher.h"
#include "list/list_dlg.h"
#include "list/list_dlg_window.h"
#include "option/option_dlg.h"
#include "option/option_dlg_window.h"
#include "user/user_dlg.h"
#include "user/user_dlg_window.h"

namespace win32 {

// The program's dialogs and the find box, each created once and kept for the whole run,
// each with its window and its presenter, which sees only its host of the launcher. They
// are created just after the launcher window first shows, which nobody can tell from
// creating them before it; until then the launcher's commands that open them do nothing.
class Dialogs final : public core::LauncherDialogs {
 public:
  Dialogs() = default;
  // The launcher and each window let go of the dialogs before they go; the launcher
  // must outlive them.
  ~Dialogs() override;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;

  // Without a hot key there is nothing for the options dialog to edit, and no dialog.
  void Create(HWND owner, core::TLauncher& launcher, core::TWaitHotKey* hotKey, const core::LauncherPorts& ports);

  ListDlgWindow* ListWindow() { return listWindow_.get(); }
  UserDlgWindow* UserWindow() { return userWindow_.get(); }
  CopyDlgWindow* CopyWindow() { return copyWindow_.get(); }
  core::TCopyDlg* Copy() { return copy_.get(); }
  OptionDlgWindow* OptionWindow() { return optionWindow_.get(); }
  AboutBoxWindow* AboutWindow() { return aboutWindow_.get(); }
  FindBoxWindow* FindWindow() { return findWindow_.get(); }
  core::TFindBox* Find() { return find_.get(); }

  // core::LauncherDialogs
  void OpenPageList() override;
  void OpenUsers() override;
  void OpenOptions() override;
  void OpenVersion(int formColor) override;
  void OpenFindBox() override;

 private:
  core::TLauncher* launcher_ = nullptr;
  std::unique_ptr<ListDlgWindow> listWindow_;
  std::unique_ptr<core::TListDlg> list_;
  std::unique_ptr<UserDlgWindow> userWindow_;
  std::unique_ptr<core::TUserDlg> user_;
  std::unique_ptr<CopyDlgWindow> copyWindow_;
  std::unique_ptr<core::TCopyDlg> copy_;
  std::unique_ptr<OptionDlgWindow> optionWindow_;
  std::unique_ptr<core::TOptionDlg> option_;
  std::unique_ptr<AboutBoxWindow> aboutWindow_;
  std::unique_ptr<core::TAboutBox> about_;
  std::unique_ptr<FindBoxWindow> findWindow_;
  std::unique_ptr<core::TFindBox> find_;
};

}  // namespace win32
