#pragma once

#include <optional>
#include <string>

#include "components/key_combo.h"
#include "launch/launcher_settings.h"
#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch/user_keys.h"
#include "launch/window_display.h"
#include "launch_button/launch_button.h"
#include "option/option_host.h"
#include "ports/prompter.h"

namespace core {

class TTrayIcon;
class TWaitHotKey;

// The current user's options and what follows them: the panel colour, the tray icon
// TrayIcon1 and the show/hide key WaitHotKey1 (both toggle the window), which the
// buttons' own keys give way to. It is the options dialog's host.
class UserOptions final : public OptionHost {
 public:
  UserOptions(LauncherView& view, const LaunchButtons& buttons, LauncherSettings& settings, UserKeys& keys,
              WindowDisplay& display, const CurrentPage& current, Prompter& prompter, std::string startSound)
      : view_(view),
        buttons_(buttons),
        settings_(settings),
        keys_(keys),
        display_(display),
        current_(current),
        prompter_(prompter),
        startSound_(std::move(startSound)) {}
  // The components outlive the options: their events let go of them.
  ~UserOptions() override;
  UserOptions(const UserOptions&) = delete;
  UserOptions& operator=(const UserOptions&) = delete;

  // The components, which the options switch on and off.
  void SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey);
  // User n's options, as the settings file holds them.
  void Load(int n) { Use(settings_.OptionsOf(n)); }
  // The show/hide key and a button's key never hold one combination at once: the
  // buttons let go of the old and the new show/hide key before it changes, and take
  // what is free after.
  void Use(const Options& options);
  void UseComponentOptions();

  // OptionHost.
  const Options& CurrentOptions() const override { return options_; }
  bool ApplyOptions(const Options& options) override;
  std::string ToDir() const override { return settings_.ToDir(); }
  std::string StartSoundPath() const override { return startSound_; }

 private:
  void HotKeyToggle();
  std::optional<KeyCombo> ShowHideKey() const;

  LauncherView& view_;
  const LaunchButtons& buttons_;
  LauncherSettings& settings_;
  UserKeys& keys_;
  WindowDisplay& display_;
  const CurrentPage& current_;
  Prompter& prompter_;
  std::string startSound_;
  Options options_;
  TTrayIcon* trayIcon_ = nullptr;
  TWaitHotKey* waitHotKey_ = nullptr;
};

}  // namespace core
