#include "launch/user_options.h"

#include "components/tray_icon.h"
#include "components/wait_hot_key.h"
#include "error.h"

namespace core {

UserOptions::~UserOptions() {
  if (trayIcon_) trayIcon_->OnClick = nullptr;
  if (waitHotKey_) waitHotKey_->OnCatchHotKey = nullptr;
}

void UserOptions::SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey) {
  trayIcon_ = trayIcon;
  waitHotKey_ = waitHotKey;
  if (trayIcon_) trayIcon_->OnClick = [this](TTrayIcon&) { display_.TrayIcon1Click(); };
  if (waitHotKey_) waitHotKey_->OnCatchHotKey = [this](TWaitHotKey&) { HotKeyToggle(); };
}

// Shown by the key, the window takes the keyboard on a launch button: the first that
// holds a program, else the first.
void UserOptions::HotKeyToggle() {
  display_.TrayIcon1Click();
  if (!view_.IsWindowShown()) return;
  int k = 1;
  while (k < kLaunchButtonCount && buttons_[static_cast<size_t>(k - 1)]->Entry().Empty()) ++k;
  view_.FocusLaunchButton(buttons_[static_cast<size_t>(k - 1)]->Entry().Empty() ? 1 : k);
}

std::optional<KeyCombo> UserOptions::ShowHideKey() const {
  return options_.Hot > 0 ? KeyComboOf(options_.HotKey) : std::nullopt;
}

void UserOptions::Use(const Options& options) {
  options_ = options;
  ColorChange(view_, options_.FormColor);
  keys_.LetGoForShowHideKey(ShowHideKey());
  UseComponentOptions();
  keys_.PagesChanged();
}

void UserOptions::UseComponentOptions() {
  if (trayIcon_) trayIcon_->SetVisible(options_.Tray > 0);
  if (!waitHotKey_) return;
  if (options_.Hot <= 0) {
    // Switched off, the key is withdrawn from the system, so that other programs may
    // have the combination.
    waitHotKey_->SetEnabled(false);
    waitHotKey_->UnregisterKey();
    return;
  }
  waitHotKey_->SetEnabled(true);
  waitHotKey_->SetHotKey(options_.HotKey);
  waitHotKey_->RegisterKey();
}

bool UserOptions::ApplyOptions(const Options& options) {
  const int n = current_.UserNo;
  if (!Reporting(prompter_, [&] { settings_.SaveOptions(n, options); })) return false;
  Reporting(prompter_, [&] { Load(n); });
  return true;
}

}  // namespace core
