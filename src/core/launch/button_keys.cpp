#include "launch/button_keys.h"

#include <algorithm>

#include "error.h"
#include "launch/button_keys_texts.h"
#include "launch_button/path_text.h"
#include "ports/hot_key_registrar.h"

namespace core {
namespace {

constexpr int kF12 = 123;

// Each "%s" of the pattern in turn, in one pass: a value that holds "%s" itself (a
// title) stays as it is.
std::string Put(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  auto value = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.substr(i, 2) == "%s" && value != values.end()) {
      text += *value++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::string TitleOf(const ButtonEntry& entry) {
  return !entry.title.empty() ? entry.title : ExtractFileName(entry.path);
}

struct Holder {
  int page, k;
  KeyCombo key;
};

}  // namespace

std::string KeyRuleRefusal(std::string_view text) {
  if (NamesNoKey(text)) return {};
  const std::optional<KeyCombo> key = KeyComboOf(text);
  if (!key) return Format(texts::kKeyUnreadable, text);
  if (!(key->modifiers & (kModControl | kModAlt | kModWin))) return texts::kKeyWithoutModifier;
  if (key->code == kF12) return texts::kKeyF12;
  if ((key->modifiers & kModWin) && key->code >= '0' && key->code <= '9') return texts::kKeyWindowsDigit;
  return {};
}

std::optional<KeyedButton> HolderOf(const std::vector<Page>& pages, const KeyCombo& key, int page, int k) {
  for (size_t p = 0; p < pages.size(); ++p)
    for (int j = 1; j <= kLaunchButtonCount; ++j) {
      const ButtonEntry& entry = pages[p].buttons[static_cast<size_t>(j - 1)];
      if (entry.Empty() || (static_cast<int>(p) + 1 == page && j == k)) continue;
      if (KeyComboOf(entry.hotKey) == key) return KeyedButton{static_cast<int>(p) + 1, j, TitleOf(entry)};
    }
  return std::nullopt;
}

std::string KeyRefusal(std::string_view text, const std::vector<Page>& pages, int page, int k,
                       std::optional<KeyCombo> showHide) {
  if (std::string why = KeyRuleRefusal(text); !why.empty()) return why;
  const std::optional<KeyCombo> key = KeyComboOf(text);
  if (!key) return {};
  if (key == showHide) return Format(texts::kKeyIsShowHide, KeyComboText(*key));
  const std::optional<KeyedButton> holder = HolderOf(pages, *key, page, k);
  if (!holder) return {};
  return Put(texts::kKeyTaken, {KeyComboText(*key), std::to_string(holder->page), holder->title});
}

void ButtonHotKeys::Use(const std::vector<Page>& pages, const std::vector<KeyCombo>& reserved) {
  std::map<int, KeyCombo> wanted;
  std::map<int, std::string> held;  // the notice's line of each, should the system refuse it
  std::map<KeyCombo, KeyedButton> first;
  problems_.clear();
  for (size_t p = 0; p < pages.size(); ++p)
    for (int k = 1; k <= kLaunchButtonCount; ++k) {
      const ButtonEntry& entry = pages[p].buttons[static_cast<size_t>(k - 1)];
      if (entry.Empty() || NamesNoKey(entry.hotKey)) continue;
      const int page = static_cast<int>(p) + 1, id = IdOf(page, k);
      const auto lineOf = [&](std::string_view why) {
        return Put(texts::kKeyLine, {entry.hotKey, std::to_string(page), TitleOf(entry), why});
      };
      const auto line = [&](std::string_view why) { problems_[id] = lineOf(why); };
      const std::optional<KeyCombo> key = KeyComboOf(entry.hotKey);
      if (!key) {
        line(texts::kKeyNotAKey);
      } else if (std::find(reserved.begin(), reserved.end(), *key) != reserved.end()) {
        line(texts::kKeySameAsShowHide);
      } else if (auto [at, added] = first.try_emplace(*key, KeyedButton{page, k, TitleOf(entry)}); !added) {
        line(Put(texts::kKeyDuplicate, {std::to_string(at->second.page), at->second.title}));
      } else {
        wanted[id] = *key;
        held[id] = lineOf(texts::kKeyHeldElsewhere);
      }
    }
  if (!keys_) return;
  std::vector<int> withdrawn;
  std::vector<KeyRegistration> added;
  std::map<int, KeyCombo> asked;
  for (auto it = registered_.begin(); it != registered_.end();) {
    auto want = wanted.find(it->first);
    if (want != wanted.end() && want->second == it->second) {
      ++it;
      continue;
    }
    withdrawn.push_back(it->first);
    it = registered_.erase(it);
  }
  for (const auto& [id, key] : wanted)
    if (registered_.emplace(id, key).second) {
      added.push_back({id, key.modifiers, key.code});
      asked.emplace(id, key);
    }
  if (withdrawn.empty() && added.empty()) return;
  keys_->Change(withdrawn, added, [this, alive = lifetime_.Watch(), asked, held](const std::vector<int>& refused) {
    if (alive.Alive()) Refuse(refused, asked, held);
  });
}

// An answer may come after a later change gave the identifier to another key: that
// registration stands, and what was refused is no longer wanted.
void ButtonHotKeys::Refuse(const std::vector<int>& ids, const std::map<int, KeyCombo>& asked,
                           const std::map<int, std::string>& lines) {
  bool told = false;
  for (int id : ids) {
    auto now = registered_.find(id);
    auto was = asked.find(id);
    if (now == registered_.end() || was == asked.end() || now->second != was->second) continue;
    registered_.erase(now);
    if (auto line = lines.find(id); line != lines.end()) problems_[id] = line->second;
    told = true;
  }
  if (told && OnRefused) OnRefused();
}

void ButtonHotKeys::WithdrawAll() {
  std::vector<int> withdrawn;
  for (const auto& [id, key] : registered_) withdrawn.push_back(id);
  registered_.clear();
  if (keys_ && !withdrawn.empty()) keys_->Change(withdrawn, {}, nullptr);
}

std::optional<std::pair<int, int>> ButtonHotKeys::ButtonOf(int id) const {
  if (!registered_.count(id)) return std::nullopt;
  return std::pair{id / 16, id % 16};
}

std::optional<KeyCombo> ButtonHotKeys::KeyOf(int id) const {
  auto it = registered_.find(id);
  return it == registered_.end() ? std::nullopt : std::optional<KeyCombo>(it->second);
}

std::string ButtonHotKeys::TakeNotice() {
  std::string lines;
  for (const auto& [id, line] : problems_)
    if (told_.insert(line).second) lines += "\r\n" + line;
  return lines.empty() ? lines : texts::kKeysNotRegistered + ("\r\n" + lines);
}

}  // namespace core
