#include "components/key_names.h"

namespace core {
namespace {

void Put(KeyNameTable& table, int first, std::initializer_list<std::string_view> names) {
  for (auto name : names) table[first++] = name;
}

KeyNameTable BuildTable() {
  static constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  static constexpr std::string_view kNumPad[] = {"Num0", "Num1", "Num2", "Num3", "Num4",
                                                 "Num5", "Num6", "Num7", "Num8", "Num9"};
  static constexpr std::string_view kFunctionKeys[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                                       "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                                       "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
  KeyNameTable t{};
  Put(t, 1, {"LButton", "RButton", "Cancel", "MButton"});
  Put(t, 8, {"Back", "Tab"});
  Put(t, 12, {"Clear", "Enter"});
  Put(t, 16, {"Shift", "Ctrl", "Menu", "Pause", "Caps", "Kana"});
  Put(t, 25, {"Hanja"});
  Put(t, 27, {"ESC", "Convert", "NonConvert", "Accept", "ModeChange"});
  Put(t, 32,
      {"Space", "PageUp", "PageDown", "End", "Home", "Left", "Up", "Right", "Down", "Select", "Print", "Execute",
       "SnapShot", "Insert", "Delete", "Help"});
  for (int i = 0; i < 10; ++i) t[48 + i] = kDigits[i];
  for (int i = 0; i < 26; ++i) t[65 + i] = kLetters.substr(i, 1);
  Put(t, 91, {"LWinKey", "RWinKey", "Apps"});
  for (int i = 0; i < 10; ++i) t[96 + i] = kNumPad[i];
  Put(t, 106, {"Num*", "Num+", "Separator", "Num-", "Num.", "Num/"});
  for (int i = 0; i < 24; ++i) t[112 + i] = kFunctionKeys[i];
  Put(t, 144, {"NumLock", "Scroll"});
  Put(t, 160, {"LShift", "RShift", "LControl", "RControl", "LMenu", "RMenu"});
  Put(t, 186, {":", ";", ",", "-", ".", "/", "@"});
  Put(t, 219, {"[", "\\", "]", "^"});
  Put(t, 226, {"_"});
  Put(t, 229, {"Kanji"});
  // "AltShit" is the name stored settings files use for code 240.
  Put(t, 240, {"AltShit", "Hiragana", "Romaji", "Hankaku", "Zenkaku"});
  Put(t, 246, {"Attn", "CrSel", "ExSel", "Ereof", "Play", "Zoom", "Noname", "Pa1", "Oem_Clear"});
  return t;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const KeyNameTable& KeyNames() {
  static const KeyNameTable table = BuildTable();
  return table;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace core
