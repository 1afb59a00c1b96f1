#pragma once

#include <string>

#include "base/handles.h"

namespace win32 {

// The hints of a window: one tooltip control, one tool per control. The mouse messages
// reach it from the message loops (RelayToHints): hooking every control instead slows
// down all their messages.
class Tooltips {
 public:
  Tooltips() = default;
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;
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

// Hands a mouse message of the message loop to the hints of its window.
void RelayToHints(const MSG& message);

}  // namespace win32
