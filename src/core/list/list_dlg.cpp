#include "list/list_dlg.h"

#include "error.h"
#include "launch/launcher.h"

namespace core {

void TListDlg::ListBox1Click(int index) {
  launcher_.State().PageNo = index + 1;
  launcher_.Handle([&] { launcher_.MovePage(launcher_.State().PageNo); });
  view_.Close();
}

void TListDlg::CancelButtonClick() { view_.Close(); }

}  // namespace core
