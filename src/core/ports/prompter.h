#pragma once

#include <string>

namespace core {

// Where a message box appears: centred on the screen, or with its top-left corner
// at a point of the screen.
struct BoxPlacement {
  bool centred = true;
  int left = 0;
  int top = 0;

  static BoxPlacement Centred() { return {}; }
  static BoxPlacement At(int left, int top) { return {false, left, top}; }
};

// The second button of a confirmation box; only "はい(&Y)" ever proceeds.
enum class ConfirmKind { kYesNo, kYesCancel };

// The program's message boxes, with their fixed titles and button texts.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // Title "ZUBIらんちゃ", button "OK".
  virtual void ShowMessage(const std::string& text) = 0;
  // Title "ZUBIらんちゃ", information icon, button "OK": a notice of the program's own.
  virtual void ShowNotice(const std::string& text) = 0;
  // Title "情報", button "OK".
  virtual void ShowInformation(const std::string& text, BoxPlacement placement) = 0;
  // Title "確認", question icon; true only when the user chose "はい(&Y)".
  virtual bool Confirm(const std::string& text, ConfirmKind kind, BoxPlacement placement) = 0;
  // The standard error display: a plain message box with an error icon.
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace core
