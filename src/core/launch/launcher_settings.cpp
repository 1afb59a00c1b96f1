// The launcher's operations on the settings file. Each one loads the whole file and,
// when it changes keys, writes the whole file back before it returns.
#include <algorithm>

#include "components/tray_icon.h"
#include "components/wait_hot_key.h"
#include "launch/launcher.h"
#include "storage/paths.h"
#include "user/user_name.h"

namespace core {
namespace {

constexpr char kSetting[] = "Setting";
constexpr char kUser[] = "User";
constexpr int kDefaultPosition = 100;

}  // namespace

std::string UserKey(int n) { return "User" + std::to_string(n); }

std::string TLauncher::SettingsPath() const { return ChangeExtension(ports_.environment.ExecutablePath(), ".ini"); }

IniImage TLauncher::LoadSettings() const { return store_.Load(SettingsPath()); }

void TLauncher::SaveSettings(const IniImage& image) { store_.Save(SettingsPath(), image); }

std::string TLauncher::GetFolderPath(int id) const { return ports_.environment.FolderPath(id); }

void TLauncher::LoadPosition() {
  IniImage ini = LoadSettings();
  ScreenPoint position{ini.ReadInteger(kSetting, "Left", kDefaultPosition),
                       ini.ReadInteger(kSetting, "Top", kDefaultPosition)};
  state_.UserNo = ini.ReadInteger(kSetting, "UserNo", 1);
  // The desktop is asked for only when no folder is stored.
  auto toDir = ini.Value(UserKey(state_.UserNo), "ToDir");
  state_.ToDir = toDir ? *toDir : GetFolderPath(kFolderDesktop);
  position.x = std::max(position.x, 0);
  position.y = std::max(position.y, 0);
  view_.MoveWindowTo(position);
  LoadPageNo(state_.UserNo);
  LoadPageNoControl(state_.UserNo);
}

void TLauncher::SavePosition() {
  IniImage ini = LoadSettings();
  ScreenPoint position = view_.WindowPosition();
  ini.WriteInteger(kSetting, "Left", position.x);
  ini.WriteInteger(kSetting, "Top", position.y);
  ini.WriteInteger(kSetting, "UserNo", state_.UserNo);
  const std::string section = UserKey(state_.UserNo);
  ini.WriteInteger(section, "PageNoControl", state_.PageNoControl);
  ini.WriteString(section, "ToDir", state_.ToDir);
  SaveSettings(ini);
  SavePageNo(state_.UserNo);
}

ScreenPoint TLauncher::StoredPosition() const {
  IniImage ini = LoadSettings();
  return {std::max(ini.ReadInteger(kSetting, "Left", kDefaultPosition), 0),
          std::max(ini.ReadInteger(kSetting, "Top", kDefaultPosition), 0)};
}

// A stored name goes into page file names as it stands: one that would lead out of
// DATA (a settings file edited by hand) counts as no name stored.
std::string TLauncher::UserNameOf(int n) const {
  std::string name = LoadSettings().ReadString(kUser, UserKey(n), UserKey(n));
  return IsSafeUserName(name) ? name : UserKey(n);
}

void TLauncher::LoadUserName(int n) { state_.UserName = UserNameOf(n); }

void TLauncher::SaveUserName(int n) {
  IniImage ini = LoadSettings();
  ini.WriteString(kUser, UserKey(n), state_.UserName);
  SaveSettings(ini);
}

void TLauncher::ForgetUser(int n) {
  const std::pair<std::string, const char*> keys[] = {
      {kUser, nullptr}, {UserKey(n), "PageNoControl"}, {UserKey(n), "PageNo"}};
  for (const auto& [section, key] : keys) {
    IniImage ini = LoadSettings();
    ini.DeleteKey(section, key ? key : UserKey(n));
    SaveSettings(ini);
  }
}

void TLauncher::LoadPageNo(int n) { state_.PageNo = LoadSettings().ReadInteger(UserKey(n), "PageNo", 1); }

void TLauncher::SavePageNo(int n) {
  IniImage ini = LoadSettings();
  ini.WriteInteger(UserKey(n), "PageNo", state_.PageNo);
  SaveSettings(ini);
}

void TLauncher::LoadPageNoControl(int n) {
  state_.PageNoControl = LoadSettings().ReadInteger(UserKey(n), "PageNoControl", 1);
}

void TLauncher::LoadOption(int n) {
  const IniImage ini = LoadSettings();
  const std::string s = UserKey(n);
  state_.Mouse = ini.ReadInteger(s, "Mouse", 0);
  state_.Tray = ini.ReadInteger(s, "Tray", 1);
  state_.Hot = ini.ReadInteger(s, "Hot", 0);
  state_.Shift = ini.ReadInteger(s, "Shift", 0);
  state_.Ctrl = ini.ReadInteger(s, "Ctrl", 0);
  state_.Alt = ini.ReadInteger(s, "Alt", 1);
  state_.HotKey = ini.ReadString(s, "HotKey", "Alt+A");
  state_.Key = ini.ReadInteger(s, "Key", 40);
  state_.FormColor = ini.ReadInteger(s, "FormColor", 0);
  state_.BtnClk = ini.ReadBool(s, "BtnClk", false);
  state_.TitleDbClk = ini.ReadBool(s, "TitleDbClk", false);
  state_.Sound = ini.ReadBool(s, "Sound", false);
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

void TLauncher::SaveOption(int n, const OptionValues& v) {
  IniImage ini = LoadSettings();
  const std::string s = UserKey(n);
  ini.WriteInteger(s, "Mouse", v.Mouse);
  ini.WriteInteger(s, "Tray", v.Tray);
  ini.WriteInteger(s, "Hot", v.Hot);
  ini.WriteInteger(s, "Shift", v.Shift);
  ini.WriteInteger(s, "Ctrl", v.Ctrl);
  ini.WriteInteger(s, "Alt", v.Alt);
  ini.WriteString(s, "HotKey", v.HotKey);
  ini.WriteInteger(s, "Key", v.Key);
  ini.WriteInteger(s, "FormColor", v.FormColor);
  ini.WriteBool(s, "BtnClk", v.BtnClk);
  ini.WriteBool(s, "TitleDbClk", v.TitleDbClk);
  ini.WriteBool(s, "Sound", v.Sound);
  SaveSettings(ini);
}

}  // namespace core
