#include "components/key_combo.h"

#include "components/key_assign.h"
#include "components/key_names.h"
#include "components/wait_hot_key.h"
#include "ports/hot_key_registrar.h"

namespace core {
namespace {

const TKeyAssign& KeyTable() {
  static const TKeyAssign table;
  return table;
}

}  // namespace

bool NamesNoKey(std::string_view text) { return text.empty() || text == "(なし)"; }

std::optional<KeyCombo> KeyComboOf(std::string_view text) {
  if (NamesNoKey(text)) return std::nullopt;
  const ParsedHotKey parsed = ParseHotKeyText(text, KeyTable());
  const int code = parsed.hasKey ? KeyTable().KeyNameToCode(parsed.key) : -1;
  if (code <= 0) return std::nullopt;
  unsigned modifiers = 0;
  if (parsed.alt) modifiers |= kModAlt;
  if (parsed.ctrl) modifiers |= kModControl;
  if (parsed.shift) modifiers |= kModShift;
  if (parsed.win) modifiers |= kModWin;
  return KeyCombo{modifiers, code};
}

std::string KeyComboText(const KeyCombo& combo) {
  std::string text;
  if (combo.modifiers & kModWin) text += "Windows+";
  if (combo.modifiers & kModAlt) text += "Alt+";
  if (combo.modifiers & kModControl) text += "Ctrl+";
  if (combo.modifiers & kModShift) text += "Shift+";
  return text + std::string(KeyNames()[static_cast<size_t>(combo.code & 0xFF)]);
}

}  // namespace core
