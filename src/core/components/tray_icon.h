#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "error.h"
#include "ports/notify_area.h"
#include "storage/text_codec.h"

namespace core {

inline constexpr std::size_t kTrayIconLimit = 100;
inline constexpr std::size_t kTipHelpBytes = 62;
inline constexpr int kMinAnimateRate = 100;

// Mouse messages in the callback message's second parameter.
inline constexpr unsigned kTrayMouseMove = 0x0200;
inline constexpr unsigned kTrayLButtonDown = 0x0201;
inline constexpr unsigned kTrayLButtonUp = 0x0202;
inline constexpr unsigned kTrayLButtonDblClk = 0x0203;
inline constexpr unsigned kTrayRButtonDown = 0x0204;
inline constexpr unsigned kTrayRButtonUp = 0x0205;
inline constexpr unsigned kTrayRButtonDblClk = 0x0206;
inline constexpr unsigned kTrayMButtonDown = 0x0207;
inline constexpr unsigned kTrayMButtonUp = 0x0208;

// Extra wait on top of the system's double-click time before a click counts as single.
inline constexpr unsigned kSingleClickSlack = 50;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The shift state of a tray mouse event holds only the flag of its button.
using TShiftState = unsigned;
inline constexpr TShiftState ssLeft = 0x1;
inline constexpr TShiftState ssRight = 0x2;
inline constexpr TShiftState ssMiddle = 0x4;

class ENotifyIconError : public Error {
 public:
  ENotifyIconError();
};

// The first `limit` bytes of `utf8` in the code page, never ending inside a
// double-byte character. A character the code page cannot hold is kept and counted
// as the one byte of its replacement.
std::string CutToAnsiBytes(const std::string& utf8, std::size_t limit, const CodePage& codePage);

class TTrayIcon;

// The program's icons by number, in creation order, and the icon that received the
// last callback message. One list serves the whole program.
class TrayIconList {
 public:
  TrayIconList() = default;
  TrayIconList(const TrayIconList&) = delete;
  TrayIconList& operator=(const TrayIconList&) = delete;

  // The callback message: `id` is the icon number, `mouseMessage` what happened.
  void Callback(std::uintptr_t id, unsigned mouseMessage);
  // The end of a single-click wait, on the message-loop thread.
  void SingleClickEnded();

  std::size_t Count() const { return entries_.size(); }
  TTrayIcon* Find(std::uintptr_t id) const;

 private:
  friend class TTrayIcon;
  unsigned Register(TTrayIcon* icon);
  void Unregister(TTrayIcon* icon);

  std::vector<std::pair<unsigned, TTrayIcon*>> entries_;
  TTrayIcon* current_ = nullptr;
};

// An icon with a tip in the notification area that turns the mouse activity on it
// into events, telling a single click from a double click.
class TTrayIcon {
 public:
  using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
  using TMouseEvent = std::function<void(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TTrayIcon& sender, TShiftState shift, int x, int y)>;

  // Throws ENotifyIconError when the program already has the maximum of icons.
  TTrayIcon(TrayIconList& list, NotifyArea& area, const CodePage& codePage);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  unsigned Number() const { return number_; }
  bool InTray() const { return inTray_; }
  bool ClickPending() const { return clickPending_; }
  // The record the system was last given (or would be given).
  const NotifyRecord& Record() const { return record_; }

  // Loading stored values: the tip is cleared and `Visible` changes nothing until
  // Loaded, which adds the icon when it is visible.
  void BeginLoad();
  void Loaded();

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const std::string& TipHelp() const { return tip_; }
  void SetTipHelp(const std::string& value);
  // The owned copy of the picture (0: none).
  std::uintptr_t Icon() const { return picture_; }
  void SetIcon(std::uintptr_t picture);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  // Menus are the owner's: it clears the reference before it destroys one.
  std::uintptr_t LBPopupMenu() const { return lbMenu_; }
  void SetLBPopupMenu(std::uintptr_t menu) { lbMenu_ = menu; }
  std::uintptr_t RBPopupMenu() const { return rbMenu_; }
  void SetRBPopupMenu(std::uintptr_t menu) { rbMenu_ = menu; }
  // Animation frames and their interval. The program never starts an animation, so
  // the frames are only kept.
  const std::vector<std::uintptr_t>& AnimateIcons() const { return frames_; }
  void SetAnimateIcons(std::vector<std::uintptr_t> frames) { frames_ = std::move(frames); }
  int AnimateRate() const { return animateRate_; }
  void SetAnimateRate(int value);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

  // Adds the icon again after the notification area was rebuilt (the shell restarted),
  // when it should be visible.
  void Restore();

 private:
  friend class TrayIconList;
  void MouseMessage(unsigned message);
  void SingleClickEnded();
  void ButtonDown(std::uintptr_t menu, TMouseButton button, TShiftState shift, ScreenPoint at);

  std::uintptr_t Picture() const;
  void FillRecord();
  void Add();
  void Modify();
  void Delete();
  void Refresh();

  TrayIconList& list_;
  NotifyArea& area_;
  const CodePage& codePage_;
  unsigned number_ = 0;
  NotifyRecord record_;

  bool loading_ = false;
  bool visible_ = false;
  bool inTray_ = false;
  bool clickPending_ = false;
  bool enabled_ = true;
  bool autoPopup_ = true;
  std::string tip_ = "TipHelp";
  std::uintptr_t picture_ = 0;
  std::uintptr_t lbMenu_ = 0, rbMenu_ = 0;
  std::vector<std::uintptr_t> frames_;
  int animateRate_ = 500;
};

}  // namespace core
