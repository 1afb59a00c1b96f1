// The user dialog: what the user chose and the messages; the operations themselves
// are the launcher's (UserOperations).
#include "user/user_dlg.h"

#include <algorithm>

#include "copy/copy_dlg.h"
#include "error.h"
#include "user/user_name.h"
#include "user/user_texts.h"

namespace core {

void TUserDlg::mUserClick() {
  CurrentUser current;
  bool ready = Reporting(prompter_, [&] {
    current = users_.OpenUsers();
    LoadUserForm();
  });
  if (!ready) return;
  view_.SetNameText(current.name);
  view_.SetUserNumber(current.number);
  view_.SelectListItem(-1);
  ColorChange(view_, current.formColor);
  view_.ShowModal();
}

void TUserDlg::LoadUserForm() {
  names_ = users_.UserNames();
  view_.SetListItems(names_);
  view_.MoveTo(users_.StoredPosition());
}

void TUserDlg::ListBox1Click(int index) {
  if (index < 0 || index >= kUserCount) return;
  Reporting(prompter_, [&] { users_.SwitchUser(index + 1, names_[static_cast<size_t>(index)]); });
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
  bool used = std::find(names_.begin(), names_.end(), name) != names_.end() || users_.CountPages(name, 0) > 0;
  if (used) prompter_.ShowInformation(name + texts::kNameInUse, AtDialog());
  return used;
}

void TUserDlg::EntryButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed) || InUse(typed)) return;
  Reporting(prompter_, [&] {
    users_.AssignUser(s, typed);
    LoadUserForm();
  });
  editChanged_ = false;
}

void TUserDlg::ChangeButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed) || InUse(typed)) return;
  Reporting(prompter_, [&] {
    users_.RenameUser(s, typed);
    LoadUserForm();
  });
  editChanged_ = false;
}

// A name typed since a number was chosen deletes only that name's data; otherwise the
// number's user goes, and its name field then shows its default name.
void TUserDlg::DeleteButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed)) return;
  const int count = users_.CountPages(typed, 1);
  if (count == 0) {
    prompter_.ShowInformation(typed + texts::kNothingToDelete, AtDialog());
    return;
  }
  std::string question = typed + texts::kDeleteData + texts::kDeletePagesOpen + std::to_string(count) +
                         texts::kDeletePagesClose + texts::kDeleteQuestion;
  if (!prompter_.Confirm(question, ConfirmKind::kYesCancel, AtDialog())) return;
  if (editChanged_) {
    users_.DeleteData(typed);
    SelectNumberEntry(s);
    editChanged_ = false;
    return;
  }
  Reporting(prompter_, [&] {
    users_.DeleteUser(s);
    LoadUserForm();
    SelectNumberEntry(s);
  });
}

// No in-use check: two numbers may share one name's data.
void TUserDlg::LoadButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed)) return;
  if (users_.CountPages(typed, 0) == 0) {
    prompter_.ShowInformation(typed + texts::kNoDataToLoad, AtDialog());
    return;
  }
  Reporting(prompter_, [&] {
    users_.AssignUser(s, typed);
    LoadUserForm();
  });
  editChanged_ = false;
}

void TUserDlg::HelpButtonClick() { users_.OpenHelp(); }

void TUserDlg::CopyButtonClick() {
  if (copyDlg_) copyDlg_->CopyButtonClick();
}

}  // namespace core
