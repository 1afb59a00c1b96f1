#pragma once

#include <functional>
#include <memory>

#include "base/window.h"
#include "components/tray_icon.h"
#include "storage/text_codec.h"

namespace win32 {

// The program's one list of notification-area icons: numbers are unique across it.
core::TrayIconList& ProgramTrayIcons();

// The window the system reports mouse activity on the icons to. It also ends the
// single-click waits and hears the shell announce a new notification area.
class TrayCallbackWindow final : public Window<TrayCallbackWindow> {
 public:
  TrayCallbackWindow(HWND owner, core::TrayIconList& list, std::function<void()> areaRebuilt);
  void StartSingleClickWait(unsigned milliseconds);

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  core::TrayIconList& list_;
  std::function<void()> areaRebuilt_;
  UINT taskbarCreated_;
  UINT_PTR nextWait_ = 1;
};

// Shell_NotifyIconW and the window services behind one icon.
class WinNotifyArea final : public core::NotifyArea {
 public:
  WinNotifyArea(HWND owner, TrayCallbackWindow& window) : owner_(owner), window_(window) {}

  bool Notify(core::NotifyCommand command, const core::NotifyRecord& record) override;
  std::uintptr_t CallbackWindow() override;
  std::uintptr_t CopyPicture(std::uintptr_t picture) override;
  void FreePicture(std::uintptr_t picture) override;
  std::uintptr_t OwnerPicture() const override;
  std::uintptr_t ApplicationPicture() const override;
  core::ScreenPoint CursorPosition() const override;
  void BringOwnerToForeground() override;
  void PopupMenu(std::uintptr_t menu, core::ScreenPoint at) override;
  unsigned DoubleClickTime() const override { return GetDoubleClickTime(); }
  void StartSingleClickWait(unsigned milliseconds) override { window_.StartSingleClickWait(milliseconds); }

  std::function<void(HMENU)> onMenuPopup;
  UINT menuTrackFlags = TPM_RIGHTBUTTON;

 private:
  HWND owner_;
  TrayCallbackWindow& window_;
};

// One notification-area icon as the launcher holds it: the callback window, the
// platform services and the icon's logic. The icon leaves the tray when this goes.
class TrayIconComponent {
 public:
  // `owner` (may be null) is the window brought forward before a menu, whose icon
  // is shown when the component has no picture of its own, and which receives the
  // menu's commands. Throws core::ENotifyIconError when the program has too many icons.
  TrayIconComponent(HWND owner, const core::CodePage& codePage, core::TrayIconList& list = ProgramTrayIcons());
  ~TrayIconComponent();
  TrayIconComponent(const TrayIconComponent&) = delete;
  TrayIconComponent& operator=(const TrayIconComponent&) = delete;

  core::TTrayIcon& TrayIcon() { return *icon_; }
  HWND CallbackWindow() const { return window_->Handle(); }

  // A copy of `picture` is shown (null: the owner's or the program's icon).
  void SetPicture(HICON picture) { icon_->SetIcon(reinterpret_cast<std::uintptr_t>(picture)); }
  // The right-button menu; the caller keeps it and sets null before destroying it.
  void SetPopupMenu(HMENU menu) { icon_->SetRBPopupMenu(reinterpret_cast<std::uintptr_t>(menu)); }
  void SetLeftPopupMenu(HMENU menu) { icon_->SetLBPopupMenu(reinterpret_cast<std::uintptr_t>(menu)); }
  // Runs just before a menu opens; may change the flags the menu is tracked with.
  void SetOnMenuPopup(std::function<void(HMENU)> handler) { area_->onMenuPopup = std::move(handler); }
  UINT MenuTrackFlags() const { return area_->menuTrackFlags; }
  void SetMenuTrackFlags(UINT flags) { area_->menuTrackFlags = flags; }

 private:
  std::unique_ptr<TrayCallbackWindow> window_;
  std::unique_ptr<WinNotifyArea> area_;
  std::unique_ptr<core::TTrayIcon> icon_;
};

}  // namespace win32
