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

TButtonSettingsDlg::TButtonSettingsDlg(ButtonSettings settings, ButtonSettingsView& view,
                                       const LaunchButtonPorts& ports, KeyCheck refusal)
    : settings_(std::move(settings)), view_(view), ports_(ports), refusal_(std::move(refusal)) {
  if (!entry_.state) entry_.state = TProgState::psNormal;
  view_.Attach(this);
}

TButtonSettingsDlg::~TButtonSettingsDlg() { view_.Attach(nullptr); }

SettingsEnd TButtonSettingsDlg::Execute() {
  view_.MoveTo(SettingsDialogPosition(view_.ButtonRect(), view_.MonitorRect(), view_.OuterWidth()));
  Fill();
  PrepareIcons();
  view_.ShowModal();
  return end_;
}

// The texts only where the button has them.
void TButtonSettingsDlg::Fill() {
  const std::pair<SettingsField, const std::string&> texts[] = {{SettingsField::kTitle, entry_.title},
                                                                {SettingsField::kPath, entry_.path},
                                                                {SettingsField::kDirectory, entry_.dir},
                                                                {SettingsField::kOption, entry_.option}};
  for (const auto& [field, value] : texts)
    if (!value.empty()) view_.SetText(field, value);
  view_.SelectState(static_cast<int>(*entry_.state));
  if (!entry_.hotKey.empty()) view_.SetText(SettingsField::kHotKey, entry_.hotKey);
  view_.SetChecked(SettingsCheck::kSwitch, entry_.switchIfRunning);
  view_.SetChecked(SettingsCheck::kFolderMenu, entry_.folderMenu);
  if (entry_.startDelay != 0) view_.SetText(SettingsField::kStartDelay, std::to_string(entry_.startDelay));
}

// The preview, the icons the scroll bar offers, and its position. The files are
// looked at where their paths lead; what goes back into the button is the path as
// stored, so that a path that moves with the program keeps doing so.
void TButtonSettingsDlg::PrepareIcons() {
  SetRange(0);
  if (!entry_.path.empty()) {
    if (!entry_.iconPath.empty()) {
      const std::string iconFile = Resolved(entry_.iconPath);
      int count = ports_.shell.IconCount(iconFile);
      if (count > 0) SetRange(count - 1);
      view_.ShowPreview({iconFile, entry_.iconNo, false}, entry_.isIconSmall);
      settings_.iconSource = entry_.iconPath;
    } else {
      // A document offers the icons of the program that opens it; a program its own.
      const std::string program = StartPathsOf(entry_, ports_.paths).file;
      const std::string opener = ports_.shell.AssociatedProgram(program);
      settings_.iconSource = !opener.empty() && SamePath(opener, program) ? entry_.path : opener;
      const std::string iconFile = Resolved(settings_.iconSource);
      int count = ports_.shell.IconCount(iconFile);
      if (count > 0) SetRange(count - 1);
      view_.ShowPreview({iconFile, 0, true}, entry_.isIconSmall);
    }
  }
  SetPosition(entry_.iconNo);
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
  entry_.iconNo = position_;
  view_.ShowPreview({Resolved(settings_.iconSource), entry_.iconNo, false}, entry_.isIconSmall);
  entry_.iconPath = settings_.iconSource;
}

void TButtonSettingsDlg::ScrollBarChange(int position) { SetPosition(position); }

// The button is emptied: no preview, the scroll bar at 0, no icon file left behind;
// the selection mark stays.
void TButtonSettingsDlg::Emptied() {
  entry_ = EmptiedEntry(entry_);
  view_.RemovePreview();
  position_ = 0;
  view_.SetScrollPosition(0);
}

void TButtonSettingsDlg::StateChange(int index) {
  const TProgState states[] = {TProgState::psNormal, TProgState::psMinimized, TProgState::psMaximized};
  if (index >= 0 && index < 3) entry_.state = states[index];
}

void TButtonSettingsDlg::BrowseClick() {
  if (auto file = view_.ChooseFile()) view_.SetText(SettingsField::kPath, *file);
}

void TButtonSettingsDlg::IconClick() {
  auto file = view_.ChooseFile();
  if (!file) return;
  entry_.iconPath = *file;
  settings_.iconSource = *file;
  int count = ports_.shell.IconCount(*file);
  if (count > 0) {
    SetRange(count - 1);
    view_.ShowPreview({*file, 0, true}, entry_.isIconSmall);
  } else {
    ports_.prompter.ShowInformation(texts::kNoIconsInFile, BoxPlacement::Centred());
    entry_.iconPath.clear();
  }
}

// Back to the shell's icon of the stored path, with no icon file, whatever the scroll
// bar's own rule did on the way.
void TButtonSettingsDlg::DefaultIconClick() {
  view_.RemovePreview();
  entry_.iconPath.clear();
  entry_.iconNo = 0;
  SetPosition(0);
  view_.ShowPreview({StartPathsOf(entry_, ports_.paths).file, 0, true}, entry_.isIconSmall);
  entry_.iconPath.clear();
}

void TButtonSettingsDlg::DeleteClick() {
  if (!ports_.prompter.Confirm(texts::kConfirmDeleteIcon, ConfirmKind::kYesNo, BoxPlacement::Centred())) return;
  Emptied();
  end_ = SettingsEnd::kSaved;
  view_.Close();
}

// A refused key keeps the dialog open with everything typed. A taken key is kept in
// its text form; a pause that is no number is none, one too long the longest.
bool TButtonSettingsDlg::TakeKey() {
  const std::string typed = view_.Text(SettingsField::kHotKey);
  if (const std::string why = refusal_ ? refusal_(typed) : ""; !why.empty()) {
    ports_.prompter.ShowInformation(why, BoxPlacement::Centred());
    view_.FocusField(SettingsField::kHotKey);
    return false;
  }
  const std::optional<KeyCombo> key = KeyComboOf(typed);
  entry_.hotKey = key ? KeyComboText(*key) : "";
  entry_.switchIfRunning = view_.Checked(SettingsCheck::kSwitch);
  entry_.folderMenu = view_.Checked(SettingsCheck::kFolderMenu);
  const std::optional<int> pause = ParseInteger(view_.Text(SettingsField::kStartDelay));
  entry_.startDelay = std::clamp(pause.value_or(0), 0, kLongestStartDelay);
  return true;
}

// The dialog closes in every case, also after a refusal of the path. The path is
// looked for where it leads; the typed text is what the button keeps.
void TButtonSettingsDlg::OKClick() {
  const std::string path = view_.Text(SettingsField::kPath);
  const std::string target = ResolveStart(path, view_.Text(SettingsField::kDirectory), ports_.paths).file;
  if (path.empty()) {
    ports_.prompter.ShowInformation(texts::kPathRequired, BoxPlacement::Centred());
    Emptied();
    end_ = SettingsEnd::kEmptied;
  } else if (!Reachable(path, target)) {
    ports_.prompter.ShowInformation(texts::kPathMissing, BoxPlacement::Centred());
  } else {
    if (!TakeKey()) return;
    entry_.title = view_.Text(SettingsField::kTitle);
    entry_.dir = view_.Text(SettingsField::kDirectory);
    entry_.option = view_.Text(SettingsField::kOption);
    entry_.path = path;
    end_ = SettingsEnd::kSaved;
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
