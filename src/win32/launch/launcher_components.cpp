#include "launch/launcher_components.h"

#include "base/menus.h"
#include "error.h"
#include "launch/launcher_menus.h"
#include "launch/launcher_texts.h"

namespace win32 {

void LauncherComponents::Create(HWND window, core::Prompter& prompter, const core::CodePage& codePage) {
  prompter_ = &prompter;
  core::Reporting(prompter, [&] { hotKey_ = std::make_unique<HotKeyComponent>(prompter); });
  core::Reporting(prompter, [&] {
    tray_ = std::make_unique<TrayIconComponent>(window, codePage);
    core::TTrayIcon& icon = tray_->TrayIcon();
    // The icon takes its values now and goes into the tray just after the window's
    // first paint: nobody can tell, and the window shows sooner.
    icon.BeginLoad();
    icon.SetTipHelp(core::texts::kApplicationTitle);
    // The menu's items are chosen with the left button once it is open.
    tray_->SetOnMenuPopup([this](HMENU) { tray_->SetMenuTrackFlags(TPM_LEFTBUTTON); });
  });
}

void LauncherComponents::CompleteStart() {
  trayMenu_.reset(BuildMenu(launcher::PopupMenuTrayIcon(), true));
  if (!tray_) return;
  tray_->SetPopupMenu(trayMenu_.get());
  core::Reporting(*prompter_, [&] { tray_->TrayIcon().Loaded(); });
}

}  // namespace win32
