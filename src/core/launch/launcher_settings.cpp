#include "launch/launcher_settings.h"

#include "user/user_name.h"

namespace core {

// One read. The desktop is asked for only when no folder is stored.
void LauncherSettings::LoadPosition() {
  const SettingsFile settings = store_.Load();
  const int n = settings.UserNo();
  navigator_.SetUser(n, navigator_.Current().UserName);
  auto toDir = settings.ToDir(n);
  toDir_ = toDir ? *toDir : environment_.FolderPath(kFolderDesktop);
  view_.MoveWindowTo(settings.Position());
  navigator_.SetPageNo(settings.PageNo(n));
  navigator_.SetPageCount(settings.PageCount(n));
}

// The second write starts from the first one's result, which is the file as it is.
void LauncherSettings::SavePosition() {
  const CurrentPage& at = navigator_.Current();
  SettingsFile settings = store_.Change([&](SettingsFile& s) {
    s.SetPosition(view_.WindowPosition());
    s.SetUserNo(at.UserNo);
    s.SetPageCount(at.UserNo, at.PageNoControl);
    s.SetToDir(at.UserNo, toDir_);
  });
  settings.SetPageNo(at.UserNo, at.PageNo);
  store_.Save(settings);
}

// A stored name goes into page file names as it stands: one that would lead out of
// DATA (a settings file edited by hand) counts as no name stored.
std::string LauncherSettings::UserNameOf(int n) const {
  std::string name = store_.Load().UserName(n);
  return IsSafeUserName(name) ? name : UserKey(n);
}

void LauncherSettings::StoreUserName(int n, const std::string& name) {
  store_.Change([&](SettingsFile& s) { s.SetUserName(n, name); });
  if (n != navigator_.Current().UserNo || name == navigator_.Current().UserName) return;
  navigator_.SetUserName(name);
  navigator_.ComposeCaption();
}

void LauncherSettings::ForgetUser(int n) {
  store_.Change([&](SettingsFile& s) { s.ForgetUserName(n); });
  store_.Change([&](SettingsFile& s) { s.ForgetPageCount(n); });
  store_.Change([&](SettingsFile& s) { s.ForgetPageNo(n); });
}

// The name is stored first, so a number that only had its default name has a stored
// one from now on; the file as written gives the page, the count and the options.
Options LauncherSettings::SwitchUser(int n, const std::string& name) {
  navigator_.SetUser(n, name);
  const SettingsFile settings = store_.Change([&](SettingsFile& s) { s.SetUserName(n, name); });
  ShowPages(settings.PageNo(n), settings.PageCount(n));
  return settings.OptionsOf(n);
}

void LauncherSettings::ReloadPage() {
  const SettingsFile settings = store_.Load();
  const int n = navigator_.Current().UserNo;
  ShowPages(settings.PageNo(n), settings.PageCount(n));
}

void LauncherSettings::ResetPages() { ShowPages(1, 1); }

void LauncherSettings::ShowPages(int page, int count) {
  navigator_.SetPageNo(page);
  navigator_.SetPageCount(count);
  navigator_.ShowPageCount();
  navigator_.MovePage(page);
  navigator_.ComposeCaption();
}

void LauncherSettings::SaveOptions(int n, const Options& options) {
  store_.Change([&](SettingsFile& s) { s.SetOptions(n, options); });
}

}  // namespace core
