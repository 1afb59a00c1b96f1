#pragma once

#include <string>
#include <vector>

#include "find/program_index.h"

namespace core {

// Where installed programs are found, and what only the shell can tell of them.
class ProgramSources {
 public:
  struct Folder {
    ProgramPlace place = ProgramPlace::kUserStart;
    std::string path;
  };

  virtual ~ProgramSources() = default;
  // The folders of the places: the Start menu's programs of the user and of all users,
  // the user's and the public desktop. A place the system does not have is left out.
  virtual std::vector<Folder> Folders() const = 0;
  // Where a shortcut (.lnk) leads, as it holds it; empty when it cannot be read or
  // leads to no file.
  virtual std::string ShortcutTarget(const std::string& path) const = 0;
  // The items of the Applications folder; none where the system has no such folder.
  virtual std::vector<FoundApp> Apps() const = 0;
};

}  // namespace core
