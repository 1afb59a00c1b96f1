#pragma once

#include <string>
#include <vector>

#include "geometry.h"
#include "option/panel_colours.h"
#include "ports/prompter.h"
#include "user/user_operations.h"

namespace core {

class TCopyDlg;

// The user dialog as its logic sees it.
class UserDlgView : public PanelColourTarget {
 public:
  // The list ListBox1 of the ten user names.
  virtual void SetListItems(const std::vector<std::string>& names) = 0;
  // Selects entry `index` without reporting a change; -1 selects none.
  virtual void SelectListItem(int index) = 0;
  // The name field Edit1. Setting a text that differs from the one shown reports the
  // change to TUserDlg::Edit1Change, exactly as typing does; an equal text does not.
  virtual std::string NameText() const = 0;
  virtual void SetNameText(const std::string& text) = 0;
  // The user number arrows UpDown1, 1..10; setting them runs no handler.
  virtual int UserNumber() const = 0;
  virtual void SetUserNumber(int n) = 0;
  // Top-left corner of the dialog, screen pixels.
  virtual ScreenPoint Position() const = 0;
  // A place off every screen gives the nearest one on the primary screen (KeepOnScreen).
  virtual void MoveTo(ScreenPoint position) = 0;
  // Returns when the dialog has been closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

// The user dialog: switches, registers, renames, deletes and loads users.
class TUserDlg {
 public:
  TUserDlg(UserDlgView& view, UserOperations& users, Prompter& prompter)
      : view_(view), users_(users), prompter_(prompter) {}
  void SetCopyDlg(TCopyDlg* dialog) { copyDlg_ = dialog; }
  // The edit-changed flag: the name field changed since a number was chosen.
  bool EditChanged() const { return editChanged_; }

  // The launcher's "ﾕｰｻﾞ変更(&U)".
  void mUserClick();
  void LoadUserForm();
  // The list's selection moved to entry `index` (counted from 0), by a click or a key.
  void ListBox1Click(int index);
  void UpDown1Click();
  void Edit1Change() { editChanged_ = true; }
  void EntryButtonClick();
  void ChangeButtonClick();
  void DeleteButtonClick();
  void LoadButtonClick();
  void CopyButtonClick();
  void HelpButtonClick();
  void CancelButtonClick() { view_.Close(); }

 private:
  BoxPlacement AtDialog() const;
  // Refuses a name that cannot be part of a page file's name, with our message.
  bool RefusedAsUnsafe(const std::string& name);
  bool InUse(const std::string& name);
  void SelectNumberEntry(int s);

  UserDlgView& view_;
  UserOperations& users_;
  Prompter& prompter_;
  TCopyDlg* copyDlg_ = nullptr;
  std::vector<std::string> names_;
  bool editChanged_ = false;
};

}  // namespace core
