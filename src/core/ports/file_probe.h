#pragma once

#include <optional>
#include <string>

namespace core {

// What stands behind a drive letter.
enum class DriveKind { kFixed, kRamDisk, kAbsent, kRemovable, kOptical, kNetwork, kUnknown };

// Looks at files and drives without ever asking the user anything: no "insert a disk"
// box, no shell prompt, no shortcut resolution. Safe to use from any thread.
class FileProbe {
 public:
  virtual ~FileProbe() = default;
  // A file or a folder is at the path.
  virtual bool Exists(const std::string& path) const = 0;
  // The shell knows an item of this name in its namespace (shell:..., ::{...}).
  virtual bool ShellItemExists(const std::string& name) const = 0;
  // The drive of the letter (A to Z).
  virtual DriveKind KindOfDrive(char letter) const = 0;
  // The network name (\\server\share\...) of a path on a drive mapped to a share; none
  // for any other path.
  virtual std::optional<std::string> NetworkPath(const std::string& path) const = 0;
};

}  // namespace core
