#pragma once

#include <optional>
#include <string>
#include <vector>

#include "option/option_host.h"
#include "option/panel_colours.h"
#include "ports/prompter.h"
#include "storage/file_system.h"

namespace core {

// The check boxes of the options dialog. CheckBox1..3 are Shift, Ctrl and Alt.
enum class OptionBox { kMouse, kTray, kHot, kShift, kCtrl, kAlt, kBtnClk, kTitleDbClk, kSound };

// The options dialog as its logic sees it.
class OptionDlgView : public PanelColourTarget {
 public:
  virtual bool Checked(OptionBox box) const = 0;
  // Sets a box without reporting it: the logic runs the box's handler itself.
  virtual void SetChecked(OptionBox box, bool checked) = 0;
  virtual void EnableBox(OptionBox box, bool enabled) = 0;
  // Edit1, the hot key's text form.
  virtual std::string HotKeyText() const = 0;
  virtual void SetHotKeyText(const std::string& text) = 0;
  // ComboBox1, the key list, and ComboBox2, the colour list; -1 selects nothing.
  // Selecting runs no handler.
  virtual void SetKeyList(const std::vector<std::string>& names) = 0;
  virtual int KeyIndex() const = 0;
  virtual void SelectKey(int index) = 0;
  virtual void SetColourList(const std::vector<std::string>& names) = 0;
  virtual int ColourIndex() const = 0;
  virtual void SelectColour(int index) = 0;
  // The file-open dialog for a sound, starting in `folder`; nothing when cancelled.
  virtual std::optional<std::string> ChooseSoundFile(const std::string& folder) = 0;
  // Returns when the dialog has been closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

class TWaitHotKey;

// The 135 names of the key list: the key-name table in code order, without the
// mouse buttons, the modifier keys and "AltShit".
const std::vector<std::string>& KeyListNames();

// The options dialog. Its modifier boxes and key list edit the launcher's hot key
// assignment directly; nothing is registered before OK.
class TOptionDlg {
 public:
  TOptionDlg(OptionDlgView& view, OptionHost& host, TWaitHotKey& hotKey, FileSystem& files, Prompter& prompter)
      : view_(view), host_(host), hotKey_(hotKey), files_(files), prompter_(prompter) {}

  void FormCreate();
  // The launcher's "ｵﾌﾟｼｮﾝ設定(&O)".
  void mOptionClick();
  void LoadOptionForm();
  void ReflectFlags();
  // A box changed by the user; the box shows its new state already.
  void BoxClicked(OptionBox box) { BoxChanged(box); }
  void CheckBoxBtnClick();
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  // The key list's text after the user chose an entry or typed.
  void ComboBox1Change(const std::string& text);
  void OKButtonClick();
  void CancelButtonClick();
  void SelectSndButtonClick();
  // What the controls hold, as OK saves it.
  Options Values() const;

 private:
  void SetBox(OptionBox box, bool checked);
  void BoxChanged(OptionBox box);

  OptionDlgView& view_;
  OptionHost& host_;
  TWaitHotKey& hotKey_;
  FileSystem& files_;
  Prompter& prompter_;
  std::string soundFolder_;  // the file dialog keeps the folder it first started in
};

}  // namespace core
