#pragma once

#include <map>
#include <string>

#include "base/win.h"
#include "ports/dde_conversation.h"
#include "ports/desktop.h"
#include "ports/session.h"

namespace win32 {

// Session end, the screen saver and error texts on the Windows API.
class WinSession : public core::Session {
 public:
  // The screen saver is requested through the program's hidden application window.
  explicit WinSession(HWND application = nullptr) : application_(application) {}
  // Its notices are owned by this window, or by a dialog open over it.
  void SetBoxOwner(HWND owner) { boxOwner_ = owner; }

  bool NeedsPrivileges() override;
  std::unique_ptr<core::AccessToken> OpenOwnToken() override;
  std::optional<std::uint64_t> LookUpPrivilege(const std::string& name) override;
  void RequestSessionEnd(unsigned flags) override;
  std::string SystemErrorText() override;
  void ShowNotice(const std::string& text, const std::string& caption) override;
  void StartScreenSaver() override;

 private:
  HWND application_;
  HWND boxOwner_ = nullptr;
};

// Top-level windows, synthetic key strokes and deferred steps on the Windows API.
class WinDesktop : public core::Desktop {
 public:
  WinDesktop() = default;
  WinDesktop(const WinDesktop&) = delete;
  WinDesktop& operator=(const WinDesktop&) = delete;
  // Steps still waiting are dropped.
  ~WinDesktop() override;

  void ForEachTopLevelWindow(const std::function<void(std::uintptr_t)>& visit) override;
  bool IsVisible(std::uintptr_t window) override;
  bool IsMinimised(std::uintptr_t window) override;
  std::string ClassNameOf(std::uintptr_t window) override;
  void PostClose(std::uintptr_t window) override;
  void SendKey(int virtualKey, bool release) override;
  void RunLater(unsigned milliseconds, std::function<void()> step) override;
};

// The DDE client conversation (DDEML, Unicode).
class WinDdeConversation final : public core::DdeConversation {
 public:
  WinDdeConversation() = default;
  WinDdeConversation(const WinDdeConversation&) = delete;
  WinDdeConversation& operator=(const WinDdeConversation&) = delete;
  ~WinDdeConversation() override;

  bool SetLink(const std::string& service, const std::string& topic) override;
  void SetServiceApplication(const std::string& program) override { serviceApplication_ = program; }
  bool OpenLink() override;
  bool ExecuteMacro(const std::string& command) override;
  void CloseLink() override;

 private:
  bool Connect();

  DWORD instance_ = 0;
  HCONV conversation_ = nullptr;
  std::string service_, topic_, serviceApplication_;
};

}  // namespace win32
