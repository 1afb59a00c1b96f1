#include "launch/page_navigator.h"

#include <algorithm>

#include "error.h"
#include "launch/launcher_texts.h"

namespace core {
namespace {

constexpr int kFastStep = 3;

std::string CaptionOf(const std::string& userName, int page, int count) {
  return userName + " - Page " + std::to_string(page) + "/" + std::to_string(count);
}

}  // namespace

void PageNavigator::SetUser(int n, const std::string& name) {
  current_.UserNo = n;
  current_.UserName = name;
}

// Emptying the buttons reports nothing, so nothing is written before the load.
void PageNavigator::MovePage(int page) {
  for (auto& button : buttons_) ClearEntry(*button);
  current_.CaptionText = CaptionOf(current_.UserName, page, current_.PageNoControl);
  status_.ShowPage(current_.CaptionText, current_.PageNo, current_.PageNoControl);
  RepairPageFileAttributes(page);
  LoadButtons(page);
  LoadPageTitle(page);
}

void PageNavigator::TakeInPage() {
  const PageFile file = pages_.Load(pages_.PathOf(current_.UserName, current_.PageNo));
  bool same = file.Title() == view_.TitleText();
  for (int k = 1; k <= kLaunchButtonCount && same; ++k)
    same = file.Button(k) == EntryOf(*buttons_[static_cast<size_t>(k - 1)]);
  if (!same) MovePage(current_.PageNo);
}

void PageNavigator::RepairPageFileAttributes(int page) {
  current_.PageFilePath = pages_.PathOf(current_.UserName, page);
  pages_.RepairAttributes(current_.PageFilePath);
}

void PageNavigator::GoToPage(int page) {
  current_.PageNo = page;
  Reporting(prompter_, [&] { MovePage(current_.PageNo); });
}

void PageNavigator::ComposeCaption() {
  current_.CaptionText = CaptionOf(current_.UserName, current_.PageNo, current_.PageNoControl);
  status_.ShowPage(current_.CaptionText, current_.PageNo, current_.PageNoControl);
}

void PageNavigator::KeepPageWithinCount() {
  if (current_.PageNo >= current_.PageNoControl && current_.PageNo != 1) {
    current_.PageNo = current_.PageNoControl;
    MovePage(current_.PageNo);
  }
}

void PageNavigator::FastTopButtonClick() { GoToPage(1); }

void PageNavigator::FastBwdButtonClick() { GoToPage(std::max(current_.PageNo - kFastStep, 1)); }

void PageNavigator::BwdButtonClick() {
  int page = current_.PageNo - 1;
  GoToPage(page < 1 ? current_.PageNoControl : page);
}

void PageNavigator::FwdButtonClick() {
  int page = current_.PageNo + 1;
  GoToPage(page > current_.PageNoControl ? 1 : page);
}

void PageNavigator::FastFwdButtonClick() { GoToPage(std::min(current_.PageNo + kFastStep, current_.PageNoControl)); }

void PageNavigator::FastFinalButtonClick() { GoToPage(current_.PageNoControl); }

void PageNavigator::Edit1Change() {
  Reporting(prompter_, [&] { SavePageTitle(current_.PageNo); });
}

// The box itself reports only typing, so a title put there by the program is stored
// here, as a typed one is.
void PageNavigator::ShowTitle(const std::string& title) {
  if (title == view_.TitleText()) return;
  view_.SetTitleText(title);
  Edit1Change();
}

void PageNavigator::LoadPageTitle(int page) {
  current_.PageFilePath = pages_.PathOf(current_.UserName, page);
  ShowTitle(pages_.Load(current_.PageFilePath).Title());
}

void PageNavigator::SavePageTitle(int page) {
  current_.PageFilePath = pages_.PathOf(current_.UserName, page);
  PageFile file = pages_.Load(current_.PageFilePath);
  file.SetTitle(view_.TitleText());
  pages_.Save(current_.PageFilePath, file);
}

void PageNavigator::LoadButtons(int page) {
  current_.PageFilePath = pages_.PathOf(current_.UserName, page);
  LeadButtons(current_.PageFilePath);
  CheckTargets();
}

void PageNavigator::LeadButtons(const std::string& path) {
  const PageFile file = pages_.Load(path);
  for (int k = 1; k <= kLaunchButtonCount; ++k) ShowEntry(*buttons_[static_cast<size_t>(k - 1)], file.Button(k), true);
}

void PageNavigator::SaveButton(int k) {
  current_.PageFilePath = pages_.PathOf(current_.UserName, current_.PageNo);
  PageFile file = pages_.Load(current_.PageFilePath);
  // Every button's section is written, as the whole page's write does.
  for (int j = 1; j <= kLaunchButtonCount; ++j)
    file.SetButton(j, j == k ? EntryOf(*buttons_[static_cast<size_t>(k - 1)]) : file.Button(j));
  pages_.Save(current_.PageFilePath, file);
  for (int j = 1; j <= kLaunchButtonCount; ++j) {
    TLaunchButton& other = *buttons_[static_cast<size_t>(j - 1)];
    if (j != k && EntryOf(other) != file.Button(j)) ShowEntry(other, file.Button(j), true);
  }
}

// Emptying the title box writes the empty title back at once, as any change of the
// box does.
void PageNavigator::mDeleteClick() {
  Reporting(prompter_, [&] {
    const std::string path = pages_.PathOf(current_.UserName, current_.PageNo);
    ScreenPoint corner = view_.WindowPosition();
    BoxPlacement placement = BoxPlacement::At(corner.x, corner.y);
    if (!pages_.Exists(path)) {
      prompter_.ShowInformation(texts::kNoPageDataToDelete, placement);
      return;
    }
    if (!prompter_.Confirm(texts::kDeletePageQuestion, ConfirmKind::kYesCancel, placement)) return;
    pages_.Remove(path);
    ShowTitle("");
    MovePage(current_.PageNo);
    ComposeCaption();
  });
}

}  // namespace core
