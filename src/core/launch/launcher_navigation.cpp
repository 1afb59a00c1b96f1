// Moving between pages: the six navigation commands, the page count and the
// page-title list. Every move ends in MovePage, which reloads the page from its file.
#include <algorithm>

#include "error.h"
#include "launch/launcher.h"
#include "list/list_dlg.h"

namespace core {
namespace {

constexpr int kFastStep = 3;

}  // namespace

// Emptying the buttons reports nothing, so nothing is written before the load.
void TLauncher::MovePage(int page) {
  for (auto& button : buttons_) ClearEntry(*button);
  state_.CaptionText = state_.UserName + " - Page " + std::to_string(page) + "/" + std::to_string(state_.PageNoControl);
  state_.PageFilePath = PageFileName(state_.UserName, page);
  ShowStatus();
  RepairPageFileAttributes();
  LoadButtons(page);
  LoadPageTitle(page);
}

void TLauncher::ShowPageCount() { view_.SetPageCount(state_.PageNoControl); }

void TLauncher::GoToPage(int page) {
  state_.PageNo = page;
  Handle([&] { MovePage(state_.PageNo); });
}

void TLauncher::FastTopButtonClick() { GoToPage(1); }

void TLauncher::FastBwdButtonClick() { GoToPage(std::max(state_.PageNo - kFastStep, 1)); }

void TLauncher::BwdButtonClick() {
  int page = state_.PageNo - 1;
  GoToPage(page < 1 ? state_.PageNoControl : page);
}

void TLauncher::FwdButtonClick() {
  int page = state_.PageNo + 1;
  GoToPage(page > state_.PageNoControl ? 1 : page);
}

void TLauncher::FastFwdButtonClick() { GoToPage(std::min(state_.PageNo + kFastStep, state_.PageNoControl)); }

void TLauncher::FastFinalButtonClick() { GoToPage(state_.PageNoControl); }

// Lowering the count below the current page moves to the new last page; lowering it
// to the current page reloads it; raising it moves nowhere.
void TLauncher::UpDown1Click() {
  Handle([&] {
    state_.PageNoControl = view_.PageCountPosition();
    ComposeCaption();
    SavePosition();
    if (state_.PageNo >= state_.PageNoControl && state_.PageNo != 1) {
      state_.PageNo = state_.PageNoControl;
      MovePage(state_.PageNo);
    }
  });
}

void TLauncher::mListClick() {
  if (!listDlg_) return;
  ListDlgView& list = listDlg_->View();
  bool ready = Reporting(ports_.prompter, [&] {
    SavePosition();
    list.ClearItems();
    // Reading the titles leaves PageFilePath naming the current page.
    for (int page = 1; page <= state_.PageNoControl; ++page)
      list.AddItem(LoadPage(PageFileName(state_.UserName, page)).Title());
    // A list without a selected line takes the first key to select its caret line,
    // line 1, instead of moving; so it opens with the current page selected and the
    // keys move from there.
    list.SelectItem(state_.PageNo - 1);
    list.MoveTo(StoredPosition());
  });
  if (!ready) return;
  ColorChange(list, state_.FormColor);
  list.ShowModal();
}

}  // namespace core
