#include "launch_button/button_settings_dlg.h"

#include "components/key_combo.h"
#include "storage/ini_image.h"

#include <algorithm>

#include "launch_button/button_settings_texts.h"

namespace core {

namespace {

// Two spellings of one Windows path: letter case does not count.
bool SamePath(const std::string& a, const std::string& b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

ScreenPoint SettingsDialogPosition(const ScreenRect& button, const ScreenRect& monitor, int width) {
  int left = button.left + width >= monitor.right ? monitor.right - width : button.left;
  return {left, button.bottom + 1};
}

TButtonSettingsDlg::TButtonSettingsDlg(TLaunchButton& button, ButtonSettingsView& view, const LaunchButtonPorts& ports)
    : button_(button), view_(view), ports_(ports) {
  view_.Attach(this);
  button_.SetSettingsDialog(this);
}

TButtonSettingsDlg::~TButtonSettingsDlg() {
  button_.SetSettingsDialog(nullptr);
  view_.Attach(nullptr);
}

void TButtonSettingsDlg::Execute() {
  view_.MoveTo(SettingsDialogPosition(view_.ButtonRect(), view_.MonitorRect(), view_.OuterWidth()));
  Fill();
  PrepareIcons();
  view_.ShowModal();
}

// The texts only where the button has them.
void TButtonSettingsDlg::Fill() {
  const std::pair<SettingsField, const std::string&> texts[] = {{SettingsField::kTitle, button_.ProgramTitle()},
                                                                {SettingsField::kPath, button_.ProgramPath()},
                                                                {SettingsField::kDirectory, button_.ProgramDir()},
                                                                {SettingsField::kOption, button_.ProgramOption()}};
  for (const auto& [field, value] : texts)
    if (!value.empty()) view_.SetText(field, value);
  view_.SelectState(static_cast<int>(button_.ProgramState()));
  if (!button_.HotKey().empty()) view_.SetText(SettingsField::kHotKey, button_.HotKey());
  view_.SetSwitchChecked(button_.SwitchIfRunning());
  if (button_.StartDelay() != 0) view_.SetText(SettingsField::kStartDelay, std::to_string(button_.StartDelay()));
}

// The preview, the icons the scroll bar offers, and its position. The files are
// looked at where their paths lead; what goes back into the button is the path as
// stored, so that a path that moves with the program keeps doing so.
void TButtonSettingsDlg::PrepareIcons() {
  SetRange(0);
  if (!button_.ProgramPath().empty()) {
    if (!button_.ProgramIconPath().empty()) {
      const std::string iconFile = button_.Resolved(button_.ProgramIconPath());
      int count = ports_.shell.IconCount(iconFile);
      if (count > 0) SetRange(count - 1);
      view_.ShowPreview({iconFile, button_.ProgramIconNo(), false}, button_.IsIconSmall());
      button_.IconSource = button_.ProgramIconPath();
    } else {
      // A document offers the icons of the program that opens it; a program its own.
      const std::string program = button_.ResolvedStart().file;
      const std::string opener = ports_.shell.AssociatedProgram(program);
      button_.IconSource = !opener.empty() && SamePath(opener, program) ? button_.ProgramPath() : opener;
      const std::string iconFile = button_.Resolved(button_.IconSource);
      int count = ports_.shell.IconCount(iconFile);
      if (count > 0) SetRange(count - 1);
      view_.ShowPreview({iconFile, 0, true}, button_.IsIconSmall());
    }
  }
  SetPosition(button_.ProgramIconNo());
}

void TButtonSettingsDlg::SetRange(int max) {
  scrollMax_ = max;
  view_.SetScrollRange(max);
  if (position_ > max) SetPosition(max);
}

void TButtonSettingsDlg::SetPosition(int position) {
  position = std::clamp(position, 0, scrollMax_);
  if (position == position_) return;
  position_ = position;
  view_.SetScrollPosition(position);
  ScrollRule();
}

// Any move of the scroll bar chooses that icon of the offered file at once.
void TButtonSettingsDlg::ScrollRule() {
  view_.RemovePreview();
  button_.SetProgramIconNo(position_);
  view_.ShowPreview({button_.Resolved(button_.IconSource), button_.ProgramIconNo(), false}, button_.IsIconSmall());
  button_.SetProgramIconPath(button_.IconSource);
}

void TButtonSettingsDlg::ScrollBarChange(int position) { SetPosition(position); }

void TButtonSettingsDlg::IconNoChanged(int value) { SetPosition(value); }

// The button was emptied while the dialog is open: no preview, the scroll bar at 0,
// and no icon file left behind.
void TButtonSettingsDlg::ButtonCleared() {
  view_.RemovePreview();
  position_ = 0;
  view_.SetScrollPosition(0);
}

void TButtonSettingsDlg::StateChange(int index) {
  const TProgState states[] = {TProgState::psNormal, TProgState::psMinimized, TProgState::psMaximized};
  if (index >= 0 && index < 3) button_.SetProgramState(states[index]);
}

void TButtonSettingsDlg::BrowseClick() {
  if (auto file = view_.ChooseFile()) view_.SetText(SettingsField::kPath, *file);
}

void TButtonSettingsDlg::IconClick() {
  auto file = view_.ChooseFile();
  if (!file) return;
  button_.SetProgramIconPath(*file);
  button_.IconSource = *file;
  int count = ports_.shell.IconCount(*file);
  if (count > 0) {
    SetRange(count - 1);
    view_.ShowPreview({*file, 0, true}, button_.IsIconSmall());
  } else {
    ports_.prompter.ShowInformation(texts::kNoIconsInFile, BoxPlacement::Centred());
    button_.SetProgramIconPath("");
  }
}

// Back to the shell's icon of the stored path, with no icon file, whatever the scroll
// bar's own rule did on the way.
void TButtonSettingsDlg::DefaultIconClick() {
  view_.RemovePreview();
  button_.SetProgramIconPath("");
  button_.SetProgramIconNo(0);
  SetPosition(0);
  view_.ShowPreview({button_.ResolvedStart().file, 0, true}, button_.IsIconSmall());
  button_.SetProgramIconPath("");
}

void TButtonSettingsDlg::DeleteClick() {
  if (!ports_.prompter.Confirm(texts::kConfirmDeleteIcon, ConfirmKind::kYesNo, BoxPlacement::Centred())) return;
  button_.ClearProgram();
  button_.DoUpdated();
  view_.Close();
}

// A refused key keeps the dialog open with everything typed. A taken key is kept in
// its text form; a pause that is no number is none, one too long the longest.
bool TButtonSettingsDlg::TakeKey() {
  const std::string typed = view_.Text(SettingsField::kHotKey);
  if (const std::string why = button_.HotKeyRefusal(typed); !why.empty()) {
    ports_.prompter.ShowInformation(why, BoxPlacement::Centred());
    view_.FocusField(SettingsField::kHotKey);
    return false;
  }
  const std::optional<KeyCombo> key = KeyComboOf(typed);
  button_.SetHotKey(key ? KeyComboText(*key) : "");
  button_.SetSwitchIfRunning(view_.SwitchChecked());
  const std::optional<int> pause = ParseInteger(view_.Text(SettingsField::kStartDelay));
  button_.SetStartDelay(std::clamp(pause.value_or(0), 0, kLongestStartDelay));
  return true;
}

// The dialog closes in every case, also after a refusal of the path. The path is
// looked for where it leads; the typed text is what the button keeps.
void TButtonSettingsDlg::OKClick() {
  const std::string path = view_.Text(SettingsField::kPath);
  const std::string target = ResolveStart(path, view_.Text(SettingsField::kDirectory), ports_.paths).file;
  if (path.empty()) {
    ports_.prompter.ShowInformation(texts::kPathRequired, BoxPlacement::Centred());
    button_.ClearProgram();
  } else if (!Reachable(path, target)) {
    ports_.prompter.ShowInformation(texts::kPathMissing, BoxPlacement::Centred());
  } else {
    if (!TakeKey()) return;
    button_.SetProgramTitle(view_.Text(SettingsField::kTitle));
    button_.SetProgramDir(view_.Text(SettingsField::kDirectory));
    button_.SetProgramOption(view_.Text(SettingsField::kOption));
    button_.SetProgramPath(path);
    button_.DoUpdated();
  }
  view_.Close();
}

bool TButtonSettingsDlg::Reachable(const std::string& path, const std::string& target) const {
  switch (KindOfTarget(path)) {
    case TargetKind::kAddress: return true;
    case TargetKind::kShellName: return ports_.paths.probe.ShellItemExists(path);
    case TargetKind::kFile: break;
  }
  return ports_.files.FolderExists(target) || ports_.files.FileExists(target);
}

void TButtonSettingsDlg::CancelClick() { view_.Close(); }

}  // namespace core
