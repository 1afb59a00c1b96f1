#include "launch_button/launch_button.h"

#include "error.h"
#include "launch_button/button_settings_dlg.h"
#include "launch_button/launch_button_texts.h"
#include "launch_button/path_text.h"

namespace core {

int ShowCommandOf(TProgState state) {
  switch (state) {
    case TProgState::psMinimized: return kShowMinimized;
    case TProgState::psMaximized: return kShowMaximized;
    case TProgState::psNormal: break;
  }
  return kShowNormal;
}

GlyphSource GlyphSourceOf(const std::string& iconPath, int iconNo, const std::string& programPath) {
  const std::string& file = iconPath.empty() ? programPath : iconPath;
  return iconNo != 0 ? GlyphSource{file, iconNo, false} : GlyphSource{file, 0, true};
}

GlyphSource ResolvedGlyphSourceOf(const std::string& iconPath, int iconNo, const std::string& programPath,
                                  const std::string& programDir, const PathPorts& ports) {
  GlyphSource source = GlyphSourceOf(iconPath, iconNo, programPath);
  source.file = iconPath.empty() ? ResolveStart(programPath, programDir, ports).file : ResolvePath(iconPath, ports);
  return source;
}

bool StartsElevated(ShiftState shift) { return shift.ctrl && shift.shift && !shift.alt; }

bool SwitchesToProgram(ShiftState shift) { return shift == ShiftState{true, false, false}; }

Rgb TransparentKeyOf(Rgb bottomLeft) {
  bottomLeft.red = bottomLeft.red < 255 ? static_cast<std::uint8_t>(bottomLeft.red + 1) : 254;
  return bottomLeft;
}

TLaunchButton::TLaunchButton(std::string name, LaunchButtonView& view, LaunchButtonHost& host,
                             const LaunchButtonPorts& ports)
    : name_(std::move(name)), view_(view), host_(host), ports_(ports) {}

int TLaunchButton::Number() const {
  constexpr std::string_view kPrefix = "LaunchButton";
  int number = 0;
  for (char c : std::string_view(name_).substr(kPrefix.size()))
    if (c >= '0' && c <= '9') number = number * 10 + (c - '0');
  return number;
}

void TLaunchButton::SetHint(const std::string& hint) {
  hint_ = hint;
  view_.SetHint(hint_);
  ShowAccessibleName();
}

std::string TLaunchButton::AccessibleName() const {
  std::string name = !title_.empty() ? title_ : !path_.empty() ? ExtractFileName(path_) : "";
  if (name.empty()) name = texts::kHintEmptyButton;
  if (missing_) name += std::string(texts::kStateMark) + texts::kStateMissing;
  if (running_) name += std::string(texts::kStateMark) + texts::kStateRunning;
  if (!hotKey_.empty()) {
    name += std::string(texts::kStateMark) + texts::kStateHotKey + hotKey_;
    if (hotKeyRefused_) name += texts::kStateHotKeyRefused;
  }
  return name;
}

void TLaunchButton::ShowAccessibleName() {
  std::string name = AccessibleName();
  if (name == accessibleName_) return;
  accessibleName_ = std::move(name);
  view_.SetAccessibleName(accessibleName_);
}

void TLaunchButton::SetProgramTitle(const std::string& value) {
  if (value == title_) return;
  title_ = value;
  SetHint(value);
  view_.Repaint();
}

void TLaunchButton::SetProgramPath(const std::string& value) {
  if (value.empty()) {
    ClearProgram();
    return;
  }
  const bool changed = value != path_;
  if (changed) {
    path_ = value;
    SetHint(!title_.empty() ? title_ : ExtractFileName(value));
    view_.Repaint();
  }
  view_.RemoveGlyph();
  // Another program is not known to be missing or running until it is looked for.
  if (changed) {
    SetTargetMissing(false);
    SetRunning(false);
  }
  view_.DrawGlyph(ResolvedGlyphSource(), iconSmall_);
}

GlyphSource TLaunchButton::ResolvedGlyphSource() const {
  return ResolvedGlyphSourceOf(iconPath_, iconNo_, path_, dir_, ports_.paths);
}

void TLaunchButton::SetTargetMissing(bool missing) {
  if (missing == missing_) return;
  missing_ = missing;
  view_.SetDimmed(missing);
  ShowAccessibleName();
}

void TLaunchButton::SetRunning(bool running) {
  if (running == running_) return;
  running_ = running;
  view_.SetRunning(running);
  ShowAccessibleName();
}

void TLaunchButton::SetProgramDir(const std::string& value) {
  if (value == dir_) return;
  dir_ = value;
  view_.Repaint();
}

void TLaunchButton::SetProgramOption(const std::string& value) {
  if (value == option_) return;
  option_ = value;
  view_.Repaint();
}

void TLaunchButton::SetProgramState(TProgState value) {
  if (value == state_) return;
  state_ = value;
  view_.Repaint();
}

void TLaunchButton::SetProgramIconPath(const std::string& value) {
  if (value == iconPath_) return;
  iconPath_ = value;
  view_.Repaint();
}

void TLaunchButton::SetProgramIconNo(int value) {
  if (value == iconNo_) return;
  iconNo_ = value;
  if (settings_) settings_->IconNoChanged(value);
  view_.Repaint();
}

void TLaunchButton::SetIsIconSmall(bool value) {
  if (value == iconSmall_) return;
  iconSmall_ = value;
  view_.Repaint();
}

void TLaunchButton::SetAcceptDragFile(bool value) {
  if (value == acceptDragFile_) return;
  acceptDragFile_ = value;
  view_.AcceptFiles(value);
  view_.Repaint();
}

void TLaunchButton::SetHotKey(const std::string& value) {
  if (value == hotKey_) return;
  hotKey_ = value;
  hotKeyRefused_ = false;
  ShowAccessibleName();
}

void TLaunchButton::SetHotKeyRefused(bool refused) {
  if (refused == hotKeyRefused_) return;
  hotKeyRefused_ = refused;
  ShowAccessibleName();
}

void TLaunchButton::DoUpdated() {
  if (OnUpdated) OnUpdated(*this);
}

// IsIconSmall, AcceptDragFile and IconSource keep their values; nothing is reported.
void TLaunchButton::ClearProgram() {
  if (settings_) settings_->ButtonCleared();
  title_.clear();
  dir_.clear();
  option_.clear();
  state_ = TProgState::psNormal;
  iconPath_.clear();
  iconNo_ = 0;
  hotKey_.clear();
  switchIfRunning_ = false;
  startDelay_ = 0;
  hotKeyRefused_ = false;
  SetHint(texts::kHintEmptyButton);
  path_.clear();
  view_.RemoveGlyph();
  SetTargetMissing(false);
  SetRunning(false);
  ShowAccessibleName();
  view_.Repaint();
}

void TLaunchButton::MouseDown(MouseButton button) {
  if (button == MouseButton::kLeft) leftPressed_ = true;
  if (OnMouseDown) OnMouseDown(*this, button);
}

void TLaunchButton::MouseUp(MouseButton button, ShiftState shift, bool over) {
  if (button == MouseButton::kRight) {
    RunSettingsDialog();
    return;
  }
  if (button != MouseButton::kLeft || !leftPressed_) return;
  leftPressed_ = false;
  host_.Activate(*this, {shift, over, true});
}

void TLaunchButton::KeyboardClick(ShiftState shift) { host_.Activate(*this, {shift, true, true}); }

void TLaunchButton::RunSettingsDialog() {
  std::unique_ptr<ButtonSettingsView> window = view_.CreateSettingsView();
  if (!window) return;
  TButtonSettingsDlg dialog(*this, *window, ports_);
  dialog.Execute();
}

ShellRequest TLaunchButton::StartRequest(std::uintptr_t owner, bool elevated) const {
  StartPaths start = ResolvedStart();
  if (elevated) start = ForElevatedStart(std::move(start), ports_.paths.probe);
  return {owner, "open", start.file, option_, start.directory, ShowCommandOf(state_), elevated};
}

bool TLaunchButton::Start(bool elevated, std::uintptr_t owner) {
  showCmd_ = ShowCommandOf(state_);
  if (path_.empty()) return false;
  if (elevated && !CanStartElevated(path_)) {
    const std::string name = !title_.empty() ? title_ : path_;
    ports_.prompter.ShowNotice(Format(texts::kCannotStartElevated, name));
    return false;
  }
  ports_.shell.Execute(StartRequest(owner ? owner : view_.NativeHandle(), elevated));
  return true;
}

WatchedStart TLaunchButton::StartWatched(std::uintptr_t owner) {
  showCmd_ = ShowCommandOf(state_);
  if (path_.empty()) return {};
  return ports_.shell.ExecuteWatched(StartRequest(owner ? owner : view_.NativeHandle(), false));
}

// One file on an empty button registers it; on a registered button it is opened
// with the button's program, as the whole parameter string, unquoted.
void TLaunchButton::FilesDropped(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (paths.size() >= 2) {
    ports_.prompter.ShowInformation(texts::kTooManyDroppedFiles, BoxPlacement::Centred());
    return;
  }
  if (!path_.empty()) {
    if (KindOfTarget(paths[0]) == TargetKind::kShellName) return;  // no file to hand on
    StartPaths start = ResolvedStart();
    ports_.shell.Execute({view_.NativeHandle(), "open", start.file, paths[0], start.directory, kShowNormal});
    return;
  }
  SetProgramPath(paths[0]);
  DoUpdated();
}

}  // namespace core
