#pragma once

#include <functional>
#include <string>
#include <vector>

namespace core {

// Tells of files written or removed in watched folders by anything, this program too:
// written in place, a new file renamed over an old one, or a file deleted or renamed
// away. Nothing is polled while the folders are there.
class ChangeWatch {
 public:
  using Changed = std::function<void(const std::vector<std::string>& paths)>;
  virtual ~ChangeWatch() = default;
  // Watches the files of each folder (not of its subfolders). `changed` gets the full
  // paths of the files changed, on the window's thread, once for a burst of writes and
  // at most about a second after the first of them; a folder's own path with a
  // trailing "\" stands for every file in it (too many changes to name, or the folder
  // was gone and is back). A folder that goes away is watched again when it is back.
  virtual void Watch(const std::vector<std::string>& folders, Changed changed) = 0;
};

}  // namespace core
