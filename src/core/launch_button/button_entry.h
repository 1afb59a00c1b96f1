#pragma once

#include <optional>
#include <string>

#include "launch_button/launch_button.h"

namespace core {

// What a launch button holds, as a value: what a page data file stores for it, what
// the clipboard keeps of it.
struct ButtonEntry {
  std::string title, path, dir, option, iconPath;
  // Nothing: a stored state that names none, which leaves a button's state as it is.
  std::optional<TProgState> state = TProgState::psNormal;
  int iconNo = 0;
  bool isIconSmall = false;
  // A key of its own in the hot key text form (empty: none), whether that key switches
  // to the program when it runs, and the pause after its start in a page started in
  // order (milliseconds).
  std::string hotKey;
  bool switchIfRunning = false;
  int startDelay = 0;
  bool Empty() const { return path.empty(); }
  friend bool operator==(const ButtonEntry&, const ButtonEntry&) = default;
};

ButtonEntry EntryOf(const TLaunchButton& button);
// Gives the button the entry's values, the path last so that its glyph is drawn from
// the values before it; the selection mark (isIconSmall) only when `withMark`.
void ShowEntry(TLaunchButton& button, const ButtonEntry& entry, bool withMark);
// Empties the button, the path first: nothing is drawn for the values that follow.
// The selection mark stays.
void ClearEntry(TLaunchButton& button);

}  // namespace core
