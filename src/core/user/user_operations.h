#pragma once

#include <string>
#include <vector>

#include "geometry.h"

namespace core {

inline constexpr int kUserCount = 10;

// The current user as the user dialog opens.
struct CurrentUser {
  int number = 1;
  std::string name;
  int formColor = 0;
};

// What the user dialog asks of the launcher: the users and their stored pages. A file
// that cannot be written ends an operation with an Error; the steps before it stay.
class UserOperations {
 public:
  virtual ~UserOperations() = default;
  // Stores the window's position and page, as opening the dialog does, and reads the
  // current user's name again.
  virtual CurrentUser OpenUsers() = 0;
  // The names of users 1..10.
  virtual std::vector<std::string> UserNames() const = 0;
  // The window's stored position, where the dialog stands.
  virtual ScreenPoint StoredPosition() const = 0;
  // Makes user n, named `name`, the current user: their page, count and options.
  virtual void SwitchUser(int n, const std::string& name) = 0;
  // How many of pages `from`..99 of a name have a file.
  virtual int CountPages(const std::string& name, int from) const = 0;
  // User s is given the name (registered, or given a name's data); the current user
  // starts again at page 1 of 1.
  virtual void AssignUser(int s, const std::string& name) = 0;
  // User s's name and its page files move to `name`; a page that cannot move is
  // reported and stays.
  virtual void RenameUser(int s, const std::string& name) = 0;
  // The page files of a name, whoever holds it.
  virtual void DeleteData(const std::string& name) = 0;
  // User s's page files, name, page and count go; s keeps its default name.
  virtual void DeleteUser(int s) = 0;
  virtual void OpenHelp() = 0;
};

}  // namespace core
