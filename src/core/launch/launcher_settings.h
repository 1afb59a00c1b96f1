#pragma once

#include <string>

#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "ports/environment.h"
#include "storage/settings_store.h"

namespace core {

// What the settings file keeps for the launcher window: its position, the current
// user and their page, page count and backup folder, the user names and options.
// Each operation reads the file as it is now and writes only its own keys.
class LauncherSettings {
 public:
  LauncherSettings(SettingsStore store, LauncherView& view, PageNavigator& navigator, const Environment& environment)
      : store_(std::move(store)), view_(view), navigator_(navigator), environment_(environment) {}

  const std::string& Path() const { return store_.Path(); }
  // The backup folder; the folder chooser starts there and stores its choice.
  const std::string& ToDir() const { return toDir_; }
  void SetToDir(const std::string& folder) { toDir_ = folder; }

  // The position, the current user, their page, page count and backup folder.
  void LoadPosition();
  // Two writes: the position keys, then the page.
  void SavePosition();
  // Left and Top of the settings file (100 when absent), a negative one as 0.
  ScreenPoint StoredPosition() const { return store_.Load().Position(); }
  // The settings file as it is now.
  SettingsFile Read() const { return store_.Load(); }

  // The name of user number n: the stored one, or "User" + n when none is stored or
  // the stored one is no safe user name.
  std::string UserNameOf(int n) const;
  void ReloadUserName() { navigator_.SetUserName(UserNameOf(navigator_.Current().UserNo)); }
  void SaveUserName() { StoreUserName(navigator_.Current().UserNo, navigator_.Current().UserName); }
  // Stores `name` as user n's; the current user's takes it at once.
  void StoreUserName(int n, const std::string& name);
  // Removes user n's name, then page count, then page, each written at once.
  void ForgetUser(int n);
  // Makes user n, named `name`, the current user and shows their page; gives their options.
  Options SwitchUser(int n, const std::string& name);
  // The current user's page and page count from the file, and that page shown.
  void ReloadPage();
  // The current user starts again at page 1 of 1.
  void ResetPages();

  Options OptionsOf(int n) const { return store_.Load().OptionsOf(n); }
  void SaveOptions(int n, const Options& options);

 private:
  // The page count arrows, page `page` of `count` and the caption.
  void ShowPages(int page, int count);

  SettingsStore store_;
  LauncherView& view_;
  PageNavigator& navigator_;
  const Environment& environment_;
  std::string toDir_;
};

}  // namespace core
