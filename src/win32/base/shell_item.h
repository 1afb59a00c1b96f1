#pragma once

#include <string>

struct IShellItem;

namespace win32 {

// An item of the shell's namespace by the name the shell parses (shell:..., ::{...}, a
// path); empty when the shell knows none. COM must be up on the calling thread.
class ShellItem {
 public:
  explicit ShellItem(const std::string& name);
  ~ShellItem();
  ShellItem(const ShellItem&) = delete;
  ShellItem& operator=(const ShellItem&) = delete;
  explicit operator bool() const { return item_ != nullptr; }
  IShellItem* get() const { return item_; }
  // The name the shell shows for it; empty when it has none.
  std::string DisplayName() const;

 private:
  IShellItem* item_ = nullptr;
};

}  // namespace win32
