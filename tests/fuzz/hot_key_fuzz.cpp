// The hot key's text form, as the settings file stores it:
// - any text read into a hot key gives a key of the table or none, never a key the
//   registration cannot name;
// - a key read from a text, written back as text and read again, is the same key with
//   the same modifiers, and its text is written the same way again;
// - every key of the table that is no modifier word, with any modifiers, survives
//   its own text form.
#include <string>

#include "components/key_names.h"
#include "components/wait_hot_key.h"
#include "fuzz_check.h"
#include "support.h"

namespace {

struct HotKey {
  std::string key;
  bool shift, ctrl, alt, win;
  bool operator==(const HotKey&) const = default;
  std::string Describe() const {
    return key + (shift ? " shift" : "") + (ctrl ? " ctrl" : "") + (alt ? " alt" : "") + (win ? " win" : "");
  }
};

HotKey Of(const core::TWaitHotKey& hotKey) {
  const core::TKeyAssign& a = hotKey.KeyAssign();
  return {a.Key(), a.hkShift(), a.hkCtrl(), a.hkAlt(), a.hkWinKey()};
}

// A component as the launcher has one; each needs a registrar of its own (its atom).
struct Component {
  testing_support::FakeRegistrar registrar;
  testing_support::FakePrompter prompter;
  core::TWaitHotKey hotKey{registrar, prompter};
};

// The text form of `hotKey` read by a fresh component: the same key and modifiers,
// and the same text.
void CheckRoundTrip(const core::TWaitHotKey& hotKey, const std::string& origin) {
  const std::string text = hotKey.HotKey();
  Component again;
  again.hotKey.SetHotKey(text);
  FUZZ_CHECK(Of(again.hotKey) == Of(hotKey),
             origin + ": " + Of(hotKey).Describe() + " as " + text + " came back as " + Of(again.hotKey).Describe());
  FUZZ_CHECK(again.hotKey.HotKey() == text, text + " was written again as " + again.hotKey.HotKey());
}

bool IsModifierWord(std::string_view name) {
  for (const char* word : {"Shift", "Ctrl", "Alt", "Windows"})
    if (core::SameTextIgnoringCase(name, word)) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzzing::AsText(data, size));

  Component read;
  read.hotKey.SetHotKey(text);
  if (read.hotKey.KeyAssign().CanUse()) {
    const int code = read.hotKey.KeyAssign().GetKeyCode();
    FUZZ_CHECK(code > 0 && code < 256 && core::KeyNames()[code] == read.hotKey.KeyAssign().Key(), text);
    CheckRoundTrip(read.hotKey, text);
  } else {
    FUZZ_CHECK(read.hotKey.HotKey() == "(なし)", read.hotKey.HotKey());
  }

  // The first two bytes as a key code and modifiers, as the options dialog sets them.
  if (size >= 2) {
    const std::string_view name = core::KeyNames()[data[0]];
    if (!name.empty() && !IsModifierWord(name)) {
      Component chosen;
      core::TKeyAssign& assign = chosen.hotKey.KeyAssign();
      assign.SethkShift(data[1] & 1);
      assign.SethkCtrl(data[1] & 2);
      assign.SethkAlt(data[1] & 4);
      assign.SethkWinKey(data[1] & 8);
      assign.SetKey(std::string(name));
      FUZZ_CHECK(assign.GetKeyCode() == data[0], std::string(name));
      CheckRoundTrip(chosen.hotKey, "code " + std::to_string(data[0]));
    }
  }
  return 0;
}
