#include "launch/launcher_commands.h"

#include <algorithm>

#include "launch/launcher.h"

namespace core {

using namespace command;

// The commands of the window, each handed to the part whose subject it is; a
// navigation button runs the same as its menu item, and the tray menu's items the same
// as the main menu's. Exit is not among them: it closes the window as the close box
// does. The version dialog takes the panel colour.
const LauncherCommand TLauncher::kCommands[] = {
    {kFastTopButton, false, [](TLauncher& l) { l.navigator_.FastTopButtonClick(); }},
    {kFastBwdButton, false, [](TLauncher& l) { l.navigator_.FastBwdButtonClick(); }},
    {kBwdButton, false, [](TLauncher& l) { l.navigator_.BwdButtonClick(); }},
    {kFwdButton, false, [](TLauncher& l) { l.navigator_.FwdButtonClick(); }},
    {kFastFwdButton, false, [](TLauncher& l) { l.navigator_.FastFwdButtonClick(); }},
    {kFastFinalButton, false, [](TLauncher& l) { l.navigator_.FastFinalButtonClick(); }},
    {kFastTop, false, [](TLauncher& l) { l.navigator_.FastTopButtonClick(); }},
    {kFastBwd, false, [](TLauncher& l) { l.navigator_.FastBwdButtonClick(); }},
    {kBwd, false, [](TLauncher& l) { l.navigator_.BwdButtonClick(); }},
    {kFwd, false, [](TLauncher& l) { l.navigator_.FwdButtonClick(); }},
    {kFastFwd, false, [](TLauncher& l) { l.navigator_.FastFwdButtonClick(); }},
    {kFastFinal, false, [](TLauncher& l) { l.navigator_.FastFinalButtonClick(); }},
    {kHelpOpen, true, [](TLauncher& l) { l.mHelpOpenClick(); }},
    {kTrayHelp, true, [](TLauncher& l) { l.mHelpOpenClick(); }},
    {kList, true, [](TLauncher& l) { l.OpenDialog(&LauncherDialogs::OpenPageList); }},
    {kUser, true, [](TLauncher& l) { l.OpenDialog(&LauncherDialogs::OpenUsers); }},
    {kOption, true, [](TLauncher& l) { l.OpenDialog(&LauncherDialogs::OpenOptions); }},
    {kVersion, true,
     [](TLauncher& l) { l.OpenDialog(&LauncherDialogs::OpenVersion, l.options_.CurrentOptions().FormColor); }},
    {kTrayVersion, true,
     [](TLauncher& l) { l.OpenDialog(&LauncherDialogs::OpenVersion, l.options_.CurrentOptions().FormColor); }},
    {kDelete, true, [](TLauncher& l) { l.navigator_.mDeleteClick(); }},
    {kCut1, true, [](TLauncher& l) { l.editor_.Cut1Click(); }},
    {kCopy1, true, [](TLauncher& l) { l.editor_.Copy1Click(); }},
    {kPaste1, true, [](TLauncher& l) { l.editor_.Paste1Click(); }},
    {kDelete1, true, [](TLauncher& l) { l.editor_.Delete1Click(); }},
    {kSelect1, true, [](TLauncher& l) { l.editor_.Select1Click(); }},
    {kChoice, true, [](TLauncher& l) { l.editor_.Choice1Click(); }},
    {kAllStart, true, [](TLauncher& l) { l.editor_.pAllStartClick(); }},
    {kInOrder, true, [](TLauncher& l) { l.editor_.pInOrderClick(); }},
    {kFind, true, [](TLauncher& l) { l.desktop_.mFindClick(); }},
    {kScreen, true, [](TLauncher& l) { l.desktop_.pScreenClick(); }},
    {kCloseFolder, true, [](TLauncher& l) { l.desktop_.pCloseFolderClick(); }},
    {kCloseIE, true, [](TLauncher& l) { l.desktop_.pCloseIEClick(); }},
    {kCloseAll, true, [](TLauncher& l) { l.desktop_.pCloseAllClick(); }},
    {kWholly, true, [](TLauncher& l) { l.desktop_.pWhollyClick(); }},
    {kWindowsExit, true, [](TLauncher& l) { l.desktop_.pWindowsExitClick(); }},
    {kWindowsReboot, true, [](TLauncher& l) { l.desktop_.pWindowsRebootClick(); }},
    {kWindowsLogoff, true, [](TLauncher& l) { l.desktop_.pWindowsLogoffClick(); }},
};

void TLauncher::Command(int id, const std::function<void()>& completeStart) {
  const auto command = std::ranges::find(kCommands, id, &LauncherCommand::id);
  if (command == std::end(kCommands)) return;
  if (command->needsStart && completeStart) completeStart();
  command->run(*this);
}

}  // namespace core
