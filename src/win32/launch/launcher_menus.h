#pragma once

#include <span>

#include "base/menus.h"
#include "launch/launcher_commands.h"

namespace win32::launcher {

// The menus' items carry the ids of the launcher's commands.
using enum core::command::Id;

std::span<const MenuSpec> MainMenu();
std::span<const MenuSpec> PopupMenu1();
std::span<const MenuSpec> PopupMenuTrayIcon();
std::span<const MenuSpec> PopupMenuLaunch();

}  // namespace win32::launcher
