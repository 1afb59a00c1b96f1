#include "find/find_box.h"

#include <algorithm>

#include "error.h"
#include "find/find_texts.h"
#include "launch_button/launch_button_texts.h"

namespace core {

bool TFindBox::ReadPages(FindScope& scope) {
  return Reporting(prompter_, [&] { scope = host_.Scope(); });
}

void TFindBox::Index(const FindScope& scope) {
  index_ = std::make_unique<ButtonIndex>(*scope.pages);
  onButtons_ = ProgramsOnButtons(*scope.pages);
  currentPage_ = scope.currentPage;
  looks_.clear();
  ColorChange(view_, scope.formColor);
}

void TFindBox::Open() {
  FindScope scope;
  if (!ReadPages(scope)) return;
  Index(scope);
  programs_ = host_.Programs();
  if (!open_) host_.HoldChanges(true);
  open_ = true;
  // The list is made before the box shows: text that arrives while it is being shown
  // (a message sent to it meanwhile) is not then overwritten by the empty one.
  TextChanged("");
  view_.Open();
}

void TFindBox::TextChanged(const std::string& text) {
  if (!index_) return;
  text_ = text;
  found_ = index_->Find(text, currentPage_);
  programsFound_ = programs_ ? programs_->Find(text, onButtons_) : std::vector<const InstalledProgram*>{};
  view_.ShowLines(LineCount());
  selected_ = LineCount() == 0 ? -1 : 0;
  if (selected_ == 0) view_.SelectLine(0);
}

void TFindBox::ProgramsArrived(std::shared_ptr<const ProgramIndex> programs) {
  if (!open_) return;  // an opening box asks for the newest
  programs_ = std::move(programs);
  TextChanged(text_);
}

void TFindBox::MoveSelection(int delta) {
  if (LineCount() == 0) return;
  selected_ = std::clamp(selected_ + delta, 0, LineCount() - 1);
  view_.SelectLine(selected_);
}

// The box closes first: what the start opens comes in front of the launcher.
void TFindBox::Choose(ShiftState shift) {
  if (selected_ < 0 || selected_ >= LineCount()) return;
  const size_t line = static_cast<size_t>(selected_);
  if (line < ButtonLines())
    ChooseButton(*found_[line], shift);
  else
    ChooseProgram(*programsFound_[line - ButtonLines()], shift);
}

// The program is copied before the box closes, which lets go of the index.
void TFindBox::ChooseProgram(const InstalledProgram& chosen, ShiftState shift) {
  if (SwitchesToProgram(shift)) return;
  const InstalledProgram program = chosen;
  Cancel();
  if (shift == ShiftState{false, true, false})
    host_.PutProgramOnButton(program);
  else
    host_.StartProgram(program, shift);
}

void TFindBox::ChooseButton(const FoundButton& found, ShiftState shift) {
  const FoundButton chosen = found;
  FindScope scope;
  if (!ReadPages(scope)) return;
  const std::vector<Page>& pages = *scope.pages;
  if (chosen.page > static_cast<int>(pages.size()) ||
      pages[static_cast<size_t>(chosen.page - 1)].buttons[static_cast<size_t>(chosen.button - 1)].path !=
          chosen.entry.path) {
    Index(scope);
    TextChanged(text_);
    return;
  }
  Cancel();
  if (!host_.ShowPage(chosen.page)) return;
  if (SwitchesToProgram(shift))
    host_.FlashButton(chosen.button);
  else
    host_.ActivateButton(chosen.button, shift);
}

void TFindBox::Cancel() {
  if (!open_) return;
  open_ = false;
  view_.Close();
  index_.reset();
  found_.clear();
  programsFound_.clear();
  programs_.reset();
  selected_ = -1;
  host_.HoldChanges(false);
}

namespace {

const char* PlaceText(ProgramPlace place) {
  switch (place) {
    case ProgramPlace::kUserStart:
    case ProgramPlace::kCommonStart: return texts::kPlaceStart;
    case ProgramPlace::kUserDesktop:
    case ProgramPlace::kPublicDesktop: return texts::kPlaceDesktop;
    case ProgramPlace::kApps: break;
  }
  return texts::kPlaceApps;
}

}  // namespace

// A program's icon is the shell's icon of what it stores.
FindLine TFindBox::Line(int index) const {
  if (index < 0 || index >= LineCount()) return {};
  if (static_cast<size_t>(index) >= ButtonLines()) {
    const InstalledProgram& program = *programsFound_[static_cast<size_t>(index) - ButtonLines()];
    return {program.name, PlaceText(program.place), {program.stored, 0, true}, false};
  }
  const FoundButton& found = *found_[static_cast<size_t>(index)];
  auto known = looks_.find(&found);
  if (known == looks_.end()) known = looks_.emplace(&found, host_.LookOf(found.entry)).first;
  return {found.text, "P" + std::to_string(found.page), known->second.glyph, known->second.missing};
}

std::string TFindBox::LineName(int index) const {
  if (LineCount() == 0) return index == 0 && open_ ? texts::kNothingFound : "";
  if (index < 0 || index >= LineCount()) return "";
  const FindLine line = Line(index);
  std::string name = line.text + " " + line.page;
  if (line.dimmed) name += std::string(texts::kStateMark) + texts::kStateMissing;
  return name;
}

}  // namespace core
