#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "launch_button/target_path.h"
#include "ports/shell.h"

namespace core {

enum class TProgState { psNormal = 0, psMinimized = 1, psMaximized = 2 };

// The show command the shell gets for a start state.
int ShowCommandOf(TProgState state);

// The launch buttons of a page, LaunchButton1 to LaunchButton10.
inline constexpr int kLaunchButtonCount = 10;
// The longest pause after a start in a page started in order, in milliseconds.
inline constexpr int kLongestStartDelay = 60000;

// What a launch button holds, as a value: what a page data file stores for it, what
// the clipboard keeps of it, what the settings dialog edits, what a start is made of.
struct ButtonEntry {
  std::string title, path, dir, option, iconPath;
  // Nothing: a stored state that names none, which leaves a button's state as it is.
  std::optional<TProgState> state = TProgState::psNormal;
  int iconNo = 0;
  bool isIconSmall = false;  // the selection mark: left out of "start the selected"
  // A key of its own in the hot key text form (empty: none), whether that key switches
  // to the program when it runs, and the pause after its start in a page started in
  // order (milliseconds).
  std::string hotKey;
  bool switchIfRunning = false;
  int startDelay = 0;
  // A click opens a menu of what its folder holds instead of the folder.
  bool folderMenu = false;
  bool Empty() const { return path.empty(); }
  friend bool operator==(const ButtonEntry&, const ButtonEntry&) = default;
};

// Whether a click opens a menu of the entry's folder: the setting is on and its path is
// a path of the file system (whether that is a folder is known once it is read).
bool OffersFolderMenu(const ButtonEntry& entry);

// What an emptied button holds: nothing but its selection mark, which stays.
ButtonEntry EmptiedEntry(const ButtonEntry& entry);

// Where the entry's stored paths lead now (the stored texts stay as they are).
StartPaths StartPathsOf(const ButtonEntry& entry, const PathPorts& ports);
// The shell's request that starts the entry's program, with `owner` as its window;
// as administrator, a program on a mapped drive is started by its network path.
ShellRequest StartRequestOf(const ButtonEntry& entry, std::uintptr_t owner, bool elevated, const PathPorts& ports);

}  // namespace core
