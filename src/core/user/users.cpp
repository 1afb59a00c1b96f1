#include "user/users.h"

#include "copy/copy_texts.h"
#include "user/user_texts.h"

namespace core {

CurrentUser Users::OpenUsers() {
  display_.SavePosition();
  const int n = display_.CurrentUserNo();
  const std::string name = settings_.UserNameOf(n);
  display_.ShowUser({n, name, std::nullopt, std::nullopt});
  return {n, name, display_.FormColor()};
}

std::vector<std::string> Users::UserNames() const {
  std::vector<std::string> names;
  for (int n = 1; n <= kUserCount; ++n) names.push_back(settings_.UserNameOf(n));
  return names;
}

// The name is stored first, so a number that only had its default name has a stored
// one from now on; the file as written gives the page, the count and the options.
void Users::SwitchUser(int n, const std::string& name) {
  const SettingsFile settings = settings_.StoreUserName(n, name);
  display_.ShowUser({n, name, PageSpan{settings.PageNo(n), settings.PageCount(n)}, settings.OptionsOf(n)});
  display_.SavePosition();
}

int Users::CountPages(const std::string& name, int from) const {
  return static_cast<int>(pages_.PagesOf(name, from).size());
}

std::string Users::StoreUserName(int s, const std::string& name) {
  settings_.StoreUserName(s, name);
  return s == display_.CurrentUserNo() ? name : display_.CurrentUserName();
}

void Users::AssignUser(int s, const std::string& name) {
  const std::string current = StoreUserName(s, name);
  display_.ShowUser({display_.CurrentUserNo(), current, PageSpan{1, 1}, std::nullopt});
}

// The old name's files move to the new name page by page; a page that cannot move
// is reported and stays under the old name, and the rest still move. The window's
// page stays as it is.
void Users::RenameUser(int s, const std::string& name) {
  const std::string old = settings_.UserNameOf(s);
  for (int page : pages_.PagesOf(old))
    if (!files_.RenameFile(pages_.PathOf(old, page), pages_.PathOf(name, page)))
      prompter_.ShowMessage(texts::kRenameFailed);
  display_.ShowUser({display_.CurrentUserNo(), StoreUserName(s, name), std::nullopt, std::nullopt});
}

void Users::DeleteData(const std::string& name) {
  for (int page : pages_.PagesOf(name)) files_.RemoveFile(pages_.PathOf(name, page));
}

// Forgotten, the number has its default name again, which is stored; the current
// user's page and count come from the file.
void Users::DeleteUser(int s) {
  DeleteData(settings_.UserNameOf(s));
  settings_.ForgetUser(s);
  const std::string current = StoreUserName(s, settings_.UserNameOf(s));
  const int n = display_.CurrentUserNo();
  const SettingsFile settings = settings_.Read();
  display_.ShowUser({n, current, PageSpan{settings.PageNo(n), settings.PageCount(n)}, std::nullopt});
}

std::uint64_t Users::UserDataSize(const std::string& name) const {
  std::uint64_t sum = 0;
  for (int page = 1; page <= PageStore::kLastPage; ++page) {
    if (auto stamp = files_.Stamp(pages_.PathOf(name, page)); stamp && stamp->size > 0)
      sum += static_cast<std::uint64_t>(stamp->size);
  }
  return sum;
}

void Users::CopyUserData(const std::string& source, const std::string& target) {
  for (int page : pages_.PagesOf(source))
    if (!CopyRenFile(pages_.PathOf(source, page), pages_.PathOf(target, page)))
      prompter_.ShowMessage(texts::kCopyFailed);
}

void Users::BackUp(std::uintptr_t owner, const std::string* name) {
  const std::optional<std::string> folder = shell_.ChooseFolder(owner, settings_.ToDir());
  if (!folder) return;
  settings_.SetToDir(*folder);
  if (!name) {
    CopyfoStruct(owner, pages_.AllPagesPattern(), *folder);
    return;
  }
  for (int page : pages_.PagesOf(*name)) CopyfoStruct(owner, pages_.PathOf(*name, page), *folder);
}

bool Users::CopyRenFile(const std::string& source, const std::string& target) {
  return files_.CopyFileTo(source, target);
}

void Users::CopyfoStruct(std::uintptr_t owner, const std::string& source, const std::string& folder) {
  shell_.CopyIntoFolder(owner, source, folder);
}

}  // namespace core
