#pragma once

#include <functional>
#include <string>
#include <vector>

namespace core {

// Tells of files written in watched folders by anything, this program too: written in
// place, or a new file renamed over an old one. Nothing is polled.
class ChangeWatch {
 public:
  using Changed = std::function<void(const std::vector<std::string>& paths)>;
  virtual ~ChangeWatch() = default;
  // Watches the files of each folder (not of its subfolders). `changed` gets the full
  // paths of the files changed, on the window's thread, once for a burst of writes; a
  // folder's own path with a trailing "\" stands for every file in it.
  virtual void Watch(const std::vector<std::string>& folders, Changed changed) = 0;
};

}  // namespace core
