#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/launcher_settings.h"
#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch/page_store.h"
#include "launch/user_keys.h"
#include "ports/prompter.h"
#include "storage/file_system.h"
#include "user/users.h"

namespace core {

// Files that another program (or this one) wrote, taken in by the window: the settings
// file and the page shown when they now differ from what the window shows; other files
// do not matter, so the program's own writes change nothing. What the settings file
// holds of the current user is shown as a user operation shows it (UserDisplay's
// ShowUser). While a dialog, a menu or the find box is open, changes wait until it
// closes, so that nothing acts on a page the user did not see.
class ChangeIntake {
 public:
  ChangeIntake(const LauncherView& view, LauncherSettings& settings, const PageStore& pages, PageNavigator& navigator,
               UserKeys& keys, UserDisplay& display, const Options& shown, const FileSystem& files, Prompter& prompter)
      : view_(view),
        settings_(settings),
        pages_(pages),
        navigator_(navigator),
        keys_(keys),
        display_(display),
        shown_(shown),
        files_(files),
        prompter_(prompter) {}

  void FilesChanged(const std::vector<std::string>& paths);
  // A menu or the find box opens (a menu from the moment the launcher asks for it).
  void Hold() { ++holds_; }
  // A menu closed and its command has run, or the find box closed.
  void Release();
  // The timer's look: what waited for a dialog is taken in once it has closed.
  void TakeInWaiting();

 private:
  bool TakesChanges() const { return holds_ == 0 && view_.TakesInput(); }
  void TakeIn();
  std::optional<ShownUser> UserToShow();

  const LauncherView& view_;
  LauncherSettings& settings_;
  const PageStore& pages_;
  PageNavigator& navigator_;
  UserKeys& keys_;
  UserDisplay& display_;
  const Options& shown_;
  const FileSystem& files_;
  Prompter& prompter_;
  int holds_ = 0;                     // menus and the find box open now
  std::vector<std::string> changed_;  // not yet taken in
};

}  // namespace core
