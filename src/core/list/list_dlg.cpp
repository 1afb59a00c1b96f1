#include "list/list_dlg.h"

#include "error.h"

namespace core {

void TListDlg::mListClick() {
  PageListing listing;
  bool ready = Reporting(prompter_, [&] { listing = host_.ListPages(); });
  if (!ready) return;
  view_.ClearItems();
  for (const std::string& title : listing.titles) view_.AddItem(title);
  // A list without a selected line takes the first key to select its caret line,
  // line 1, instead of moving; so it opens with the current page selected and the
  // keys move from there.
  view_.SelectItem(listing.current - 1);
  view_.MoveTo(listing.position);
  ColorChange(view_, listing.formColor);
  view_.ShowModal();
}

void TListDlg::ListBox1Click(int index) {
  host_.GoToPage(index + 1);
  view_.Close();
}

void TListDlg::CancelButtonClick() { view_.Close(); }

}  // namespace core
