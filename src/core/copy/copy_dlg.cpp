#include "copy/copy_dlg.h"

namespace core {

void TCopyDlg::CopyButtonClick() {}

}  // namespace core
