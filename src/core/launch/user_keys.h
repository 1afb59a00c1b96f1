#pragma once

#include <optional>
#include <string>

#include "components/key_combo.h"
#include "launch/button_keys.h"
#include "launch/page_navigator.h"
#include "launch/page_store.h"
#include "launch_button/launch_button.h"
#include "ports/failure_log.h"
#include "ports/prompter.h"

namespace core {

// A button's own key that was pressed: the button as its page's file holds it now.
struct PressedKey {
  int page = 0, k = 0;
  ButtonEntry entry;
};

// The buttons' own keys of the current user, as that user's pages hold them: they
// follow one signal, PagesChanged, which whatever changes the pages raises (a saved
// button, deleted page data, another user, another page count, a page written
// elsewhere). No button has the show/hide key. What could not be had is told once and
// shown in the buttons' names.
class UserKeys {
 public:
  UserKeys(const PageStore& pages, const CurrentPage& current, LaunchButtons& buttons, Prompter& prompter,
           FailureLog& log);

  // Without a port nothing is registered; with one, the keys are registered at once.
  void SetPort(GlobalKeys* keys);
  void PagesChanged();
  // The show/hide key becomes `next`: every button lets go of it and of the old one
  // before the system is told (Flush); PagesChanged then takes what is free after.
  void LetGoForShowHideKey(std::optional<KeyCombo> next);
  // The button a pressed key's identifier names, as its page's file holds it now;
  // nothing when no button has that key there any more (a dialog or menu held the
  // change back), and then the keys follow the pages as they are.
  std::optional<PressedKey> Pressed(int id);
  // Why the text cannot be button k's key on the page shown; empty when it can.
  std::string Refusal(int k, const std::string& text) const;
  // The buttons shown say whether their key could be had.
  void ShowStates();

 private:
  // Without the show/hide key and `alsoReserved`; false when nothing could be read.
  bool Register(std::optional<KeyCombo> alsoReserved);
  void TellProblems();

  const PageStore& pages_;
  const CurrentPage& current_;
  LaunchButtons& buttons_;
  Prompter& prompter_;
  FailureLog& log_;
  std::optional<KeyCombo> showHide_;
  ButtonHotKeys keys_;
};

}  // namespace core
