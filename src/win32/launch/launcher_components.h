#pragma once

#include <memory>

#include "base/handles.h"
#include "components/tray_icon_window.h"
#include "components/wait_hot_key_window.h"
#include "ports/prompter.h"
#include "storage/text_codec.h"

namespace win32 {

// The launcher window's components: the notification-area icon TrayIcon1 with its
// menu, and the hot key WaitHotKey1.
class LauncherComponents {
 public:
  // A hot key or an icon that cannot be had is reported, and the launcher runs
  // without it.
  void Create(HWND window, core::Prompter& prompter, const core::CodePage& codePage);
  // After the window's first paint: the icon's menu, and the icon goes into the tray.
  void CompleteStart();

  core::TWaitHotKey* WaitHotKey() { return hotKey_ ? &hotKey_->WaitHotKey() : nullptr; }
  core::TTrayIcon* TrayIcon() { return tray_ ? &tray_->TrayIcon() : nullptr; }
  HMENU TrayMenu() const { return trayMenu_.get(); }

 private:
  core::Prompter* prompter_ = nullptr;
  UniqueHmenu trayMenu_;
  // Gone before the menu they show.
  std::unique_ptr<HotKeyComponent> hotKey_;
  std::unique_ptr<TrayIconComponent> tray_;
};

}  // namespace win32
