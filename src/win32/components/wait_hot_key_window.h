#pragma once

#include <memory>
#include <string>

#include "base/window.h"
#include "components/wait_hot_key.h"
#include "ports/hot_key_registrar.h"
#include "ports/prompter.h"

namespace win32 {

// The hot key's hidden window: it holds the registrations and global atoms made on
// its behalf and hands WM_HOTKEY to the component it serves.
class HotKeyWindow : public Window<HotKeyWindow>, public core::HotKeyRegistrar {
 public:
  HotKeyWindow();
  ~HotKeyWindow() override = default;

  void Serve(core::TWaitHotKey* component) { component_ = component; }

  std::string WindowHandleText() const override;
  std::uint16_t FindGlobalAtom(const std::string& name) override;
  std::uint16_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(std::uint16_t atom) override;
  bool Register(std::uint16_t id, unsigned modifiers, int keyCode) override;
  void Unregister(std::uint16_t id) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  core::TWaitHotKey* component_ = nullptr;
};

// The launcher's hot key: the hidden window and the component, built together and
// gone together (registration withdrawn, atom deleted, then the window destroyed).
class HotKeyComponent {
 public:
  // Throws core::EWaitHotKey_Atom when the identifier cannot be had.
  explicit HotKeyComponent(core::Prompter& prompter);
  ~HotKeyComponent();
  HotKeyComponent(const HotKeyComponent&) = delete;
  HotKeyComponent& operator=(const HotKeyComponent&) = delete;

  core::TWaitHotKey& WaitHotKey() { return *component_; }
  HWND Handle() const { return window_.Handle(); }

 private:
  HotKeyWindow window_;
  std::unique_ptr<core::TWaitHotKey> component_;
};

}  // namespace win32
