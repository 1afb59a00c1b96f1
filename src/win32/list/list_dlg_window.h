#pragma once

#include "base/contrast.h"
#include "base/layout.h"
#include "base/modal_dialog.h"
#include "base/monitor_dpi.h"
#include "base/palette.h"
#include "base/panel_brush.h"
#include "base/tooltips.h"
#include "list/list_dlg.h"

namespace win32 {

// The page-title list dialog: a yellow list of the page titles and a cancel button.
class ListDlgWindow final : public ModalDialog<ListDlgWindow, core::ListDlgView> {
 public:
  enum ControlId : int { kListBox1 = 101, kCancelButton = IDCANCEL };

  explicit ListDlgWindow(HWND owner);
  void Attach(core::TListDlg* dialog) { dialog_ = dialog; }
  HWND Control(int id) const { return layout_.Get(id); }

  // core::ListDlgView
  void ClearItems() override;
  void AddItem(const std::string& text) override;
  void SelectItem(int index) override;
  void MoveTo(core::ScreenPoint position) override;
  void ShowModal() override;
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void LayOut(UINT dpi);

  core::TListDlg* dialog_ = nullptr;
  Layout layout_;
  MonitorDpi dpi_;
  Tooltips hints_;
  FixedColours list_{kYellow, kBlack, FixedColours::Role::kEntry};
  PanelBrush background_;
};

}  // namespace win32
