#include "launch/button_activation.h"

#include "error.h"
#include "launch/folder_menu.h"
#include "launch_button/launch_button_texts.h"
#include "launch_button/path_text.h"

namespace core {

void ButtonActivation::Activate(const TLaunchButton& button, const Activation& how) {
  Activate(button.Number(), button.Entry(), button.Running(), how, button.NativeHandle());
}

// A key's button was read from its page's file just now: that read says whether the
// file holds its program, for the sound.
void ButtonActivation::Activate(int k, const ButtonEntry& entry, bool running, const Activation& how,
                                std::uintptr_t owner) {
  if (how.start && SwitchesToProgram(how.shift) && running && marks_.BringToFront(entry)) {
    HideAfterStart(how.page != 0);
    return;
  }
  if (how.sound) {
    if (how.page == 0)
      LaunchButtonOnClick(k);
    else if (!entry.Empty() && options_.Sound)
      sound_.PlayAsync(startSound_);
  }
  if (how.start && Start(entry, StartsElevated(how.shift), owner)) HideAfterStart(how.page != 0);
}

bool ButtonActivation::RefusesElevation(const std::string& stored, const std::string& name, bool elevated) {
  if (!elevated || CanStartElevated(stored)) return false;
  ports_.prompter.ShowNotice(Format(texts::kCannotStartElevated, name));
  return true;
}

bool ButtonActivation::Start(const ButtonEntry& entry, bool elevated, std::uintptr_t owner) {
  if (entry.Empty() || RefusesElevation(entry.path, !entry.title.empty() ? entry.title : entry.path, elevated))
    return false;
  ports_.shell.Execute(StartRequestOf(entry, owner, elevated, ports_.paths));
  marks_.Started();
  return true;
}

void ButtonActivation::StartFolderItem(const std::string& path, ShiftState shift, std::uintptr_t owner) {
  if (options_.Sound) sound_.PlayAsync(startSound_);
  const bool elevated = StartsElevated(shift);
  if (RefusesElevation(path, ExtractFileName(path), elevated)) return;
  ports_.shell.Execute(FolderItemRequest(path, owner, elevated, ports_.paths.probe));
  marks_.Started();
  HideAfterStart(true);
}

void ButtonActivation::ActivateByKey(const PressedKey& pressed, std::uintptr_t owner) {
  const Activation how{{}, true, true, pressed.page};
  if (!pressed.entry.switchIfRunning) {
    Activate(pressed.k, pressed.entry, false, how, owner);
    return;
  }
  marks_.SwitchTo(pressed.entry, [this, pressed, how, owner](bool switched) {
    if (switched)
      HideAfterStart(true);
    else
      Activate(pressed.k, pressed.entry, false, how, owner);
  });
}

void ButtonActivation::StartProgram(const ButtonEntry& entry, ShiftState shift, std::uintptr_t owner) {
  if (options_.Sound) sound_.PlayAsync(startSound_);
  if (Start(entry, StartsElevated(shift), owner)) HideAfterStart(true);
}

WatchedStart ButtonActivation::StartWatched(const ButtonEntry& entry, std::uintptr_t owner) {
  if (entry.Empty()) return {};
  WatchedStart start = ports_.shell.ExecuteWatched(StartRequestOf(entry, owner, false, ports_.paths));
  if (start.started) marks_.Started();
  return start;
}

void ButtonActivation::AfterStarts(bool onlyHide) {
  if (options_.Sound) sound_.PlayAsync(startSound_);
  HideAfterStart(onlyHide);
}

// The file is read afresh: a button whose program was never saved plays nothing. A
// file that cannot be read is shown, and the start goes on.
void ButtonActivation::LaunchButtonOnClick(int k) {
  Reporting(ports_.prompter, [&] {
    if (pages_.Load(navigator_.PageFilePath()).HoldsProgram(k) && options_.Sound) sound_.PlayAsync(startSound_);
  });
}

void ButtonActivation::HideAfterStart(bool onlyHide) {
  if (!options_.BtnClk) return;
  if (onlyHide)
    display_.Hide();
  else
    display_.TrayIcon1Click();
}

}  // namespace core
