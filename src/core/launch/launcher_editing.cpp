// The launcher's own operations on its launch buttons: the start sound, the editing
// menu (cut, copy, paste, delete, select) and starting several buttons at once.
#include "launch/launcher.h"
#include "launch/launcher_texts.h"

namespace core {
namespace {

constexpr char kOverwriteQuestion1[] = " のｱｲｺﾝを ";
constexpr char kOverwriteQuestion2[] = "に上書きして宜しいですか?";
constexpr char kDeleteQuestion[] = " のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?";

}  // namespace

bool TLauncher::PageFileHoldsProgram(int k) { return LoadPage(state_.PageFilePath).HoldsProgram(k); }

// The file is read afresh: a button whose program was never saved plays nothing.
void TLauncher::LaunchButtonOnClick(TLaunchButton& button) {
  Handle([&] {
    if (PageFileHoldsProgram(button.Number()) && state_.Sound) ports_.sound.PlayAsync(state_.StartSoundPath);
  });
}

void TLauncher::LaunchButtonOnMouseDown(TLaunchButton& button, MouseButton mouseButton) {
  if (mouseButton != MouseButton::kMiddle) return;
  popupButtonNo_ = button.Number();
  view_.PopupLaunchMenu(PopupMenuLaunchPopup());
}

LaunchMenuState TLauncher::PopupMenuLaunchPopup() {
  const TLaunchButton& button = PopupButton();
  bool holds = !button.ProgramPath().empty();
  return {holds, holds, !clipboard_.Empty(), holds, !button.IsIconSmall()};
}

void TLauncher::Copy1Click() { clipboard_ = EntryOf(PopupButton()); }

void TLauncher::Cut1Click() {
  Copy1Click();
  PopupButton().SetProgramPath("");
  PopupButton().DoUpdated();
}

// The confirmations stand at the launcher window's top-left corner.
void TLauncher::Paste1Click() {
  TLaunchButton& button = PopupButton();
  ScreenPoint corner = view_.WindowPosition();
  if (!button.ProgramPath().empty()) {
    std::string question =
        button.ProgramTitle() + kOverwriteQuestion1 + clipboard_.title + "\r\n\r\n" + kOverwriteQuestion2;
    if (!ports_.prompter.Confirm(question, ConfirmKind::kYesNo, BoxPlacement::At(corner.x, corner.y))) return;
  }
  ShowEntry(button, clipboard_, false);  // the selection mark stays
  button.DoUpdated();
}

void TLauncher::Delete1Click() {
  TLaunchButton& button = PopupButton();
  ScreenPoint corner = view_.WindowPosition();
  if (!ports_.prompter.Confirm(button.ProgramTitle() + kDeleteQuestion, ConfirmKind::kYesNo,
                               BoxPlacement::At(corner.x, corner.y)))
    return;
  button.SetProgramPath("");
  button.DoUpdated();
}

// Reloading the page redraws every glyph at its size.
void TLauncher::Select1Click() {
  TLaunchButton& button = PopupButton();
  button.SetIsIconSmall(!button.IsIconSmall());
  button.DoUpdated();
  Handle([&] { LoadButtons(state_.PageNo); });
}

void TLauncher::PopupMenu1Popup() {
  bool selected = false, any = false;
  for (const auto& button : buttons_) {
    if (button->ProgramPath().empty()) continue;
    any = true;
    if (!button->IsIconSmall()) selected = true;
  }
  view_.EnablePageCommands(selected, any);
}

void TLauncher::Choice1Click() { StartButtons(true); }

void TLauncher::pAllStartClick() { StartButtons(false); }

// Buttons 1 to 10 in order, without a pause; one sound after the last start.
void TLauncher::StartButtons(bool selectedOnly) {
  for (const auto& button : buttons_) {
    if (selectedOnly && button->IsIconSmall()) continue;
    if (button->ProgramPath().empty()) continue;
    ports_.shell.Execute(button->StartRequest(view_.NativeHandle()));
  }
  if (state_.Sound) ports_.sound.PlayAsync(state_.StartSoundPath);
  if (state_.BtnClk) TrayIcon1Click();
}

}  // namespace core
