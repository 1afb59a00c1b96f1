#include "list/list_dlg.h"

#include "error.h"
#include "launch/launcher.h"

namespace core {

void TListDlg::mListClick() {
  const CurrentPage& at = launcher_.Current();
  bool ready = Reporting(launcher_.Ports().prompter, [&] {
    launcher_.Settings().SavePosition();
    view_.ClearItems();
    const PageStore& pages = launcher_.Pages();
    for (int page = 1; page <= at.PageNoControl; ++page)
      view_.AddItem(pages.Load(pages.PathOf(at.UserName, page)).Title());
    // A list without a selected line takes the first key to select its caret line,
    // line 1, instead of moving; so it opens with the current page selected and the
    // keys move from there.
    view_.SelectItem(at.PageNo - 1);
    view_.MoveTo(launcher_.Settings().StoredPosition());
  });
  if (!ready) return;
  ColorChange(view_, launcher_.CurrentOptions().FormColor);
  view_.ShowModal();
}

void TListDlg::ListBox1Click(int index) {
  launcher_.GoToPage(index + 1);
  view_.Close();
}

void TListDlg::CancelButtonClick() { view_.Close(); }

}  // namespace core
