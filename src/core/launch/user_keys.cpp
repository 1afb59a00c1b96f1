#include "launch/user_keys.h"

#include "error.h"

namespace core {

UserKeys::UserKeys(const PageStore& pages, const CurrentPage& current, LaunchButtons& buttons, Prompter& prompter,
                   FailureLog& log)
    : pages_(pages), current_(current), buttons_(buttons), prompter_(prompter), log_(log) {
  keys_.OnRefused = [this] { TellProblems(); };
}

void UserKeys::SetPort(GlobalKeys* keys) {
  keys_.SetPort(keys);
  PagesChanged();
}

void UserKeys::PagesChanged() {
  if (Register(std::nullopt)) TellProblems();
}

void UserKeys::LetGoForShowHideKey(std::optional<KeyCombo> next) {
  const std::optional<KeyCombo> before = showHide_;
  showHide_ = next;
  if (Register(before)) keys_.Flush();
}

// A page that cannot be read now keeps the keys as they were, until the next change.
bool UserKeys::Register(std::optional<KeyCombo> alsoReserved) {
  if (!keys_.HasPort()) return false;
  std::vector<KeyCombo> reserved;
  for (const auto& key : {showHide_, alsoReserved})
    if (key) reserved.push_back(*key);
  try {
    keys_.Use(pages_.ReadPages(current_.UserName, current_.PageNoControl), reserved);
  } catch (const Error& e) {
    log_.Failure("registering the buttons' keys", e.what());
    return false;
  }
  return true;
}

void UserKeys::TellProblems() {
  ShowStates();
  if (const std::string notice = keys_.TakeNotice(); !notice.empty()) prompter_.ShowNotice(notice);
}

void UserKeys::ShowStates() {
  for (int k = 1; k <= kLaunchButtonCount; ++k)
    buttons_[static_cast<size_t>(k - 1)]->SetHotKeyRefused(keys_.Refused(current_.PageNo, k));
}

std::optional<PressedKey> UserKeys::Pressed(int id) {
  const auto place = keys_.ButtonOf(id);
  if (!place) return std::nullopt;
  PressedKey pressed{place->first, place->second,
                     pages_.Load(pages_.PathOf(current_.UserName, place->first)).Button(place->second)};
  if (!pressed.entry.Empty() && KeyComboOf(pressed.entry.hotKey) == keys_.KeyOf(id)) return pressed;
  PagesChanged();
  return std::nullopt;
}

// Pages that cannot be read now hold no key.
std::string UserKeys::Refusal(int k, const std::string& text) const {
  const std::vector<Page> none;
  const std::vector<Page>* pages = &none;
  try {
    pages = &pages_.ReadPages(current_.UserName, current_.PageNoControl);
  } catch (const Error& e) {
    log_.Failure("checking a button's key against the other pages", e.what());
  }
  return KeyRefusal(text, *pages, current_.PageNo, k, showHide_);
}

}  // namespace core
