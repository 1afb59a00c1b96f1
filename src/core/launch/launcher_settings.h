#pragma once

#include <string>

#include "geometry.h"
#include "ports/environment.h"
#include "storage/settings_store.h"

namespace core {

// Where the window stood and what it showed, as the settings file keeps it.
struct WindowState {
  ScreenPoint position;
  int userNo = 1;
  int pageNo = 1;
  int pageCount = 1;
};

// What the settings file keeps for the launcher window: its position, the current
// user and their page, page count and backup folder, the user names and options.
// Each operation reads the file as it is now and writes only its own keys.
class LauncherSettings {
 public:
  LauncherSettings(SettingsStore store, const Environment& environment)
      : store_(std::move(store)), environment_(environment) {}

  const std::string& Path() const { return store_.Path(); }
  // The backup folder; the folder chooser starts there and stores its choice.
  const std::string& ToDir() const { return toDir_; }
  void SetToDir(const std::string& folder) { toDir_ = folder; }

  // The position, the current user, their page and page count; their backup folder
  // is kept here.
  WindowState LoadPosition();
  // Two writes: the position keys, then the page.
  void SavePosition(const WindowState& state);
  // Left and Top of the settings file (100 when absent), a negative one as 0.
  ScreenPoint StoredPosition() const { return store_.Load().Position(); }
  // The settings file as it is now.
  SettingsFile Read() const { return store_.Load(); }

  // The name of user number n: the stored one, or "User" + n when none is stored or
  // the stored one is no safe user name.
  std::string UserNameOf(int n) const;
  // Stores `name` as user n's; gives the file as written.
  SettingsFile StoreUserName(int n, const std::string& name);
  // Removes user n's name, then page count, then page, each written at once.
  void ForgetUser(int n);

  Options OptionsOf(int n) const { return store_.Load().OptionsOf(n); }
  void SaveOptions(int n, const Options& options);

 private:
  SettingsStore store_;
  const Environment& environment_;
  std::string toDir_;
};

}  // namespace core
