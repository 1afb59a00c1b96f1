#include "launch/change_intake.h"

#include "error.h"
#include "storage/file_name_case.h"
#include "storage/paths.h"

namespace core {
namespace {

// A changed path names the file, or is the file's folder (with its "\"), which
// stands for every file in it.
// Both are compared as Windows compares file names.
bool Covers(const std::string& changed, const std::string& file) {
  const std::string folder = FileNameForm(changed), path = FileNameForm(file);
  if (!folder.empty() && folder.back() == kPathSeparator)
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path.find(kPathSeparator, folder.size()) == std::string::npos;
  return folder == path;
}

// A changed path in a folder (named without its "\"), or a folder (with it) that
// holds that folder.
bool Touches(const std::string& changed, const std::string& folder) {
  const std::string path = FileNameForm(changed), within = FileNameForm(folder) + kPathSeparator;
  return path.starts_with(within) || (!path.empty() && path.back() == kPathSeparator && within.starts_with(path));
}

}  // namespace

void ChangeIntake::FilesChanged(const std::vector<std::string>& paths) {
  changed_.insert(changed_.end(), paths.begin(), paths.end());
  if (TakesChanges()) TakeIn();
}

void ChangeIntake::Release() {
  if (holds_ > 0) --holds_;
  TakeInWaiting();
}

void ChangeIntake::TakeInWaiting() {
  if (!changed_.empty() && TakesChanges()) TakeIn();
}

// The keys follow the user's pages: shown anew with the user, or else once whatever
// changed.
void ChangeIntake::TakeIn() {
  const std::vector<std::string> paths = std::move(changed_);
  changed_.clear();
  const std::string page = navigator_.PageFilePath();
  bool settings = false, shown = false, pages = false;
  for (const std::string& path : paths) {
    settings = settings || Covers(path, settings_.Path());
    shown = shown || Covers(path, page);
    pages = pages || Touches(path, pages_.DataFolder());
  }
  // A settings file removed elsewhere is written again, from what the window holds,
  // at the next save.
  std::optional<ShownUser> user;
  if (settings && files_.FileExists(settings_.Path())) Reporting(prompter_, [&] { user = UserToShow(); });
  if (user) Reporting(prompter_, [&] { display_.ShowUser(*user); });
  if (shown) Reporting(prompter_, [&] { navigator_.TakeInPage(); });
  if ((settings || pages) && !user) keys_.PagesChanged();
}

// The current user stays, and so does the page while the count still holds it. A
// new name of the user leads to other page files: the page is shown from them.
std::optional<ShownUser> ChangeIntake::UserToShow() {
  const SettingsFile file = settings_.Read();
  const CurrentPage& now = navigator_.Current();
  const int n = now.UserNo;
  if (const auto toDir = file.ToDir(n)) settings_.SetToDir(*toDir);
  ShownUser user{n, settings_.UserNameOf(n), std::nullopt, std::nullopt};
  if (const Options options = file.OptionsOf(n); !(options == shown_)) user.options = options;
  if (const int count = file.PageCount(n); count != now.PageNoControl || user.name != now.UserName)
    user.pages = PageSpan{now.PageNo > count && now.PageNo != 1 ? count : now.PageNo, count};
  if (!user.options && !user.pages) return std::nullopt;
  return user;
}

}  // namespace core
