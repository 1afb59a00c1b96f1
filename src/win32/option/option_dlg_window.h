#pragma once

#include "base/contrast.h"
#include "base/layout.h"
#include "base/modal_dialog.h"
#include "base/monitor_dpi.h"
#include "base/palette.h"
#include "base/panel_brush.h"
#include "base/tooltips.h"
#include "option/option_dlg.h"

namespace core {
class TOptionDlg;
}

namespace win32 {

// The options dialog: display modes, hot key, panel colour and start sound.
class OptionDlgWindow final : public ModalDialog<OptionDlgWindow, core::OptionDlgView> {
 public:
  enum ControlId : int {
    kWindowGroupBox = 101,
    kMouseCheckBox,
    kTrayCheckBox,
    kHotCheckBox,
    kHotGroupBox,
    kComboBox1,
    kEdit1,
    kCheckBox2,
    kCheckBox3,
    kCheckBox1,
    kCheckBoxBtn,
    kCheckBoxTitle,
    kGroupBox1,
    kComboBox2,
    kGroupBox2,
    kCheckBoxSound,
    kSelectSndButton,
    kOKButton = IDOK,
    kCancelButton = 120,  // not IDCANCEL: the Escape key stays unbound
  };

  explicit OptionDlgWindow(HWND owner);
  void Attach(core::TOptionDlg* dialog) { dialog_ = dialog; }
  HWND Control(int id) const { return layout_.Get(id); }

  // core::OptionDlgView
  bool Checked(core::OptionBox box) const override;
  void SetChecked(core::OptionBox box, bool checked) override;
  void EnableBox(core::OptionBox box, bool enabled) override;
  std::string HotKeyText() const override;
  void SetHotKeyText(const std::string& text) override;
  void SetKeyList(const std::vector<std::string>& names) override;
  int KeyIndex() const override;
  void SelectKey(int index) override;
  void SetColourList(const std::vector<std::string>& names) override;
  int ColourIndex() const override;
  void SelectColour(int index) override;
  std::optional<std::string> ChooseSoundFile(const std::string& folder) override;
  void ShowModal() override;
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void LayOut(UINT dpi);
  void OnCommand(int id, int code);
  std::string KeyListText(int code) const;

  core::TOptionDlg* dialog_ = nullptr;
  Layout layout_;
  MonitorDpi dpi_;
  Tooltips hints_;
  FixedColours hotKey_{kAqua, kBlue, FixedColours::Role::kEntry};
  PanelBrush background_;
};

}  // namespace win32
