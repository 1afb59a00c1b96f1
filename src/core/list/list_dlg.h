#pragma once

#include <string>

#include "list/list_host.h"
#include "option/panel_colours.h"
#include "ports/prompter.h"

namespace core {

// The page-title list as its logic sees it.
class ListDlgView : public PanelColourTarget {
 public:
  virtual void ClearItems() = 0;
  virtual void AddItem(const std::string& text) = 0;
  // Marks line `index` as the selected one without reporting a change.
  virtual void SelectItem(int index) = 0;
  // Top-left corner of the dialog, screen pixels; a place off every screen gives the
  // nearest one on the primary screen (KeepOnScreen).
  virtual void MoveTo(ScreenPoint position) = 0;
  // Returns when the dialog has been closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

// The page-title list: one line per page; a click jumps to that page.
class TListDlg {
 public:
  TListDlg(ListDlgView& view, PageListHost& host, Prompter& prompter) : view_(view), host_(host), prompter_(prompter) {}
  // The launcher's "ﾍﾟｰｼﾞ一覧(&S)": one line per page, the current one selected.
  void mListClick();

  // The selection moved to line `index` (counted from 0), by a click or a key.
  void ListBox1Click(int index);
  void CancelButtonClick();

 private:
  ListDlgView& view_;
  PageListHost& host_;
  Prompter& prompter_;
};

}  // namespace core
