#include "find/find_box.h"

#include "error.h"
#include "launch/launcher.h"

namespace core {

void TFindBox::Open() {
  const CurrentPage& at = launcher_.Current();
  bool read = Reporting(launcher_.Ports().prompter, [&] {
    index_ = std::make_unique<ButtonIndex>(launcher_.Pages().ReadPages(at.UserName, at.PageNoControl));
  });
  if (!read) return;
  currentPage_ = at.PageNo;
  missing_.clear();
  ColorChange(view_, launcher_.CurrentOptions().FormColor);
  open_ = true;
  view_.Open();
  TextChanged("");
}

void TFindBox::TextChanged(const std::string& text) {
  if (!index_) return;
  found_ = index_->Find(text, currentPage_);
  view_.ShowLines(LineCount());
  selected_ = found_.empty() ? -1 : 0;
  if (selected_ == 0) view_.SelectLine(0);
}

void TFindBox::MoveSelection(int delta) {
  if (found_.empty()) return;
  selected_ = std::clamp(selected_ + delta, 0, LineCount() - 1);
  view_.SelectLine(selected_);
}

// The box closes first: what the start opens comes in front of the launcher.
void TFindBox::Choose(ShiftState shift) {
  if (selected_ < 0 || selected_ >= LineCount()) return;
  const FoundButton chosen = *found_[static_cast<size_t>(selected_)];
  Cancel();
  launcher_.GoToPage(chosen.page);
  if (launcher_.Current().PageNo != chosen.page) return;
  TLaunchButton& button = launcher_.Button(chosen.button);
  if (SwitchesToProgram(shift)) {
    button.Flash();
    return;
  }
  launcher_.Handle([&] {
    button.Click();
    button.Start(StartsElevated(shift));
  });
}

void TFindBox::Cancel() {
  if (!open_) return;
  open_ = false;
  view_.Close();
  index_.reset();
  found_.clear();
  selected_ = -1;
}

FindLine TFindBox::Line(int index) const {
  if (index < 0 || index >= LineCount()) return {};
  const FoundButton& found = *found_[static_cast<size_t>(index)];
  const ButtonEntry& entry = found.entry;
  const LauncherPorts& ports = launcher_.Ports();
  auto known = missing_.find(&found);
  if (known == missing_.end()) known = missing_.emplace(&found, launcher_.Targets().MissingNow(entry.path)).first;
  return {found.text, "P" + std::to_string(found.page),
          ResolvedGlyphSourceOf(entry.iconPath, entry.iconNo, entry.path, entry.dir, {ports.environment, ports.probe}),
          known->second};
}

}  // namespace core
