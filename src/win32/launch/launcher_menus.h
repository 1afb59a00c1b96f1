#pragma once

#include <span>

#include "base/menus.h"

namespace win32::launcher {

// Commands of the launcher window's menus.
enum Command : int {
  kUser = 1001,
  kOption,
  kExit,
  kFastTop = 1011,
  kFastBwd,
  kBwd,
  kFwd,
  kFastFwd,
  kFastFinal,
  kList,
  kDelete,
  kHelpOpen = 1021,
  kVersion,
  kChoice = 1031,
  kAllStart,
  kFind,
  kScreen,
  kCloseFolder,
  kCloseIE,
  kCloseAll,
  kWholly,
  kWindowsExit,
  kWindowsReboot,
  kWindowsLogoff,
  kInOrder,
  kTrayHelp = 1051,
  kTrayVersion,
  kTrayExit,
  kCut1 = 1061,
  kCopy1,
  kPaste1,
  kDelete1,
  kSelect1,
};

std::span<const MenuSpec> MainMenu();
std::span<const MenuSpec> PopupMenu1();
std::span<const MenuSpec> PopupMenuTrayIcon();
std::span<const MenuSpec> PopupMenuLaunch();

}  // namespace win32::launcher
