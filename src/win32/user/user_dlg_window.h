#pragma once

#include "base/contrast.h"
#include "base/layout.h"
#include "base/modal_dialog.h"
#include "base/monitor_dpi.h"
#include "base/palette.h"
#include "base/panel_brush.h"
#include "base/tooltips.h"
#include "user/user_dlg.h"

namespace win32 {

// The user dialog: the ten user names, the name field with the user number, and the
// buttons that register, rename, delete, load and copy.
class UserDlgWindow final : public ModalDialog<UserDlgWindow, core::UserDlgView> {
 public:
  enum ControlId : int {
    kChoiceGroupBox = 101,
    kListBox1,
    kSetGroupBox,
    kEdit1,
    kMemo1,
    kUpDown1,
    kEntryButton,
    kChangeButton,
    kDeleteButton,
    kLoadButton,
    kCopyButton,
    kHelpButton,
    kCancelButton = IDCANCEL,
  };

  explicit UserDlgWindow(HWND owner);
  void Attach(core::TUserDlg* dialog) { dialog_ = dialog; }
  HWND Control(int id) const { return layout_.Get(id); }

  // core::UserDlgView
  void SetListItems(const std::vector<std::string>& names) override;
  void SelectListItem(int index) override;
  std::string NameText() const override;
  void SetNameText(const std::string& text) override;
  int UserNumber() const override;
  void SetUserNumber(int n) override;
  core::ScreenPoint Position() const override;
  void MoveTo(core::ScreenPoint position) override;
  void ShowModal() override;
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void LayOut(UINT dpi);
  void OnCommand(int id, int code);
  LRESULT OnControlColour(HDC dc, HWND control);

  core::TUserDlg* dialog_ = nullptr;
  Layout layout_;
  MonitorDpi dpi_;
  Tooltips hints_;
  FixedColours list_{kYellow, kBlack, FixedColours::Role::kEntry};
  FixedColours name_{kAqua, kBlue, FixedColours::Role::kEntry};
  PanelBrush background_;
};

}  // namespace win32
