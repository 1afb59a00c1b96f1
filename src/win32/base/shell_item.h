#pragma once

#include <string>

#include "base/handles.h"
#include "base/win.h"

#include <shobjidl.h>

namespace win32 {

// An item of the shell's namespace by the name the shell parses (shell:..., ::{...}, a
// path); empty when the shell knows none. COM must be up on the calling thread.
class ShellItem {
 public:
  explicit ShellItem(const std::string& name);
  explicit ShellItem(PCIDLIST_ABSOLUTE item);
  // A known folder (FOLDERID_...), also one with no place in the file system.
  static ShellItem OfKnownFolder(REFKNOWNFOLDERID folder);
  explicit operator bool() const { return static_cast<bool>(item_); }
  IShellItem* get() const { return item_.get(); }
  // The name the shell shows for it; empty when it has none.
  std::string DisplayName() const { return Name(SIGDN_NORMALDISPLAY); }
  // Its name of that form; empty when it has none.
  std::string Name(SIGDN form) const;

 private:
  ShellItem() = default;

  ComPtr<IShellItem> item_;
};

}  // namespace win32
