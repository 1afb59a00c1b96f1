#include "find/search_text.h"

#include <array>

#include "storage/utf8.h"

namespace core {
namespace {

// Full-width forms of the half-width katakana U+FF61..U+FF9F, in that order.
constexpr std::array<char32_t, 63> kWideKana{
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x3099, 0x309A};

constexpr char32_t kVoiced = 0x3099, kSemiVoiced = 0x309A;

// One code point in the search form, voicing marks as the combining ones.
char32_t Fold(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
  if (c >= 0xFF21 && c <= 0xFF3A) return c - 0xFF21 + 'a';
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFF01 + '!';
  if (c == 0x3000) return ' ';
  if (c >= 0xFF61 && c <= 0xFF9F) return kWideKana[c - 0xFF61];
  if (c >= 0x3041 && c <= 0x3096) return c + 0x60;  // hiragana to katakana
  if (c == 0x309D || c == 0x309E) return c + 0x60;
  if (c == 0x309B) return kVoiced;
  if (c == 0x309C) return kSemiVoiced;
  return c;
}

// ハ, ヒ, フ, ヘ, ホ.
bool SemiVoices(char32_t kana) { return kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0; }

// カ to チ and ツ to ト (every second one), the five of ハ and ウ; their voiced forms
// follow them, ヴ excepted.
bool Voices(char32_t kana) {
  if (kana >= 0x30AB && kana <= 0x30C1) return (kana - 0x30AB) % 2 == 0;
  if (kana >= 0x30C4 && kana <= 0x30C8) return (kana - 0x30C4) % 2 == 0;
  return SemiVoices(kana) || kana == 0x30A6;
}

// A kana followed by a voicing mark becomes the voiced kana: ｶﾞ, カ゛ and ガ alike.
bool Compose(std::u32string& out, char32_t mark) {
  if (out.empty()) return false;
  char32_t& last = out.back();
  if (mark == kVoiced && Voices(last)) {
    last = last == 0x30A6 ? 0x30F4 : last + 1;
    return true;
  }
  if (mark == kSemiVoiced && SemiVoices(last)) {
    last += 2;
    return true;
  }
  return false;
}

}  // namespace

std::string SearchForm(std::string_view text) {
  std::u32string folded;
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    if (c < 0x80) {
      folded += Fold(c);
      continue;
    }
    c = Fold(c);
    if ((c == kVoiced || c == kSemiVoiced) && Compose(folded, c)) continue;
    folded += c;
  }
  std::string out;
  out.reserve(text.size());
  for (char32_t c : folded) AppendCodePoint(out, c);
  return out;
}

}  // namespace core
