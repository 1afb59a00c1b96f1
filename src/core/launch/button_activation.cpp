#include "launch/button_activation.h"

#include "error.h"

namespace core {

void ButtonActivation::Activate(TLaunchButton& button, const Activation& how) {
  if (how.start && SwitchesToProgram(how.shift) && button.Running() && marks_.BringToFront(button)) {
    HideAfterStart(how.page != 0);
    return;
  }
  if (how.sound) LaunchButtonOnClick(button, how.page);
  if (how.start && Start(button, StartsElevated(how.shift))) HideAfterStart(how.page != 0);
}

bool ButtonActivation::Start(TLaunchButton& button, bool elevated, std::uintptr_t owner) {
  if (!button.Start(elevated, owner)) return false;
  marks_.Started();
  return true;
}

void ButtonActivation::ActivateByKey(std::shared_ptr<DetachedButton> held, int page) {
  const Activation how{{}, true, true, page};
  if (!held->Button().SwitchIfRunning()) {
    Activate(held->Button(), how);
    return;
  }
  marks_.SwitchTo(held->Button(), [this, held, how](bool switched) {
    if (switched)
      HideAfterStart(true);
    else
      Activate(held->Button(), how);
  });
}

WatchedStart ButtonActivation::StartWatched(TLaunchButton& button, std::uintptr_t owner) {
  WatchedStart start = button.StartWatched(owner);
  if (start.started) marks_.Started();
  return start;
}

void ButtonActivation::AfterStarts(bool onlyHide) {
  if (options_.Sound) sound_.PlayAsync(startSound_);
  HideAfterStart(onlyHide);
}

// The file is read afresh: a button whose program was never saved plays nothing. A
// file that cannot be read is shown, and the start goes on.
void ButtonActivation::LaunchButtonOnClick(const TLaunchButton& button, int page) {
  const std::string path = page == 0 ? navigator_.PageFilePath() : pages_.PathOf(navigator_.Current().UserName, page);
  Reporting(prompter_, [&] {
    if (pages_.Load(path).HoldsProgram(button.Number()) && options_.Sound) sound_.PlayAsync(startSound_);
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
