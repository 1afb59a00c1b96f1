#include "storage/settings_file.h"

#include <algorithm>
#include <variant>

namespace core {
namespace {

// Section "Setting": where the window stands and who uses it.
constexpr char kSetting[] = "Setting";
constexpr char kLeft[] = "Left";
constexpr char kTop[] = "Top";
constexpr char kUserNo[] = "UserNo";
constexpr int kDefaultPosition = 100;
// Section "User": the user names, key UserKey(n).
constexpr char kUserNames[] = "User";
// Section UserKey(n): the page, the page count and the backup folder of user n,
constexpr char kPageNo[] = "PageNo";
constexpr char kPageCount[] = "PageNoControl";
constexpr char kToDir[] = "ToDir";

// and the options of user n, in the order they are written; the defaults are those
// of Options.
using OptionMember = std::variant<int Options::*, bool Options::*, std::string Options::*>;
struct OptionKey {
  const char* key;
  OptionMember member;
};
const OptionKey kOptionKeys[] = {
    {"Mouse", &Options::Mouse},
    {"Tray", &Options::Tray},
    {"Hot", &Options::Hot},
    {"Shift", &Options::Shift},
    {"Ctrl", &Options::Ctrl},
    {"Alt", &Options::Alt},
    {"HotKey", &Options::HotKey},
    {"Key", &Options::Key},
    {"FormColor", &Options::FormColor},
    {"BtnClk", &Options::BtnClk},
    {"TitleDbClk", &Options::TitleDbClk},
    {"Sound", &Options::Sound},
};

}  // namespace

std::string UserKey(int n) { return "User" + std::to_string(n); }

ScreenPoint SettingsFile::Position() const {
  return {std::max(image_.ReadInteger(kSetting, kLeft, kDefaultPosition), 0),
          std::max(image_.ReadInteger(kSetting, kTop, kDefaultPosition), 0)};
}

void SettingsFile::SetPosition(ScreenPoint position) {
  image_.WriteInteger(kSetting, kLeft, position.x);
  image_.WriteInteger(kSetting, kTop, position.y);
}

int SettingsFile::UserNo() const { return image_.ReadInteger(kSetting, kUserNo, 1); }

void SettingsFile::SetUserNo(int n) { image_.WriteInteger(kSetting, kUserNo, n); }

std::string SettingsFile::UserName(int n) const { return image_.ReadString(kUserNames, UserKey(n), UserKey(n)); }

void SettingsFile::SetUserName(int n, const std::string& name) { image_.WriteString(kUserNames, UserKey(n), name); }

void SettingsFile::ForgetUserName(int n) { image_.DeleteKey(kUserNames, UserKey(n)); }

int SettingsFile::PageNo(int n) const { return image_.ReadInteger(UserKey(n), kPageNo, 1); }

void SettingsFile::SetPageNo(int n, int page) { image_.WriteInteger(UserKey(n), kPageNo, page); }

void SettingsFile::ForgetPageNo(int n) { image_.DeleteKey(UserKey(n), kPageNo); }

int SettingsFile::PageCount(int n) const { return image_.ReadInteger(UserKey(n), kPageCount, 1); }

void SettingsFile::SetPageCount(int n, int count) { image_.WriteInteger(UserKey(n), kPageCount, count); }

void SettingsFile::ForgetPageCount(int n) { image_.DeleteKey(UserKey(n), kPageCount); }

std::optional<std::string> SettingsFile::ToDir(int n) const { return image_.Value(UserKey(n), kToDir); }

void SettingsFile::SetToDir(int n, const std::string& folder) { image_.WriteString(UserKey(n), kToDir, folder); }

Options SettingsFile::OptionsOf(int n) const {
  const std::string section = UserKey(n);
  Options options;
  for (const OptionKey& option : kOptionKeys) {
    std::visit(
        [&](auto member) {
          auto& value = options.*member;
          using Value = std::remove_reference_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, int>)
            value = image_.ReadInteger(section, option.key, value);
          else if constexpr (std::is_same_v<Value, bool>)
            value = image_.ReadBool(section, option.key, value);
          else
            value = image_.ReadString(section, option.key, value);
        },
        option.member);
  }
  return options;
}

void SettingsFile::SetOptions(int n, const Options& options) {
  const std::string section = UserKey(n);
  for (const OptionKey& option : kOptionKeys) {
    std::visit(
        [&](auto member) {
          const auto& value = options.*member;
          using Value = std::remove_cvref_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, int>)
            image_.WriteInteger(section, option.key, value);
          else if constexpr (std::is_same_v<Value, bool>)
            image_.WriteBool(section, option.key, value);
          else
            image_.WriteString(section, option.key, value);
        },
        option.member);
  }
}

}  // namespace core
