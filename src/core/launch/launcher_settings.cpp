#include "launch/launcher_settings.h"

#include "user/user_name.h"

namespace core {

// One read. The desktop is asked for only when no folder is stored.
WindowState LauncherSettings::LoadPosition() {
  const SettingsFile settings = store_.Load();
  const int n = settings.UserNo();
  auto toDir = settings.ToDir(n);
  toDir_ = toDir ? *toDir : environment_.FolderPath(kFolderDesktop);
  return {settings.Position(), n, settings.PageNo(n), settings.PageCount(n)};
}

// The second write starts from the first one's result, which is the file as it is.
void LauncherSettings::SavePosition(const WindowState& state) {
  SettingsFile settings = store_.Change([&](SettingsFile& s) {
    s.SetPosition(state.position);
    s.SetUserNo(state.userNo);
    s.SetPageCount(state.userNo, state.pageCount);
    s.SetToDir(state.userNo, toDir_);
  });
  settings.SetPageNo(state.userNo, state.pageNo);
  store_.Save(settings);
}

// A stored name goes into page file names as it stands: one that would lead out of
// DATA (a settings file edited by hand) counts as no name stored.
std::string LauncherSettings::UserNameOf(int n) const {
  std::string name = store_.Load().UserName(n);
  return IsSafeUserName(name) ? name : UserKey(n);
}

SettingsFile LauncherSettings::StoreUserName(int n, const std::string& name) {
  return store_.Change([&](SettingsFile& s) { s.SetUserName(n, name); });
}

void LauncherSettings::ForgetUser(int n) {
  store_.Change([&](SettingsFile& s) { s.ForgetUserName(n); });
  store_.Change([&](SettingsFile& s) { s.ForgetPageCount(n); });
  store_.Change([&](SettingsFile& s) { s.ForgetPageNo(n); });
}

void LauncherSettings::SaveOptions(int n, const Options& options) {
  store_.Change([&](SettingsFile& s) { s.SetOptions(n, options); });
}

}  // namespace core
