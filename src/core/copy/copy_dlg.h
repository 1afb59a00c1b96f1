#pragma once

namespace core {

// The data copy dialog.
class TCopyDlg {
 public:
  // The user dialog's "ｺﾋﾟｰ": fills both lists and shows the dialog.
  void CopyButtonClick();
};

}  // namespace core
