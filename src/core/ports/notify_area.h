#pragma once

#include <cstdint>
#include <string>

#include "geometry.h"

namespace core {

// The message the system sends to the callback window for mouse activity on an
// icon: the window system's first user message plus 200.
inline constexpr unsigned kTrayCallbackMessage = 1024 + 200;

// Flags of the notification record: the callback message, the picture, the tip.
inline constexpr unsigned kNotifyMessageFlag = 0x1;
inline constexpr unsigned kNotifyIconFlag = 0x2;
inline constexpr unsigned kNotifyTipFlag = 0x4;

enum class NotifyCommand { kAdd, kModify, kDelete };

// What the system is told about one icon. Handles are the platform's, opaque here.
struct NotifyRecord {
  std::uintptr_t window = 0;  // the callback window
  unsigned id = 0;            // the icon number
  unsigned callbackMessage = kTrayCallbackMessage;
  std::uintptr_t icon = 0;
  std::string tip;  // UTF-8
  unsigned flags = 0;
};

// The notification area and the few window-system services an icon in it needs.
class NotifyArea {
 public:
  virtual ~NotifyArea() = default;
  // Adds, changes or removes an icon; false when the system refused.
  virtual bool Notify(NotifyCommand command, const NotifyRecord& record) = 0;
  // The window that receives the callback message.
  virtual std::uintptr_t CallbackWindow() = 0;

  // Pictures: a copy the icon owns, and the fallbacks when it has none (0: none).
  virtual std::uintptr_t CopyPicture(std::uintptr_t picture) = 0;
  virtual void FreePicture(std::uintptr_t picture) = 0;
  virtual std::uintptr_t OwnerPicture() const = 0;
  virtual std::uintptr_t ApplicationPicture() const = 0;

  virtual ScreenPoint CursorPosition() const = 0;
  // Brings the owner window (if any) to the foreground, so that a menu opened next
  // closes when the user clicks elsewhere.
  virtual void BringOwnerToForeground() = 0;
  // Shows a pop-up menu at a screen point and returns when it has closed.
  virtual void PopupMenu(std::uintptr_t menu, ScreenPoint at) = 0;

  virtual unsigned DoubleClickTime() const = 0;
  // Starts one single-click wait; when it has passed, the platform calls
  // TrayIconList::SingleClickEnded on the message-loop thread.
  virtual void StartSingleClickWait(unsigned milliseconds) = 0;
};

}  // namespace core
