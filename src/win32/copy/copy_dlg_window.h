#pragma once

#include "base/contrast.h"
#include "base/layout.h"
#include "base/modal_dialog.h"
#include "base/monitor_dpi.h"
#include "base/palette.h"
#include "base/panel_brush.h"
#include "base/tooltips.h"
#include "copy/copy_dlg.h"

namespace win32 {

// The data copy dialog: the yellow source and destination lists and OK, cancel, help.
class CopyDlgWindow final : public ModalDialog<CopyDlgWindow, core::CopyDlgView> {
 public:
  // OK has no IDOK: Enter is not bound to it.
  enum ControlId : int {
    kSrcLabel = 101,
    kDstLabel,
    kLabel1,
    kSrcList,
    kDstList,
    kOKBtn,
    kHelpBtn,
    kCancelBtn = IDCANCEL
  };

  explicit CopyDlgWindow(HWND owner);
  void Attach(core::TCopyDlg* dialog) { dialog_ = dialog; }
  HWND Control(int id) const { return layout_.Get(id); }
  std::string Hint(int id) const { return hints_.Text(Control(id)); }

  // core::CopyDlgView
  void SetSourceItems(const std::vector<std::string>& items) override;
  void SetDestinationItems(const std::vector<std::string>& items) override;
  int SourceSelection() const override;
  void DeselectSource() override;
  int DestinationFocus() const override;
  bool IsDestinationSelected(int index) const override;
  void SelectDestination(int index, bool selected) override;
  void EnableDestinationList(bool enabled) override;
  void EnableOK(bool enabled) override;
  void SetSourceHint(const std::string& text) override;
  void SetDestinationHint(const std::string& text) override;
  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(Handle()); }
  void ShowModal() override;
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void LayOut(UINT dpi);

  core::TCopyDlg* dialog_ = nullptr;
  Layout layout_;
  MonitorDpi dpi_;
  Tooltips hints_;
  FixedColours list_{kYellow, kBlack, FixedColours::Role::kEntry};
  PanelBrush background_;
};

}  // namespace win32
