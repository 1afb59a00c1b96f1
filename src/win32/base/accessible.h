#pragma once

#include <string>

#include "base/win.h"

namespace win32 {

// What a control tells a screen reader beyond what the system knows of it: a name of
// its own (the control keeps the text it draws), and, for a list the program draws
// itself, its items. Everything else (role, state, place, value) is the system's own
// answer for the control.
class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  virtual std::wstring AccessibleName() const = 0;
  // A list: its items are 1..ItemCount, as the accessibility interface counts them.
  virtual bool IsList() const { return false; }
  virtual int ItemCount() const { return 0; }
  virtual std::wstring ItemName(int) const { return {}; }
  virtual RECT ItemRect(int) const { return {}; }  // in the control's client area
  virtual int SelectedItem() const { return 0; }   // 0: none
};

// The control answers screen readers (WM_GETOBJECT) from `source` until the control
// goes or Conceal is called; the source must live that long.
void Expose(HWND control, AccessibleSource& source);
void Conceal(HWND control);
// The control is named `name` for screen readers, for as long as it lives.
void NameControl(HWND control, const std::string& name);
// Tells listening screen readers that something of the control changed: its name, an
// item that took the focus or the selection, its items that were made anew.
void NotifyAccessible(HWND control, DWORD event, LONG child = CHILDID_SELF);

}  // namespace win32
