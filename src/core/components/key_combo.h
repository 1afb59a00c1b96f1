#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// A system-wide key: the modifier bits (kModAlt, kModControl, kModShift, kModWin) and
// the virtual-key code.
struct KeyCombo {
  unsigned modifiers = 0;
  int code = 0;
  friend auto operator<=>(const KeyCombo&, const KeyCombo&) = default;
};

// Empty and "(なし)" name no key.
bool NamesNoKey(std::string_view text);
// The combination a text form names (any letter case); nothing when it names no key
// or a name that is not a key.
std::optional<KeyCombo> KeyComboOf(std::string_view text);
// The text form: "Windows+", "Alt+", "Ctrl+", "Shift+", then the key's name.
std::string KeyComboText(const KeyCombo& combo);
}  // namespace core
