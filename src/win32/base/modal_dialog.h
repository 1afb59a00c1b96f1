#pragma once

#include "base/modal.h"
#include "base/window.h"

namespace win32 {

// What every modal dialog of the program shares: the window it is modal to, and the
// loop that runs it until it is closed (by its buttons, Esc or the close box).
template <typename Derived, typename View>
class ModalDialog : public Window<Derived>, public View {
 public:
  bool IsOpen() const { return open_; }
  void Close() override { closed_ = true; }

 protected:
  explicit ModalDialog(HWND owner) : owner_(owner) {}
  HWND Owner() const { return owner_; }
  // Shows the dialog over its owner with the keyboard focus on `focus`, and returns
  // once it is closed.
  void RunModally(HWND focus) {
    closed_ = false;
    open_ = true;
    SetFocus(focus);
    RunModal(this->Handle(), owner_, closed_);
    open_ = false;
  }

 private:
  HWND owner_;
  bool closed_ = true;
  bool open_ = false;
};

}  // namespace win32
