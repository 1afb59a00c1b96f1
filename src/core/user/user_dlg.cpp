// The user dialog. A user number holds a name, and the name is the key of the stored
// pages: the files DATA\<name><page>.dat belong to a name, whatever number holds it.
#include "user/user_dlg.h"

#include <algorithm>

#include "copy/copy_dlg.h"
#include "error.h"
#include "launch/launcher.h"
#include "user/user_name.h"
#include "user/user_texts.h"

namespace core {

void TUserDlg::mUserClick() {
  bool ready = Reporting(prompter_, [&] {
    launcher_.Settings().SavePosition();
    LoadUserForm();
    launcher_.Settings().ReloadUserName();
  });
  if (!ready) return;
  view_.SetNameText(launcher_.Current().UserName);
  view_.SetUserNumber(launcher_.Current().UserNo);
  view_.SelectListItem(-1);
  ColorChange(view_, launcher_.CurrentOptions().FormColor);
  view_.ShowModal();
}

void TUserDlg::LoadUserForm() {
  names_.clear();
  for (int n = 1; n <= kUserCount; ++n) names_.push_back(launcher_.Settings().UserNameOf(n));
  view_.SetListItems(names_);
  view_.MoveTo(launcher_.Settings().StoredPosition());
}

void TUserDlg::ListBox1Click(int index) {
  if (index < 0 || index >= kUserCount) return;
  launcher_.SwitchUser(index + 1, names_[static_cast<size_t>(index)]);
  view_.Close();
}

void TUserDlg::SelectNumberEntry(int s) {
  view_.SelectListItem(s - 1);
  view_.SetNameText(names_[static_cast<size_t>(s - 1)]);
}

void TUserDlg::UpDown1Click() {
  SelectNumberEntry(view_.UserNumber());
  editChanged_ = false;
}

BoxPlacement TUserDlg::AtDialog() const {
  ScreenPoint corner = view_.Position();
  return BoxPlacement::At(corner.x, corner.y);
}

bool TUserDlg::RefusedAsUnsafe(const std::string& name) {
  if (IsSafeUserName(name)) return false;
  prompter_.ShowInformation(Format(texts::kUnsafeName, name), AtDialog());
  return true;
}

// Page 0 counts here, although no page 0 is ever shown.
bool TUserDlg::InUse(const std::string& name) {
  bool used = std::find(names_.begin(), names_.end(), name) != names_.end();
  for (int page = 0; page <= kLastPage && !used; ++page) used = files_.FileExists(PageFile(name, page));
  if (used) prompter_.ShowInformation(name + texts::kNameInUse, AtDialog());
  return used;
}

int TUserDlg::CountPages(const std::string& name) const {
  int count = 0;
  for (int page = 1; page <= kLastPage; ++page) count += files_.FileExists(PageFile(name, page)) ? 1 : 0;
  return count;
}

void TUserDlg::EntryButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed) || InUse(typed)) return;
  launcher_.Handle([&] {
    launcher_.Settings().StoreUserName(s, typed);
    launcher_.Settings().ResetPages();
    LoadUserForm();
  });
  editChanged_ = false;
}

// The old name's files move to the new name page by page; a page that cannot move
// is reported and stays under the old name, and the rest still move.
void TUserDlg::ChangeButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed) || InUse(typed)) return;
  launcher_.Handle([&] {
    const std::string old = launcher_.Settings().UserNameOf(s);
    for (int page = 1; page <= kLastPage; ++page) {
      if (!files_.FileExists(PageFile(old, page))) continue;
      if (!files_.RenameFile(PageFile(old, page), PageFile(typed, page))) prompter_.ShowMessage(texts::kRenameFailed);
    }
    launcher_.Settings().StoreUserName(s, typed);
    LoadUserForm();
  });
  editChanged_ = false;
}

void TUserDlg::DeleteButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed)) return;
  const int count = CountPages(typed);
  if (count == 0) {
    prompter_.ShowInformation(typed + texts::kNothingToDelete, AtDialog());
    return;
  }
  std::string question = typed + texts::kDeleteData + texts::kDeletePagesOpen + std::to_string(count) +
                         texts::kDeletePagesClose + texts::kDeleteQuestion;
  if (!prompter_.Confirm(question, ConfirmKind::kYesCancel, AtDialog())) return;
  auto removeAll = [&](const std::string& name) {
    for (int page = 1; page <= kLastPage; ++page) files_.RemoveFile(PageFile(name, page));
  };
  if (editChanged_) {  // the typed name's data only
    removeAll(typed);
    SelectNumberEntry(s);
    editChanged_ = false;
    return;
  }
  launcher_.Handle([&] {
    removeAll(launcher_.Settings().UserNameOf(s));
    launcher_.Settings().ForgetUser(s);
    LoadUserForm();
    SelectNumberEntry(s);
    launcher_.Settings().StoreUserName(s, view_.NameText());
    launcher_.Settings().ReloadPage();
  });
}

// No in-use check: two numbers may share one name's data.
void TUserDlg::LoadButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed)) return;
  bool found = false;
  for (int page = 0; page <= kLastPage && !found; ++page) found = files_.FileExists(PageFile(typed, page));
  if (!found) {
    prompter_.ShowInformation(typed + texts::kNoDataToLoad, AtDialog());
    return;
  }
  launcher_.Handle([&] {
    launcher_.Settings().StoreUserName(s, typed);
    launcher_.Settings().ResetPages();
    LoadUserForm();
  });
  editChanged_ = false;
}

std::string TUserDlg::PageFile(const std::string& name, int page) const { return launcher_.Pages().PathOf(name, page); }

void TUserDlg::HelpButtonClick() { launcher_.mHelpOpenClick(); }

void TUserDlg::CopyButtonClick() {
  if (copyDlg_) copyDlg_->CopyButtonClick();
}

}  // namespace core
