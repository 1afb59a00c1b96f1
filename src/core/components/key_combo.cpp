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

// The one writer of the text form, HotKeyText, on an assignment of the combination.
std::string KeyComboText(const KeyCombo& combo) {
  TKeyAssign assign;
  assign.SetModifiersQuietly((combo.modifiers & kModShift) != 0, (combo.modifiers & kModControl) != 0,
                             (combo.modifiers & kModAlt) != 0, (combo.modifiers & kModWin) != 0);
  assign.SetKey(std::string(KeyNames()[static_cast<size_t>(combo.code & 0xFF)]));
  return HotKeyText(assign);
}

}  // namespace core
