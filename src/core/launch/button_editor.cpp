#include "launch/button_editor.h"

#include "error.h"
#include "find/find_texts.h"
#include "find/program_index.h"
#include "launch/button_keys_texts.h"
#include "launch_button/launch_button_texts.h"
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
      const NewButtonNames names = NamesOfNewButton(
          button.Entry().path, [this](const std::string& name) { return ports_.shell.DisplayName(name); });
      ButtonEntry entry = button.Entry();
      entry.title = names.title;
      entry.dir = names.directory;
      button.Keep(entry);
    }
    navigator_.SaveButton(button.Number());
  });
  navigator_.CheckTargets();
}

// The dialog works on a copy of the entry; what it gives back is shown, and written
// when it was accepted.
void ButtonEditor::OpenSettings(TLaunchButton& button) {
  std::unique_ptr<ButtonSettingsView> window = button.View().CreateSettingsView();
  if (!window) return;
  const int k = button.Number();
  std::string& iconSource = IconSource(k);
  TButtonSettingsDlg dialog({button.Entry(), iconSource}, *window, ports_, [this, k](const std::string& text) {
    return KeyRefusal ? KeyRefusal(k, text) : std::string();
  });
  const SettingsEnd end = dialog.Execute();
  iconSource = dialog.Settings().iconSource;
  switch (end) {
    case SettingsEnd::kKept: button.Keep(dialog.Settings().entry); break;
    case SettingsEnd::kEmptied: button.Clear(); break;
    case SettingsEnd::kSaved:
      button.Show(dialog.Settings().entry);
      OnBtnUpdated(button);
      break;
  }
}

// Two or more files are refused; a name only the shell knows has no file to hand on.
// A registered button gets the file as the whole parameter string, unquoted.
void ButtonEditor::FilesDropped(TLaunchButton& button, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (paths.size() >= 2) {
    prompter_.ShowInformation(texts::kTooManyDroppedFiles, BoxPlacement::Centred());
    return;
  }
  ButtonEntry entry = button.Entry();
  if (!entry.Empty()) {
    if (KindOfTarget(paths[0]) == TargetKind::kShellName) return;
    const StartPaths start = StartPathsOf(entry, ports_.paths);
    ports_.shell.Execute({button.NativeHandle(), "open", start.file, paths[0], start.directory, kShowNormal});
    return;
  }
  // An app of the Applications folder is stored by its id, as the index stores it.
  const std::string app = AppsFolderText(paths[0]);
  entry.path = app.empty() ? paths[0] : app;
  button.Show(entry);
  OnBtnUpdated(button);
}

void ButtonEditor::PutOnEmptyButton(const std::string& stored) {
  Reporting(prompter_, [&] {
    const CurrentPage& current = navigator_.Current();
    const auto place = FirstEmptyButton(pages_.ReadPages(current.UserName, current.PageNoControl), current.PageNo,
                                        current.PageNoControl);
    if (!place) {
      prompter_.ShowInformation(texts::kNoEmptyButton, BoxPlacement::Centred());
      return;
    }
    if (place->page != current.PageNo) navigator_.MovePage(place->page);
    TLaunchButton& button = *buttons_[static_cast<size_t>(place->button - 1)];
    // Written elsewhere a moment ago: a drop on a registered button would start it.
    if (!button.Entry().Empty()) return;
    FilesDropped(button, {stored});
    button.Flash();
  });
}

LaunchMenuState ButtonEditor::PopupMenuLaunchPopup() {
  const TLaunchButton& button = PopupButton();
  bool holds = !button.Entry().Empty();
  return {holds, holds, !clipboard_.Empty(), holds, !button.Entry().isIconSmall};
}

void ButtonEditor::Copy1Click() { clipboard_ = PopupButton().Entry(); }

void ButtonEditor::Cut1Click() {
  Copy1Click();
  PopupButton().Clear();
  OnBtnUpdated(PopupButton());
}

// The confirmations stand at the launcher window's top-left corner.
void ButtonEditor::Paste1Click() {
  TLaunchButton& button = PopupButton();
  ScreenPoint corner = view_.WindowPosition();
  if (!button.Entry().Empty()) {
    std::string question =
        button.Entry().title + kOverwriteQuestion1 + clipboard_.title + "\r\n\r\n" + kOverwriteQuestion2;
    if (!prompter_.Confirm(question, ConfirmKind::kYesNo, BoxPlacement::At(corner.x, corner.y))) return;
  }
  ButtonEntry pasted = clipboard_;
  pasted.isIconSmall = button.Entry().isIconSmall;  // the selection mark stays
  // The key another button has already is dropped, with a notice.
  const std::string why = KeyRefusal && !pasted.hotKey.empty() ? KeyRefusal(button.Number(), pasted.hotKey) : "";
  if (!why.empty()) pasted.hotKey.clear();
  button.Show(pasted);
  if (!why.empty()) prompter_.ShowNotice(Format(texts::kKeyDroppedOnPaste, why));
  OnBtnUpdated(button);
}

void ButtonEditor::Delete1Click() {
  TLaunchButton& button = PopupButton();
  ScreenPoint corner = view_.WindowPosition();
  if (!prompter_.Confirm(button.Entry().title + kDeleteQuestion, ConfirmKind::kYesNo,
                         BoxPlacement::At(corner.x, corner.y)))
    return;
  button.Clear();
  OnBtnUpdated(button);
}

// Reloading the page redraws every glyph at its size.
void ButtonEditor::Select1Click() {
  TLaunchButton& button = PopupButton();
  ButtonEntry entry = button.Entry();
  entry.isIconSmall = !entry.isIconSmall;
  button.Keep(entry);
  OnBtnUpdated(button);
  Reporting(prompter_, [&] { navigator_.LoadButtons(); });
}

void ButtonEditor::PopupMenu1Popup() {
  bool selected = false, any = false;
  for (const auto& button : buttons_) {
    if (button->Entry().Empty()) continue;
    any = true;
    if (!button->Entry().isIconSmall) selected = true;
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
    if (selectedOnly && button->Entry().isIconSmall) continue;
    activation_.Start(button->Entry(), false, view_.NativeHandle());
  }
  activation_.AfterStarts();
}

}  // namespace core
