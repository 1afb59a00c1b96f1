#include "launch_button/button_entry.h"

namespace core {

ButtonEntry EntryOf(const TLaunchButton& button) {
  return {button.ProgramTitle(),    button.ProgramPath(),     button.ProgramDir(),    button.ProgramOption(),
          button.ProgramIconPath(), button.ProgramState(),    button.ProgramIconNo(), button.IsIconSmall(),
          button.HotKey(),          button.SwitchIfRunning(), button.StartDelay()};
}

void ShowEntry(TLaunchButton& button, const ButtonEntry& entry, bool withMark) {
  button.SetProgramTitle(entry.title);
  button.SetProgramDir(entry.dir);
  if (entry.state) button.SetProgramState(*entry.state);
  button.SetProgramOption(entry.option);
  button.SetProgramIconPath(entry.iconPath);
  button.SetProgramIconNo(entry.iconNo);
  if (withMark) button.SetIsIconSmall(entry.isIconSmall);
  button.SetHotKey(entry.hotKey);
  button.SetSwitchIfRunning(entry.switchIfRunning);
  button.SetStartDelay(entry.startDelay);
  button.SetProgramPath(entry.path);
}

void ClearEntry(TLaunchButton& button) {
  button.SetProgramPath("");
  button.SetProgramTitle("");
  button.SetProgramDir("");
  button.SetProgramOption("");
  button.SetProgramIconPath("");
  button.SetProgramState(TProgState::psNormal);
  button.SetProgramIconNo(0);
  button.SetHotKey("");
  button.SetSwitchIfRunning(false);
  button.SetStartDelay(0);
}

}  // namespace core
