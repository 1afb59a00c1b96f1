#pragma once

#include "base/window.h"
#include "launch/button_keys.h"
#include "launch/launcher.h"

namespace win32 {

// The buttons' own keys: a hidden window of their own that holds their registrations
// (each under the identifier the launcher gave it) and hands every press to the
// launcher, whatever the launcher window shows.
class ButtonKeysWindow : public Window<ButtonKeysWindow>, public core::GlobalKeys {
 public:
  ButtonKeysWindow();
  ~ButtonKeysWindow() override = default;

  void Serve(core::TLauncher* launcher) { launcher_ = launcher; }

  bool Register(int id, unsigned modifiers, int code) override;
  void Unregister(int id) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  core::TLauncher* launcher_ = nullptr;
};

}  // namespace win32
