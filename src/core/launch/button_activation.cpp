#include "launch/button_activation.h"

#include "error.h"

namespace core {

void ButtonActivation::Activate(TLaunchButton& button, const Activation& how) {
  if (how.start && SwitchesToProgram(how.shift) && button.Running() && marks_.BringToFront(button)) {
    HideAfterStart();
    return;
  }
  if (how.sound) LaunchButtonOnClick(button);
  if (how.start && Start(button, StartsElevated(how.shift))) HideAfterStart();
}

bool ButtonActivation::Start(TLaunchButton& button, bool elevated, std::uintptr_t owner) {
  if (!button.Start(elevated, owner)) return false;
  marks_.Started();
  return true;
}

void ButtonActivation::AfterStarts() {
  if (options_.Sound) sound_.PlayAsync(startSound_);
  HideAfterStart();
}

// The file is read afresh: a button whose program was never saved plays nothing. A
// file that cannot be read is shown, and the start goes on.
void ButtonActivation::LaunchButtonOnClick(const TLaunchButton& button) {
  Reporting(prompter_, [&] {
    if (pages_.Load(navigator_.PageFilePath()).HoldsProgram(button.Number()) && options_.Sound)
      sound_.PlayAsync(startSound_);
  });
}

void ButtonActivation::HideAfterStart() {
  if (options_.BtnClk) display_.TrayIcon1Click();
}

}  // namespace core
