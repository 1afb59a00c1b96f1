#pragma once

#include <optional>
#include <string>

#include "geometry.h"
#include "launch_button/launch_button.h"

namespace core {

class TButtonSettingsDlg;

enum class SettingsField { kTitle, kPath, kDirectory, kOption, kHotKey, kStartDelay };

// The button settings dialog as its logic sees it.
class ButtonSettingsView {
 public:
  virtual ~ButtonSettingsView() = default;
  virtual void Attach(TButtonSettingsDlg* dialog) = 0;
  // The button on the screen, the monitor that holds it, and the dialog's own width.
  virtual ScreenRect ButtonRect() const = 0;
  virtual ScreenRect MonitorRect() const = 0;
  virtual int OuterWidth() const = 0;
  virtual void MoveTo(ScreenPoint position) = 0;

  virtual std::string Text(SettingsField field) const = 0;
  virtual void SetText(SettingsField field, const std::string& text) = 0;
  // The keyboard goes to the field, its text selected.
  virtual void FocusField(SettingsField field) = 0;
  virtual void SelectState(int index) = 0;
  // The check box "起動中なら切り替え".
  virtual bool SwitchChecked() const = 0;
  virtual void SetSwitchChecked(bool checked) = 0;
  // The icon-number scroll bar; setting them reports nothing back.
  virtual void SetScrollRange(int max) = 0;
  virtual void SetScrollPosition(int position) = 0;
  virtual void ShowPreview(const GlyphSource& source, bool small) = 0;
  virtual void RemovePreview() = 0;
  // The standard file-open dialog; nothing when it was cancelled.
  virtual std::optional<std::string> ChooseFile() = 0;
  // Returns when the dialog has been closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

// Left edge below the button, moved left so that the dialog ends at the right edge of
// the button's monitor when it would reach past it; top edge one pixel below the button.
ScreenPoint SettingsDialogPosition(const ScreenRect& button, const ScreenRect& monitor, int width);

// The settings dialog of one launch button: it works on the button's own properties,
// most of them at once, the texts only on OK.
class TButtonSettingsDlg {
 public:
  TButtonSettingsDlg(TLaunchButton& button, ButtonSettingsView& view, const LaunchButtonPorts& ports);
  ~TButtonSettingsDlg();
  TButtonSettingsDlg(const TButtonSettingsDlg&) = delete;
  TButtonSettingsDlg& operator=(const TButtonSettingsDlg&) = delete;

  // Places and fills the dialog, then shows it modally.
  void Execute();

  // Handlers of the dialog's controls.
  void ScrollBarChange(int position);
  void StateChange(int index);
  void BrowseClick();
  void IconClick();
  void DefaultIconClick();
  void DeleteClick();
  void OKClick();
  void CancelClick();

  // What the button tells the open dialog.
  void IconNoChanged(int value);
  void ButtonCleared();

  int ScrollMax() const { return scrollMax_; }
  int ScrollPosition() const { return position_; }

 private:
  // The button's own key, its switch and its pause from the dialog; false, with the
  // reason shown, when the key is refused.
  bool TakeKey();
  // What OK accepts: a file or folder where the path leads, an address, or a name
  // the shell knows in its namespace.
  bool Reachable(const std::string& path, const std::string& target) const;
  void Fill();
  void PrepareIcons();
  void SetRange(int max);
  void SetPosition(int position);
  void ScrollRule();

  TLaunchButton& button_;
  ButtonSettingsView& view_;
  LaunchButtonPorts ports_;
  int scrollMax_ = 0;
  int position_ = 0;
};

}  // namespace core
