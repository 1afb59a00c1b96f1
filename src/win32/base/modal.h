#pragma once

#include <string>

#include "base/win.h"

namespace win32 {

// Shows `dialog` over its owner and runs its messages until `closed` becomes true;
// the owner takes no input meanwhile. The dialog is hidden again afterwards.
void RunModal(HWND dialog, HWND owner, const bool& closed);
// Places `window` in the middle of the monitor of `reference` (or its own).
void CentreOnMonitor(HWND window, HWND reference);
// The text of a window or control, UTF-8.
std::string WindowText(HWND window);

}  // namespace win32
