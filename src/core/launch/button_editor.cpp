#include "launch/button_editor.h"

#include "error.h"
#include "launch_button/path_text.h"

namespace core {
namespace {

constexpr char kOverwriteQuestion1[] = " のｱｲｺﾝを ";
constexpr char kOverwriteQuestion2[] = "に上書きして宜しいですか?";
constexpr char kDeleteQuestion[] = " のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?";

}  // namespace

bool ButtonEditor::LaunchButtonOnMouseDown(TLaunchButton& button, MouseButton mouseButton) {
  if (mouseButton != MouseButton::kMiddle) return false;
  popupButtonNo_ = button.Number();
  view_.PopupLaunchMenu(PopupMenuLaunchPopup(), 0);
  return true;
}

void ButtonEditor::LaunchButtonContextMenu(TLaunchButton& button) {
  popupButtonNo_ = button.Number();
  view_.PopupLaunchMenu(PopupMenuLaunchPopup(), popupButtonNo_);
}

// A button that was empty in the file gets a title and a working directory from its
// new path; then it is written into the page's file as the file is now, so that a
// change another program made to the page since it was shown is kept.
void ButtonEditor::OnBtnUpdated(TLaunchButton& button) {
  Reporting(prompter_, [&] {
    if (!pages_.Load(navigator_.PageFilePath()).HoldsProgram(button.Number())) {
      const NewButtonNames names = button.NamesOfPath();
      button.SetProgramTitle(names.title);
      button.SetProgramDir(names.directory);
    }
    navigator_.SaveButton(button.Number());
  });
  navigator_.CheckTargets();
}

LaunchMenuState ButtonEditor::PopupMenuLaunchPopup() {
  const TLaunchButton& button = PopupButton();
  bool holds = !button.ProgramPath().empty();
  return {holds, holds, !clipboard_.Empty(), holds, !button.IsIconSmall()};
}

void ButtonEditor::Copy1Click() { clipboard_ = EntryOf(PopupButton()); }

void ButtonEditor::Cut1Click() {
  Copy1Click();
  PopupButton().SetProgramPath("");
  PopupButton().DoUpdated();
}

// The confirmations stand at the launcher window's top-left corner.
void ButtonEditor::Paste1Click() {
  TLaunchButton& button = PopupButton();
  ScreenPoint corner = view_.WindowPosition();
  if (!button.ProgramPath().empty()) {
    std::string question =
        button.ProgramTitle() + kOverwriteQuestion1 + clipboard_.title + "\r\n\r\n" + kOverwriteQuestion2;
    if (!prompter_.Confirm(question, ConfirmKind::kYesNo, BoxPlacement::At(corner.x, corner.y))) return;
  }
  ShowEntry(button, clipboard_, false);  // the selection mark stays
  if (OnPasted) OnPasted(button);
  button.DoUpdated();
}

void ButtonEditor::Delete1Click() {
  TLaunchButton& button = PopupButton();
  ScreenPoint corner = view_.WindowPosition();
  if (!prompter_.Confirm(button.ProgramTitle() + kDeleteQuestion, ConfirmKind::kYesNo,
                         BoxPlacement::At(corner.x, corner.y)))
    return;
  button.SetProgramPath("");
  button.DoUpdated();
}

// Reloading the page redraws every glyph at its size.
void ButtonEditor::Select1Click() {
  TLaunchButton& button = PopupButton();
  button.SetIsIconSmall(!button.IsIconSmall());
  button.DoUpdated();
  Reporting(prompter_, [&] { navigator_.LoadButtons(); });
}

void ButtonEditor::PopupMenu1Popup() {
  bool selected = false, any = false;
  for (const auto& button : buttons_) {
    if (button->ProgramPath().empty()) continue;
    any = true;
    if (!button->IsIconSmall()) selected = true;
  }
  view_.EnablePageCommands(selected, any, InOrderQuietly());
}

// A page file that cannot be read now starts its page as every page starts; its own
// load says why.
bool ButtonEditor::InOrderQuietly() const {
  try {
    return navigator_.InOrder();
  } catch (const Error& e) {
    log_.Failure("reading whether the page starts in order", e.what());
    return false;
  }
}

void ButtonEditor::pInOrderClick() {
  Reporting(prompter_, [&] { navigator_.SetInOrder(!navigator_.InOrder()); });
}

// Buttons 1 to 10 in order, without a pause, the window owning each start; one sound
// after the last start. A page set to start in order runs so, and while it runs, a
// second launch starts nothing.
void ButtonEditor::StartButtons(bool selectedOnly) {
  if (run_.Running()) return;
  if (InOrderQuietly()) {
    run_.Begin(buttons_, selectedOnly);
    return;
  }
  for (const auto& button : buttons_) {
    if (selectedOnly && button->IsIconSmall()) continue;
    activation_.Start(*button, false, view_.NativeHandle());
  }
  activation_.AfterStarts();
}

}  // namespace core
