#pragma once

#include <span>

#include "base/handles.h"

namespace win32 {

enum class MenuEntry { kItem, kSeparator, kSubmenu, kEnd };

// One line of a menu table: a command, a separator, or the start (kSubmenu) and
// end (kEnd) of a submenu. ctrlKey is the letter of a Ctrl shortcut, 0 for none.
struct MenuSpec {
  MenuEntry entry;
  int id;
  const char* caption;  // UTF-8, with its access key
  char ctrlKey;
};

// A menu bar (popup false) or a pop-up menu built from a table.
HMENU BuildMenu(std::span<const MenuSpec> table, bool popup);
// The command of a Ctrl shortcut in a table, 0 when none.
int CommandOfShortcut(std::span<const MenuSpec> table, char key);

// Shows a pop-up menu at a screen point over `owner`, which is brought to the front
// first (or the menu would not close when the user clicks elsewhere); its commands
// arrive as WM_COMMAND, or with TPM_RETURNCMD as its result (0: none). No menu opens
// while a quit is pending: Wine's menu loop, unlike Windows', would swallow it.
int TrackMenu(HMENU menu, UINT flags, POINT at, HWND owner);

}  // namespace win32
