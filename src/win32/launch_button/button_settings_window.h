#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/win.h"

#include <commctrl.h>

#include "base/layout.h"
#include "base/modal_dialog.h"
#include "base/monitor_dpi.h"
#include "base/tooltips.h"
#include "launch_button/button_settings_dlg.h"
#include "launch_button/icon_glyph.h"

namespace win32 {

// The settings dialog of one launch button, built for one use: title, path, working
// folder, start state, parameters and the icon, with its preview and number.
class ButtonSettingsWindow final : public ModalDialog<ButtonSettingsWindow, core::ButtonSettingsView> {
 public:
  enum ControlId : int {
    kTitleEdit = 101,
    kPathEdit,
    kDirEdit,
    kStateList,
    kOptionEdit,
    kBrowseButton,
    kDeleteButton,
    kIconButton,
    kIconScrollBar,
    kDefaultIconButton,
    kHotKeyEdit,
    kSwitchCheck,
    kFolderMenuCheck,
    kDelayEdit,
    kDelayUpDown,
    kOkButton = IDOK,
    kCancelButton = IDCANCEL,
  };

  // The dialog of the launch button window `button`, owned by the launcher window.
  ButtonSettingsWindow(HWND button, HWND owner);

  // How the icon and browse buttons choose a file: the system's file-open dialog
  // unless a test puts another way here.
  static std::function<std::optional<std::string>()>& FileChooser();

  HWND Control(int id) const { return layout_.Get(id); }
  const Glyph* Preview() const { return preview_.get(); }

  // core::ButtonSettingsView
  void Attach(core::TButtonSettingsDlg* dialog) override { dialog_ = dialog; }
  core::ScreenRect ButtonRect() const override;
  core::ScreenRect MonitorRect() const override;
  int OuterWidth() const override;
  void MoveTo(core::ScreenPoint position) override;
  std::string Text(core::SettingsField field) const override;
  void SetText(core::SettingsField field, const std::string& text) override;
  void FocusField(core::SettingsField field) override;
  void SelectState(int index) override;
  bool Checked(core::SettingsCheck box) const override;
  void SetChecked(core::SettingsCheck box, bool checked) override;
  void SetScrollRange(int max) override;
  void SetScrollPosition(int position) override;
  void ShowPreview(const core::GlyphSource& source, bool small) override;
  void RemovePreview() override;
  std::optional<std::string> ChooseFile() override;
  void ShowModal() override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static int CheckOf(core::SettingsCheck box);
  void LayOut(UINT dpi);
  void OnCommand(int id, int code);
  void OnScroll(int request);

  HWND button_;
  core::TButtonSettingsDlg* dialog_ = nullptr;
  Layout layout_;
  MonitorDpi dpi_;
  Tooltips hints_;
  std::shared_ptr<const Glyph> preview_;
  core::GlyphSource previewSource_;  // drawn again when its glyph comes from the loader
  bool previewSmall_ = false;
};

}  // namespace win32
