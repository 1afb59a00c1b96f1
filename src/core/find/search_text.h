#pragma once

#include <string>
#include <string_view>

namespace core {

// The form in which typed text and button titles are compared: letter case, half-width
// and full-width forms (ｱ and ア, Ａ and A, ｶﾞ and ガ) and hiragana and katakana make
// no difference. UTF-8 in and out; bytes that are no UTF-8 stay as they are.
std::string SearchForm(std::string_view text);

// Whether `text` holds `query`, both in search form.
inline bool Holds(std::string_view text, std::string_view query) { return text.find(query) != std::string_view::npos; }

}  // namespace core
