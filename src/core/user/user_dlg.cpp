// The user dialog. A user number holds a name, and the name is the key of the stored
// pages: the files DATA\<name><page>.dat belong to a name, whatever number holds it.
#include "user/user_dlg.h"

#include <algorithm>

#include "copy/copy_dlg.h"
#include "error.h"
#include "user/user_name.h"
#include "user/user_texts.h"

namespace core {

void TUserDlg::mUserClick() {
  LauncherState& state = host_.State();
  bool ready = Reporting(prompter_, [&] {
    host_.SavePosition();
    LoadUserForm();
    host_.LoadUserName(state.UserNo);
  });
  if (!ready) return;
  view_.SetNameText(state.UserName);
  view_.SetUserNumber(state.UserNo);
  view_.SelectListItem(-1);
  ColorChange(view_, state.FormColor);
  view_.ShowModal();
}

void TUserDlg::LoadUserForm() {
  names_.clear();
  for (int n = 1; n <= kUserCount; ++n) names_.push_back(host_.UserNameOf(n));
  view_.SetListItems(names_);
  view_.MoveTo(host_.StoredPosition());
}

void TUserDlg::ListBox1Click(int index) {
  if (index < 0 || index >= kUserCount) return;
  LauncherState& state = host_.State();
  host_.Handle([&] {
    state.UserNo = index + 1;
    state.UserName = names_[static_cast<size_t>(index)];
    host_.SaveUserName(state.UserNo);
    host_.LoadPageNo(state.UserNo);
    host_.LoadPageNoControl(state.UserNo);
    host_.ShowPageCount();
    host_.MovePage(state.PageNo);
    host_.ComposeCaption();
    host_.LoadOption(state.UserNo);
    host_.SavePosition();
  });
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

void TUserDlg::StoreNameOf(int s, const std::string& name) {
  LauncherState& state = host_.State();
  std::string saved = state.UserName;
  state.UserName = name;
  host_.SaveUserName(s);
  if (s != state.UserNo) state.UserName = saved;
}

void TUserDlg::ResetToFirstPage() {
  LauncherState& state = host_.State();
  state.PageNo = 1;
  state.PageNoControl = 1;
  host_.ShowPageCount();
  host_.MovePage(1);
  host_.ComposeCaption();
}

void TUserDlg::EntryButtonClick() {
  const std::string typed = view_.NameText();
  const int s = view_.UserNumber();
  if (RefusedAsUnsafe(typed) || InUse(typed)) return;
  host_.Handle([&] {
    StoreNameOf(s, typed);
    ResetToFirstPage();
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
  LauncherState& state = host_.State();
  host_.Handle([&] {
    std::string saved = state.UserName;
    host_.LoadUserName(s);
    const std::string old = state.UserName;
    for (int page = 1; page <= kLastPage; ++page) {
      if (!files_.FileExists(PageFile(old, page))) continue;
      if (!files_.RenameFile(PageFile(old, page), PageFile(typed, page))) prompter_.ShowMessage(texts::kRenameFailed);
    }
    state.UserName = typed;
    host_.SaveUserName(s);
    if (s != state.UserNo) state.UserName = saved;
    host_.ComposeCaption();
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
  LauncherState& state = host_.State();
  host_.Handle([&] {
    std::string saved = state.UserName;
    host_.LoadUserName(s);
    removeAll(state.UserName);
    host_.ForgetUser(s);
    LoadUserForm();
    SelectNumberEntry(s);
    state.UserName = view_.NameText();
    host_.SaveUserName(s);
    if (s != state.UserNo) state.UserName = saved;
    host_.LoadPageNo(state.UserNo);
    host_.LoadPageNoControl(state.UserNo);
    host_.ShowPageCount();
    host_.MovePage(state.PageNo);
    host_.ComposeCaption();
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
  host_.Handle([&] {
    StoreNameOf(s, typed);
    ResetToFirstPage();
    LoadUserForm();
  });
  editChanged_ = false;
}

void TUserDlg::CopyButtonClick() {
  if (copyDlg_) copyDlg_->CopyButtonClick();
}

}  // namespace core
