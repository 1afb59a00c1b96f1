#pragma once

#include <functional>
#include <optional>
#include <string>

#include "geometry.h"
#include "launch_button/launch_button.h"

namespace core {

class TButtonSettingsDlg;

enum class SettingsField { kTitle, kPath, kDirectory, kOption, kHotKey, kStartDelay };
// Its check boxes: "起動中なら切り替え" and "ﾌｫﾙﾀﾞの中身をﾒﾆｭｰで表示".
enum class SettingsCheck { kSwitch, kFolderMenu };

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
  virtual bool Checked(SettingsCheck box) const = 0;
  virtual void SetChecked(SettingsCheck box, bool checked) = 0;
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

// What the settings dialog edits: a button's entry, and the file whose icons it offers,
// which is kept between its openings.
struct ButtonSettings {
  ButtonEntry entry;
  std::string iconSource;
};

// How the dialog was left, and so what becomes of the button's entry:
// kKept (Cancel, Esc, the close box, a path that leads nowhere): the start state and
// the icon chosen stay with the button, which is not written;
// kSaved (OK, or Delete with its question): the button shows the entry and is written;
// kEmptied (OK with no path): the button is emptied, and not written.
enum class SettingsEnd { kKept, kSaved, kEmptied };

// Why a typed key text cannot be the button's own key; empty when it can.
using KeyCheck = std::function<std::string(const std::string& text)>;

// The settings dialog of one launch button: it takes the button's entry and gives one
// back; the start state and the icon take effect as they are chosen, the texts only
// on OK.
class TButtonSettingsDlg {
 public:
  TButtonSettingsDlg(ButtonSettings settings, ButtonSettingsView& view, const LaunchButtonPorts& ports,
                     KeyCheck refusal);
  ~TButtonSettingsDlg();
  TButtonSettingsDlg(const TButtonSettingsDlg&) = delete;
  TButtonSettingsDlg& operator=(const TButtonSettingsDlg&) = delete;

  // Places and fills the dialog, shows it modally, and tells how it was left.
  SettingsEnd Execute();
  // The entry as the dialog leaves it, and the file whose icons it offered.
  const ButtonSettings& Settings() const { return settings_; }

  // Handlers of the dialog's controls.
  void ScrollBarChange(int position);
  void StateChange(int index);
  void BrowseClick();
  void IconClick();
  void DefaultIconClick();
  void DeleteClick();
  void OKClick();
  void CancelClick();

  int ScrollMax() const { return scrollMax_; }
  int ScrollPosition() const { return position_; }

 private:
  // The button's own key, its switch and its pause from the dialog; false, with the
  // reason shown, when the key is refused.
  bool TakeKey();
  // What OK accepts: a file or folder where the path leads, an address, or a name
  // the shell knows in its namespace.
  bool Reachable(const std::string& path, const std::string& target) const;
  std::string Resolved(const std::string& stored) const { return ResolvePath(stored, ports_.paths); }
  void Fill();
  void PrepareIcons();
  void SetRange(int max);
  void SetPosition(int position);
  void ScrollRule();
  void Emptied();

  ButtonSettings settings_;
  ButtonEntry& entry_ = settings_.entry;
  ButtonSettingsView& view_;
  LaunchButtonPorts ports_;
  KeyCheck refusal_;
  SettingsEnd end_ = SettingsEnd::kKept;
  int scrollMax_ = 0;
  int position_ = 0;
};

}  // namespace core
