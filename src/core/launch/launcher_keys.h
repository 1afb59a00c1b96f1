#pragma once

#include <span>

#include "launch_button/launch_button.h"

namespace core {

// Virtual-key codes of the keys the launcher window binds (the digits are their
// characters, '0'..'9').
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyF3 = 0x72;

// One key press as the window receives it; `repeat` when the key was already down
// (the keyboard's auto-repeat).
struct KeyStroke {
  int key = 0;
  ShiftState shift;
  bool repeat = false;
};

enum class KeyAction { kStartButton, kNextPage, kPreviousPage, kFind };

struct KeyCommand {
  KeyAction action = KeyAction::kStartButton;
  int button = 0;  // the launch button's number, for kStartButton
  friend bool operator==(const KeyCommand&, const KeyCommand&) = default;
};

// A key with its modifiers and what it runs. A start is not repeated while the key
// is held down; a page move is.
struct KeyBinding {
  int key = 0;
  ShiftState shift;
  KeyCommand command;
  bool repeats = false;
};

// Ctrl+1 .. Ctrl+9 and Ctrl+0 start buttons 1 .. 10; Ctrl+Page Down and Ctrl+Page Up
// move to the next and the previous page; Ctrl+F and F3 open the find box (where the
// pop-up menu's shortcuts act, its Ctrl+F comes first).
std::span<const KeyBinding> LauncherKeyBindings();

// The binding of a key and its modifiers (exactly those), if any.
const KeyBinding* KeyBindingOf(int key, ShiftState shift);

}  // namespace core
