#pragma once

#include "base/win.h"

namespace win32 {

// Shows `dialog` over its owner and runs its messages until `closed` becomes true;
// the owner takes no input meanwhile. The dialog is hidden again afterwards.
void RunModal(HWND dialog, HWND owner, const bool& closed);

}  // namespace win32
