#pragma once

#include <string>

#include "base/win.h"
#include "ports/prompter.h"

namespace win32 {

// The owner of a box of the program whose main window is `owner`: the window the user
// works in, a dialog open over it or the window itself, never another program's.
HWND BoxOwnerOf(HWND owner);

// The program's message boxes: the system's message box with the program's own
// titles and button texts (whatever the system's language) and its placement.
class Win32Prompter final : public core::Prompter {
 public:
  // Boxes are owned by this window (none before it exists), or by a dialog open over it.
  void SetOwner(HWND owner) { owner_ = owner; }

  void ShowMessage(const std::string& text) override;
  void ShowNotice(const std::string& text) override;
  void ShowInformation(const std::string& text, core::BoxPlacement placement) override;
  bool Confirm(const std::string& text, core::ConfirmKind kind, core::BoxPlacement placement) override;
  void ShowError(const std::string& text) override;

 private:
  int Show(const std::string& text, const char* title, UINT type, core::BoxPlacement placement);

  HWND owner_ = nullptr;
};

}  // namespace win32
