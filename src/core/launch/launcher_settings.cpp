// The launcher's operations on the settings file. Each one loads the whole file and,
// when it changes keys, writes the whole file back before it returns.
#include "components/tray_icon.h"
#include "components/wait_hot_key.h"
#include "launch/launcher.h"
#include "storage/paths.h"
#include "user/user_name.h"

namespace core {

std::string TLauncher::SettingsPath() const { return ChangeExtension(ports_.environment.ExecutablePath(), ".ini"); }

SettingsFile TLauncher::LoadSettings() const { return SettingsFile(store_.Load(SettingsPath())); }

void TLauncher::SaveSettings(const SettingsFile& settings) { store_.Save(SettingsPath(), settings.Image()); }

std::string TLauncher::GetFolderPath(int id) const { return ports_.environment.FolderPath(id); }

void TLauncher::LoadPosition() {
  const SettingsFile settings = LoadSettings();
  state_.UserNo = settings.UserNo();
  // The desktop is asked for only when no folder is stored.
  auto toDir = settings.ToDir(state_.UserNo);
  state_.ToDir = toDir ? *toDir : GetFolderPath(kFolderDesktop);
  view_.MoveWindowTo(settings.Position());
  LoadPageNo(state_.UserNo);
  LoadPageNoControl(state_.UserNo);
}

void TLauncher::SavePosition() {
  SettingsFile settings = LoadSettings();
  settings.SetPosition(view_.WindowPosition());
  settings.SetUserNo(state_.UserNo);
  settings.SetPageCount(state_.UserNo, state_.PageNoControl);
  settings.SetToDir(state_.UserNo, state_.ToDir);
  SaveSettings(settings);
  SavePageNo(state_.UserNo);
}

ScreenPoint TLauncher::StoredPosition() const { return LoadSettings().Position(); }

// A stored name goes into page file names as it stands: one that would lead out of
// DATA (a settings file edited by hand) counts as no name stored.
std::string TLauncher::UserNameOf(int n) const {
  std::string name = LoadSettings().UserName(n);
  return IsSafeUserName(name) ? name : UserKey(n);
}

void TLauncher::LoadUserName(int n) { state_.UserName = UserNameOf(n); }

void TLauncher::SaveUserName(int n) {
  SettingsFile settings = LoadSettings();
  settings.SetUserName(n, state_.UserName);
  SaveSettings(settings);
}

// Three writes, one key each.
void TLauncher::ForgetUser(int n) {
  void (SettingsFile::*const forget[])(int) = {&SettingsFile::ForgetUserName, &SettingsFile::ForgetPageCount,
                                               &SettingsFile::ForgetPageNo};
  for (auto step : forget) {
    SettingsFile settings = LoadSettings();
    (settings.*step)(n);
    SaveSettings(settings);
  }
}

void TLauncher::LoadPageNo(int n) { state_.PageNo = LoadSettings().PageNo(n); }

void TLauncher::SavePageNo(int n) {
  SettingsFile settings = LoadSettings();
  settings.SetPageNo(n, state_.PageNo);
  SaveSettings(settings);
}

void TLauncher::LoadPageNoControl(int n) { state_.PageNoControl = LoadSettings().PageCount(n); }

void TLauncher::LoadOption(int n) {
  static_cast<Options&>(state_) = LoadSettings().OptionsOf(n);
  ColorChange(view_, state_.FormColor);
  if (trayIcon_) trayIcon_->SetVisible(state_.Tray > 0);
  if (!waitHotKey_) return;
  if (state_.Hot <= 0) {
    // Switched off, the key is withdrawn from the system, so that other programs may
    // have the combination.
    waitHotKey_->SetEnabled(false);
    waitHotKey_->UnregisterKey();
    return;
  }
  waitHotKey_->SetEnabled(true);
  waitHotKey_->SetHotKey(state_.HotKey);
  waitHotKey_->RegisterKey();
}

void TLauncher::SaveOption(int n, const Options& options) {
  SettingsFile settings = LoadSettings();
  settings.SetOptions(n, options);
  SaveSettings(settings);
}

}  // namespace core
