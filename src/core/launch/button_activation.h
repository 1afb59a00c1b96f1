#pragma once

#include <cstdint>
#include <string>

#include "launch/page_navigator.h"
#include "launch/running_marks.h"
#include "launch/user_keys.h"
#include "launch/window_display.h"
#include "launch_button/launch_button.h"
#include "ports/prompter.h"
#include "ports/sound.h"
#include "storage/settings_file.h"

namespace core {

// Activating a launch button, the one way every caller takes: a click on the button,
// a click from the keyboard, Enter in the find box, a start key. In this order: with
// Shift alone, a button whose program shows a window brings that window forward
// instead of anything else; otherwise the start sound when the page's file holds the
// button's program and the option asks for it, then the start (Ctrl+Shift: as
// administrator) with a look for the program's window a moment later; last, hiding
// the window after a start or a switch when the option asks for it (a hidden window
// stays hidden).
class ButtonActivation {
 public:
  ButtonActivation(const PageNavigator& navigator, const PageStore& pages, RunningMarks& marks, WindowDisplay& display,
                   Sound& sound, const LaunchButtonPorts& ports, const Options& options, std::string startSound)
      : navigator_(navigator),
        pages_(pages),
        marks_(marks),
        display_(display),
        sound_(sound),
        ports_(ports),
        options_(options),
        startSound_(std::move(startSound)) {}

  // The wav file a start plays.
  const std::string& StartSoundPath() const { return startSound_; }

  // A button shown, with its window as the owner of the start.
  void Activate(const TLaunchButton& button, const Activation& how);
  // A button's own key, on button k of a page as its file holds it: a click on it, but
  // with SwitchIfRunning a window of its program, looked for now, is brought forward
  // instead. `owner`: the launcher window.
  void ActivateByKey(const PressedKey& pressed, std::uintptr_t owner);
  // An installed program started from the find box as a button holding it would start:
  // the sound when the option asks for it, the start (Ctrl+Shift: as administrator),
  // hiding after it (a hidden window stays hidden). `owner`: the launcher window.
  void StartProgram(const ButtonEntry& entry, ShiftState shift, std::uintptr_t owner);
  // A file or folder chosen in a folder button's menu, by its own path, as a button
  // holding it would start (the sound, Ctrl+Shift as administrator, hiding).
  void StartFolderItem(const std::string& path, ShiftState shift, std::uintptr_t owner);
  // The start step of a page started in order, with the process to wait for.
  WatchedStart StartWatched(const ButtonEntry& entry, std::uintptr_t owner);
  // A program of a run that runs already comes forward instead of starting again.
  bool BringToFront(const ButtonEntry& entry) { return marks_.BringToFront(entry); }
  // The start step alone, which the page launches share: false for an empty entry, and
  // for a start as administrator of what cannot have one (an address, a packaged
  // app), which says so.
  bool Start(const ButtonEntry& entry, bool elevated, std::uintptr_t owner);
  // What follows several starts at once: the sound once, then hiding once; a window
  // hidden by now is shown again unless `onlyHide`.
  void AfterStarts(bool onlyHide = false);

 private:
  void Activate(int k, const ButtonEntry& entry, bool running, const Activation& how, std::uintptr_t owner);
  void LaunchButtonOnClick(int k);
  // Refuses, with a notice naming `name`, a start as administrator of what cannot have one.
  bool RefusesElevation(const std::string& stored, const std::string& name, bool elevated);
  void HideAfterStart(bool onlyHide);

  const PageNavigator& navigator_;
  const PageStore& pages_;
  RunningMarks& marks_;
  WindowDisplay& display_;
  Sound& sound_;
  LaunchButtonPorts ports_;
  const Options& options_;
  std::string startSound_;
};

}  // namespace core
