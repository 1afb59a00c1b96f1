#pragma once

#include <string>

#include "base/handles.h"

namespace win32 {

// The hints of a window: one tooltip control, one tool per control.
class Tooltips {
 public:
  void Create(HWND owner);
  // A hint for a whole window (a control, or the owner's own background).
  void Add(HWND tool, const std::string& text);
  void SetText(HWND tool, const std::string& text);
  std::string Text(HWND tool) const;
  HWND Handle() const { return tips_.get(); }

 private:
  UniqueHwnd tips_;
  HWND owner_ = nullptr;
};

}  // namespace win32
