#include "launch/launcher_keys.h"

#include <array>

namespace core {
namespace {

constexpr ShiftState kCtrl{false, true, false};

constexpr KeyBinding StartKey(char digit, int button) {
  return {digit, kCtrl, {KeyAction::kStartButton, button}, false};
}

constexpr std::array<KeyBinding, 14> kBindings{{
    StartKey('1', 1),
    StartKey('2', 2),
    StartKey('3', 3),
    StartKey('4', 4),
    StartKey('5', 5),
    StartKey('6', 6),
    StartKey('7', 7),
    StartKey('8', 8),
    StartKey('9', 9),
    StartKey('0', 10),
    {kKeyPageDown, kCtrl, {KeyAction::kNextPage, 0}, true},
    {kKeyPageUp, kCtrl, {KeyAction::kPreviousPage, 0}, true},
    {'F', kCtrl, {KeyAction::kFind, 0}, false},
    {kKeyF3, {}, {KeyAction::kFind, 0}, false},
}};

}  // namespace

std::span<const KeyBinding> LauncherKeyBindings() { return kBindings; }

const KeyBinding* KeyBindingOf(int key, ShiftState shift) {
  for (const KeyBinding& binding : kBindings)
    if (binding.key == key && binding.shift == shift) return &binding;
  return nullptr;
}

}  // namespace core
