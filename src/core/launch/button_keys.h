#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "components/key_combo.h"
#include "launch/page_file.h"
#include "launch/page_store.h"
#include "lifetime.h"
#include "ports/global_keys.h"

namespace core {

// Why a typed key text cannot be a button's key whatever the other buttons hold: it
// is no key, it has neither Ctrl, Alt nor Windows, it is F12 (the system keeps it for
// debuggers) or Windows+digit (the taskbar's); empty when it can, and for no key.
std::string KeyRuleRefusal(std::string_view text);

// A button that holds a key, for messages: its page, number and title (else its
// program's file name).
struct KeyedButton {
  int page = 0, button = 0;
  std::string title;
};

// The button of `pages` (page p is entry p - 1) other than button k of page `page`
// that holds the key; nothing when none does.
std::optional<KeyedButton> HolderOf(const std::vector<Page>& pages, const KeyCombo& key, int page, int k);

// Why a key text cannot be button k of `page`'s key: the rules, the show/hide key,
// another button of `pages` that has it; empty when it can.
std::string KeyRefusal(std::string_view text, const std::vector<Page>& pages, int page, int k,
                       std::optional<KeyCombo> showHide);

// The own keys of the buttons of every page of the current user, registered while
// the program runs. Of two buttons with the same key the first in page and button
// order has it; a button whose key is the show/hide key has none. What could not be
// had is told once in a notice, and kept for the buttons' names.
class ButtonHotKeys {
 public:
  ButtonHotKeys() = default;
  // Answers still on their way find nobody.
  ~ButtonHotKeys() { WithdrawAll(); }
  ButtonHotKeys(const ButtonHotKeys&) = delete;
  ButtonHotKeys& operator=(const ButtonHotKeys&) = delete;

  // Without it nothing is registered.
  void SetPort(GlobalKeys* keys) {
    WithdrawAll();
    keys_ = keys;
  }
  bool HasPort() const { return keys_ != nullptr; }
  // Registers the keys of these pages. Only what changed since the last call is
  // withdrawn and registered again, withdrawals first, so that a key that moved to
  // another button is free for it; a key the system refused is tried again, and
  // OnRefused follows when it is refused again.
  // `reserved`: keys of the program's own (the show/hide key) that no button has.
  void Use(const std::vector<Page>& pages, const std::vector<KeyCombo>& reserved);
  // Returns once the system has every registration and withdrawal asked for.
  void Flush() {
    if (keys_) keys_->Flush();
  }
  // Every registration withdrawn: at exit, or before the keys of another user.
  void WithdrawAll();
  // The page and button of a pressed key's identifier; nothing for one not given out.
  std::optional<std::pair<int, int>> ButtonOf(int id) const;
  // The key registered under the identifier; nothing for one not given out.
  std::optional<KeyCombo> KeyOf(int id) const;
  // The button holds a key that it does not have.
  bool Refused(int page, int k) const {
    return page >= 1 && page <= PageStore::kLastPage && problems_.count(IdOf(page, k)) != 0;
  }
  // The keys that could not be had and were not told yet, a line each after a head;
  // empty when there are none.
  std::string TakeNotice();

  std::function<void()> OnRefused;

 private:
  static int IdOf(int page, int k) { return page * 16 + k; }

  void Refuse(const std::vector<int>& ids, const std::map<int, KeyCombo>& asked,
              const std::map<int, std::string>& lines);

  GlobalKeys* keys_ = nullptr;
  std::map<int, KeyCombo> registered_;   // asked for, and not refused
  std::map<int, std::string> problems_;  // identifier -> the notice's line
  std::set<std::string> told_;
  Lifetime lifetime_;
};

}  // namespace core
