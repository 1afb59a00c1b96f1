#include "launch/page_navigator.h"

#include <algorithm>

#include "error.h"
#include "launch/launcher_texts.h"

namespace core {
namespace {

constexpr int kFastStep = 3;

}  // namespace

void PageNavigator::SetUser(int n, const std::string& name) {
  current_.UserNo = n;
  current_.UserName = name;
}

void PageNavigator::SetPages(int page, int count) {
  current_.PageNo = page;
  current_.PageNoControl = count;
}

// Emptying the buttons reports nothing, so nothing is written before the load.
void PageNavigator::MovePage(int page) {
  current_.PageNo = page;
  for (auto& button : buttons_) button->Clear();
  ComposeCaption();
  RepairPageFileAttributes();
  LoadButtons();
  LoadPageTitle();
}

void PageNavigator::GoToPage(int page) {
  Reporting(prompter_, [&] { MovePage(page); });
}

void PageNavigator::ShowPages(int page, int count) {
  current_.PageNoControl = count;
  ShowPageCount();
  MovePage(page);
  ComposeCaption();
}

// A file removed elsewhere (the page's data deleted on another PC) reads as an absent
// file does and stays absent: the emptied title is not written, as the user's own
// change of the page would write it.
void PageNavigator::TakeInPage() {
  const bool removed = !pages_.Exists(PageFilePath());
  const PageFile file = pages_.Load(PageFilePath());
  bool same = file.Title() == view_.TitleText();
  for (int k = 1; k <= kLaunchButtonCount && same; ++k)
    same = file.Button(k) == buttons_[static_cast<size_t>(k - 1)]->Entry();
  if (same) return;
  if (!removed) {
    MovePage(current_.PageNo);
    return;
  }
  for (auto& button : buttons_) button->Clear();
  LoadButtons();
  view_.SetTitleText(file.Title());
}

void PageNavigator::RepairPageFileAttributes() { pages_.RepairAttributes(PageFilePath()); }

void PageNavigator::ComposeCaption() {
  current_.CaptionText =
      current_.UserName + " - Page " + std::to_string(current_.PageNo) + "/" + std::to_string(current_.PageNoControl);
  status_.ShowPage(current_.CaptionText, current_.PageNo, current_.PageNoControl);
}

void PageNavigator::KeepPageWithinCount() {
  if (current_.PageNo >= current_.PageNoControl && current_.PageNo != 1) MovePage(current_.PageNoControl);
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
  Reporting(prompter_, [&] {
    PageFile file = pages_.Load(PageFilePath());
    file.SetTitle(view_.TitleText());
    pages_.Save(PageFilePath(), file);
  });
}

// The box itself reports only typing, so a title put there by the program is stored
// here, as a typed one is.
void PageNavigator::ShowTitle(const std::string& title) {
  if (title == view_.TitleText()) return;
  view_.SetTitleText(title);
  Edit1Change();
}

void PageNavigator::LoadPageTitle() { ShowTitle(pages_.Load(PageFilePath()).Title()); }

void PageNavigator::LoadButtons() {
  const PageFile file = pages_.Load(PageFilePath());
  for (int k = 1; k <= kLaunchButtonCount; ++k) buttons_[static_cast<size_t>(k - 1)]->Show(file.Button(k));
  CheckTargets();
  if (OnButtonsShown) OnButtonsShown();
}

void PageNavigator::SetInOrder(bool inOrder) {
  PageFile file = pages_.Load(PageFilePath());
  file.SetInOrder(inOrder);
  pages_.Save(PageFilePath(), file);
}

void PageNavigator::SaveButton(int k) {
  const std::string path = PageFilePath();
  PageFile file = pages_.Load(path);
  // Every button's section is written, as the whole page's write does.
  for (int j = 1; j <= kLaunchButtonCount; ++j)
    file.SetButton(j, j == k ? buttons_[static_cast<size_t>(k - 1)]->Entry() : file.Button(j));
  pages_.Save(path, file);
  if (OnPageChanged) OnPageChanged();
  for (int j = 1; j <= kLaunchButtonCount; ++j) {
    TLaunchButton& other = *buttons_[static_cast<size_t>(j - 1)];
    if (j != k && other.Entry() != file.Button(j)) other.Show(file.Button(j));
  }
  if (OnButtonsShown) OnButtonsShown();
}

// Emptying the title box writes the empty title back at once, as any change of the
// box does.
void PageNavigator::mDeleteClick() {
  Reporting(prompter_, [&] {
    const std::string path = PageFilePath();
    ScreenPoint corner = view_.WindowPosition();
    BoxPlacement placement = BoxPlacement::At(corner.x, corner.y);
    if (!pages_.Exists(path)) {
      prompter_.ShowInformation(texts::kNoPageDataToDelete, placement);
      return;
    }
    if (!prompter_.Confirm(texts::kDeletePageQuestion, ConfirmKind::kYesCancel, placement)) return;
    pages_.Remove(path);
    if (OnPageChanged) OnPageChanged();
    ShowTitle("");
    MovePage(current_.PageNo);
    ComposeCaption();
  });
}

}  // namespace core
