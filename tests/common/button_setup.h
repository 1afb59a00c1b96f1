#pragma once

#include <string>
#include <utility>

#include "launch_button/launch_button.h"

namespace testing_support {

// A button given one value but its path: kept, shown as it is until the next path.
template <typename T, typename V>
void Set(core::TLaunchButton& button, T core::ButtonEntry::*field, V&& value) {
  core::ButtonEntry entry = button.Entry();
  entry.*field = std::forward<V>(value);
  button.Keep(entry);
}
// A button given a path: the entry shown, its glyph drawn anew; an empty path empties it.
inline void SetPath(core::TLaunchButton& button, const std::string& path) {
  core::ButtonEntry entry = button.Entry();
  entry.path = path;
  button.Show(entry);
}

}  // namespace testing_support
