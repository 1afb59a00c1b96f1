#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/program_sources.h"

namespace win32 {

// The places of installed programs through the shell: the known folders of the Start
// menu and the desktops, shortcuts read with the shell's link object, and the items of
// the Applications folder. COM must be up on the calling thread; the shell's objects
// are used on that thread only.
class WinProgramSources final : public core::ProgramSources {
 public:
  // `folders` in place of the system's (a test's own folders); nothing: the system's.
  explicit WinProgramSources(std::optional<std::vector<Folder>> folders = std::nullopt)
      : folders_(std::move(folders)) {}

  std::vector<Folder> Folders() const override;
  // As the shortcut holds it, never resolved: nothing is searched for and no window
  // shows for a target that has gone.
  std::string ShortcutTarget(const std::string& path) const override;
  std::vector<core::FoundApp> Apps() const override;

 private:
  std::optional<std::vector<Folder>> folders_;
};

}  // namespace win32
