#pragma once

#include <span>

#include "base/layout.h"
#include "launch/launcher_commands.h"

namespace win32::launcher {

// Control ids of the launcher window.
enum ControlId : int {
  kLabel2 = 101,
  kLabel3,
  kEdit1,
  kPanel1,
  kLaunchButton1 = 111,  // ..kLaunchButton1 + 9
  // 121..126: the navigation buttons, kFastTopButton .. kFastFinalButton below
  kLabel1 = 127,
  kMemo1,
  kUpDown1,
};

// The navigation buttons carry the ids of their commands.
using enum core::command::Id;

inline constexpr int kLaunchButtonCount = 10;

// Fonts of the layout, by index.
enum FontRole : int { kWindowFont, kPlainFont, kBoldFont, kCountFont, kFontCount };

inline constexpr int kClientWidth = 192;
inline constexpr int kClientHeight = 134;

std::span<const ControlSpec> Layout();
std::span<const ControlName> Names();

// The controls that carry the window's pop-up menu and take its shortcuts.
bool CarriesPopupMenu(int id);

}  // namespace win32::launcher
