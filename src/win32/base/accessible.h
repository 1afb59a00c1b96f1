#pragma once

#include <memory>
#include <string>

#include "base/win.h"

namespace win32 {

class AccessibleSource;

// What a source and every object handed out for it share: when the source goes, an
// object a screen reader still holds answers nothing.
struct AccessibleLink {
  const AccessibleSource* source = nullptr;
  HWND control = nullptr;
};

// What a control tells a screen reader beyond what the system knows of it: a name of
// its own (the control keeps the text it draws), and, for a list the program draws
// itself, its items. Everything else (role, state, place, value) is the system's own
// answer for the control.
class AccessibleSource {
 public:
  AccessibleSource();
  AccessibleSource(const AccessibleSource&) = delete;
  AccessibleSource& operator=(const AccessibleSource&) = delete;
  virtual ~AccessibleSource();
  virtual std::wstring AccessibleName() const = 0;
  // A description of its own; empty: the system's.
  virtual std::wstring AccessibleDescription() const { return {}; }
  // A list: its items are 1..ItemCount, as the accessibility interface counts them.
  virtual bool IsList() const { return false; }
  virtual int ItemCount() const { return 0; }
  virtual std::wstring ItemName(int) const { return {}; }
  virtual RECT ItemRect(int) const { return {}; }  // in the control's client area
  virtual int SelectedItem() const { return 0; }   // 0: none

 private:
  friend LRESULT AnswerAccessible(HWND, const AccessibleSource&, WPARAM, LPARAM);
  std::shared_ptr<AccessibleLink> link_;
};

// WM_GETOBJECT in a control's own procedure: the answer for `source`, or 0 where the
// question is not for the control's client object (the system answers then).
LRESULT AnswerAccessible(HWND control, const AccessibleSource& source, WPARAM wParam, LPARAM lParam);
// The control is named `name` for screen readers, for as long as it lives. Its
// procedure goes in beneath the subclasses that come after: name it before those.
void NameControl(HWND control, const std::string& name);
// Tells listening screen readers that something of the control changed: its name, an
// item that took the focus or the selection, its items that were made anew.
void NotifyAccessible(HWND control, DWORD event, LONG child = CHILDID_SELF);

}  // namespace win32
