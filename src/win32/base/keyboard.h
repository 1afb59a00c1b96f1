#pragma once

#include "base/win.h"
#include "launch_button/launch_button.h"

namespace win32 {

// The modifier keys held down as the message being handled was sent.
inline core::ShiftState HeldModifiers() {
  return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace win32
