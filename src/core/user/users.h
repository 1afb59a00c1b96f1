#pragma once

#include <optional>
#include <string>

#include "copy/copy_operations.h"
#include "launch/launcher_settings.h"
#include "launch/page_store.h"
#include "ports/prompter.h"
#include "ports/shell.h"
#include "user/user_operations.h"

namespace core {

// A page of a count, as the window shows it.
struct PageSpan {
  int page = 1;
  int count = 1;
};

// What a user operation changed of the user the window shows.
struct ShownUser {
  int number = 1;
  std::string name;
  std::optional<PageSpan> pages;   // shown anew, when given
  std::optional<Options> options;  // applied, when given
};

// What the user operations see of the window: its current user, and the one place
// that shows what they changed.
class UserDisplay {
 public:
  virtual ~UserDisplay() = default;
  virtual int CurrentUserNo() const = 0;
  virtual const std::string& CurrentUserName() const = 0;
  virtual int FormColor() const = 0;
  // The window's position, user and page into the settings file (two writes).
  virtual void SavePosition() = 0;
  virtual void ShowUser(const ShownUser& shown) = 0;
  virtual void OpenHelp() = 0;
};

// The users and their stored pages: switching, registering, renaming, deleting and
// loading users, and copying or backing up their pages. A user number holds a name,
// and the name is the key of the stored pages: DATA\<name><page>.dat belong to a
// name, whatever number holds it. Every write comes when it always came.
class Users final : public UserOperations, public CopyOperations {
 public:
  Users(LauncherSettings& settings, PageStore& pages, FileSystem& files, Shell& shell, Prompter& prompter,
        UserDisplay& display)
      : settings_(settings), pages_(pages), files_(files), shell_(shell), prompter_(prompter), display_(display) {}

  // UserOperations and CopyOperations.
  CurrentUser OpenUsers() override;
  std::vector<std::string> UserNames() const override;
  ScreenPoint StoredPosition() const override { return settings_.StoredPosition(); }
  void SwitchUser(int n, const std::string& name) override;
  int CountPages(const std::string& name, int from) const override;
  void AssignUser(int s, const std::string& name) override;
  void RenameUser(int s, const std::string& name) override;
  void DeleteData(const std::string& name) override;
  void DeleteUser(int s) override;
  void OpenHelp() override { display_.OpenHelp(); }
  int FormColor() const override { return display_.FormColor(); }
  std::uint64_t UserDataSize(const std::string& name) const override;
  std::uint64_t AllDataSize() const override { return pages_.TotalSize(); }
  void CopyUserData(const std::string& source, const std::string& target) override;
  void BackUp(std::uintptr_t owner, const std::string* name) override;

 private:
  // Stores user s's name; the current user's name in the window follows.
  std::string StoreUserName(int s, const std::string& name);
  // Copies one file over another.
  bool CopyRenFile(const std::string& source, const std::string& target);
  void CopyfoStruct(std::uintptr_t owner, const std::string& source, const std::string& folder);

  LauncherSettings& settings_;
  PageStore& pages_;
  FileSystem& files_;
  Shell& shell_;
  Prompter& prompter_;
  UserDisplay& display_;
};

}  // namespace core
