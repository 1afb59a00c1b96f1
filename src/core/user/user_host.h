#pragma once

#include <functional>
#include <string>

#include "geometry.h"
#include "launch/launcher_state.h"

namespace core {

// What the user and data copy dialogs need of the launcher window: its state, the
// settings of a user number, and reloading what the window shows.
class UserHost {
 public:
  virtual ~UserHost() = default;

  virtual LauncherState& State() = 0;
  // Runs an event handler: an error ends it and is shown to the user.
  virtual void Handle(const std::function<void()>& handler) = 0;

  // The name of user number n: the stored one, or "User" + n when none is stored or
  // the stored one is no safe user name.
  virtual std::string UserNameOf(int n) const = 0;
  virtual void LoadUserName(int n) = 0;
  virtual void SaveUserName(int n) = 0;
  // Removes number n's name, then its page count, then its page from the settings
  // file, each written at once.
  virtual void ForgetUser(int n) = 0;
  virtual void LoadPageNo(int n) = 0;
  virtual void LoadPageNoControl(int n) = 0;
  virtual void LoadOption(int n) = 0;
  virtual void SavePosition() = 0;
  // Left and Top of the settings file (100 when absent), a negative one as 0.
  virtual ScreenPoint StoredPosition() const = 0;

  // The page count arrows show PageNoControl; their own handler does not run.
  virtual void ShowPageCount() = 0;
  virtual void MovePage(int page) = 0;
  virtual void ComposeCaption() = 0;

  virtual std::string DataFolder() const = 0;
  virtual std::string PageFileName(const std::string& userName, int page) const = 0;
  virtual void mHelpOpenClick() = 0;
};

}  // namespace core
