#include "launch_button/launch_button.h"

#include "launch_button/launch_button_texts.h"
#include "launch_button/path_text.h"

namespace core {

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

TLaunchButton::TLaunchButton(int number, LaunchButtonView& view, LaunchButtonHost& host, const PathPorts& paths)
    : number_(number), view_(view), host_(host), paths_(paths) {}

void TLaunchButton::SetHint(const std::string& hint) {
  hint_ = hint;
  view_.SetHint(hint_);
  ShowAccessibleName();
}

std::string TLaunchButton::AccessibleName() const {
  const std::string& title = entry_.title;
  std::string name = !title.empty() ? title : !entry_.path.empty() ? ExtractFileName(entry_.path) : "";
  if (name.empty()) name = texts::kHintEmptyButton;
  if (missing_) name += std::string(texts::kStateMark) + texts::kStateMissing;
  if (running_) name += std::string(texts::kStateMark) + texts::kStateRunning;
  if (!entry_.hotKey.empty()) {
    name += std::string(texts::kStateMark) + texts::kStateHotKey + entry_.hotKey;
    if (hotKeyRefused_) name += texts::kStateHotKeyRefused;
  }
  return name;
}

void TLaunchButton::ShowAccessibleName() {
  std::string name = AccessibleName();
  std::string description = OffersFolderMenu(entry_) ? texts::kFolderMenuDescription : "";
  if (name == accessibleName_ && description == accessibleDescription_) return;
  accessibleName_ = std::move(name);
  accessibleDescription_ = std::move(description);
  view_.SetAccessibleName(accessibleName_, accessibleDescription_);
}

void TLaunchButton::Keep(const ButtonEntry& entry) {
  ButtonEntry next = entry;
  next.path = entry_.path;
  if (!next.state) next.state = entry_.state;
  if (next == entry_) return;
  const bool newTitle = next.title != entry_.title;
  if (next.hotKey != entry_.hotKey) hotKeyRefused_ = false;
  entry_ = std::move(next);
  if (newTitle) SetHint(entry_.title);
  ShowAccessibleName();
  view_.Repaint();
}

void TLaunchButton::Show(const ButtonEntry& entry) {
  if (entry.path.empty()) {
    entry_.isIconSmall = entry.isIconSmall;
    Clear();
    return;
  }
  Keep(entry);
  const bool changed = entry.path != entry_.path;
  if (changed) {
    entry_.path = entry.path;
    SetHint(!entry_.title.empty() ? entry_.title : ExtractFileName(entry_.path));
    view_.Repaint();
  }
  view_.RemoveGlyph();
  // Another program is not known to be missing or running until it is looked for.
  if (changed) {
    SetTargetMissing(false);
    SetRunning(false);
  }
  view_.DrawGlyph(ResolvedGlyphSourceOf(entry_.iconPath, entry_.iconNo, entry_.path, entry_.dir, paths_),
                  entry_.isIconSmall);
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

void TLaunchButton::SetAcceptDragFile(bool value) {
  if (value == acceptDragFile_) return;
  acceptDragFile_ = value;
  view_.AcceptFiles(value);
  view_.Repaint();
}

void TLaunchButton::SetHotKeyRefused(bool refused) {
  if (refused == hotKeyRefused_) return;
  hotKeyRefused_ = refused;
  ShowAccessibleName();
}

// The selection mark and AcceptDragFile keep their values.
void TLaunchButton::Clear() {
  entry_ = EmptiedEntry(entry_);
  hotKeyRefused_ = false;
  SetHint(texts::kHintEmptyButton);
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
    host_.OpenSettings(*this);
    return;
  }
  if (button != MouseButton::kLeft || !leftPressed_) return;
  leftPressed_ = false;
  host_.Activate(*this, {shift, over, true, 0, over});
}

void TLaunchButton::KeyboardClick(ShiftState shift) { host_.Activate(*this, {shift, true, true, 0, true}); }

}  // namespace core
