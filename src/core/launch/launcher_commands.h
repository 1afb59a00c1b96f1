#pragma once

namespace core {

class TLauncher;

namespace command {

// The ids that the launcher window's navigation buttons and its menus' items carry,
// which name their commands (on Windows, a WM_COMMAND's id).
enum Id : int {
  // The navigation buttons, controls of the window's layout.
  kFastTopButton = 121,
  kFastBwdButton,
  kBwdButton,
  kFwdButton,
  kFastFwdButton,
  kFastFinalButton,
  // The menus' items.
  kUser = 1001,
  kOption,
  kExit,  // and kTrayExit: the window closes as its close box does, not a command of the table
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

}  // namespace command

// A command of the launcher window, a row of TLauncher's table: the id that carries it,
// whether the window completes its start before it runs (a menu's command may open a
// dialog or use a component that the first paint left for later), and what it runs.
struct LauncherCommand {
  int id;
  bool needsStart;
  void (*run)(TLauncher& launcher);
};

}  // namespace core
