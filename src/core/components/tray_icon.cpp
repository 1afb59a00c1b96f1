#include "components/tray_icon.h"

#include <algorithm>

#include "components/tray_icon_texts.h"

namespace core {
namespace {

// Length of the UTF-8 sequence that starts with `lead`; a stray byte counts alone.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  if ((lead >> 3) == 0x1E) return 4;
  return 1;
}

}  // namespace

ENotifyIconError::ENotifyIconError() : Error(texts::kNotifyIconError) {}

std::string CutToAnsiBytes(const std::string& utf8, std::size_t limit, const CodePage& codePage) {
  if (auto whole = codePage.FromUtf8(utf8); whole && whole->size() <= limit) return utf8;
  // Character by character, so that a double-byte character that would straddle the
  // limit is dropped whole rather than halved.
  std::size_t bytes = 0, at = 0;
  while (at < utf8.size()) {
    std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
    auto ansi = codePage.FromUtf8(std::string_view(utf8).substr(at, length));
    std::size_t size = ansi ? ansi->size() : 1;
    if (bytes + size > limit) break;
    bytes += size;
    at += length;
  }
  return utf8.substr(0, at);
}

TTrayIcon* TrayIconList::Find(std::uintptr_t id) const {
  for (const auto& [number, icon] : entries_)
    if (number == id) return icon;
  return nullptr;
}

unsigned TrayIconList::Register(TTrayIcon* icon) {
  unsigned number = entries_.empty() ? 1 : entries_.back().first + 1;
  entries_.emplace_back(number, icon);
  return number;
}

void TrayIconList::Unregister(TTrayIcon* icon) {
  std::erase_if(entries_, [icon](const auto& entry) { return entry.second == icon; });
  // A wait that ends after its icon went must find nothing to act on.
  if (current_ == icon) current_ = nullptr;
}

void TrayIconList::Callback(std::uintptr_t id, unsigned mouseMessage) {
  TTrayIcon* icon = Find(id);
  if (!icon) return;
  current_ = icon;
  icon->MouseMessage(mouseMessage);
}

void TrayIconList::SingleClickEnded() {
  if (current_) current_->SingleClickEnded();
}

TTrayIcon::TTrayIcon(TrayIconList& list, NotifyArea& area, const CodePage& codePage)
    : list_(list), area_(area), codePage_(codePage), tip_(texts::kDefaultTipHelp) {
  if (list_.Count() >= kTrayIconLimit) throw ENotifyIconError();
  number_ = list_.Register(this);
  record_.window = area_.CallbackWindow();
  record_.id = number_;
  record_.callbackMessage = kTrayCallbackMessage;
}

TTrayIcon::~TTrayIcon() {
  if (inTray_) Delete();
  list_.Unregister(this);
  if (picture_) area_.FreePicture(picture_);
}

void TTrayIcon::BeginLoad() {
  loading_ = true;
  tip_.clear();
}

void TTrayIcon::Loaded() {
  loading_ = false;
  Add();
}

void TTrayIcon::SetVisible(bool value) {
  if (value == visible_) return;
  if (!Picture()) {
    visible_ = false;
    if (inTray_) Delete();
    return;
  }
  visible_ = value;
  if (loading_) return;
  if (visible_) {
    Add();
  } else if (inTray_) {
    Delete();
  }
}

void TTrayIcon::SetTipHelp(const std::string& value) {
  std::string tip = CutToAnsiBytes(value, kTipHelpBytes, codePage_);
  if (tip == tip_) return;
  tip_ = std::move(tip);
  Refresh();
}

void TTrayIcon::SetIcon(std::uintptr_t picture) {
  std::uintptr_t copy = picture ? area_.CopyPicture(picture) : 0;
  if (picture_) area_.FreePicture(picture_);
  picture_ = copy;
  Refresh();
}

void TTrayIcon::SetEnabled(bool value) {
  enabled_ = value;
  if (!enabled_) clickPending_ = false;
}

void TTrayIcon::SetAnimateRate(int value) { animateRate_ = std::max(value, kMinAnimateRate); }

// The message also comes while the icon is still there (a taskbar that changed its
// scale): it goes first, so that no second icon stays behind after the program ends.
void TTrayIcon::Restore() {
  if (loading_) return;
  if (inTray_) area_.Notify(NotifyCommand::kDelete, record_);
  inTray_ = false;
  Add();
}

std::uintptr_t TTrayIcon::Picture() const {
  if (picture_) return picture_;
  if (auto owner = area_.OwnerPicture()) return owner;
  return area_.ApplicationPicture();
}

void TTrayIcon::FillRecord() {
  record_.icon = Picture();
  record_.tip = tip_;
  record_.flags = kNotifyMessageFlag | kNotifyIconFlag | (tip_.empty() ? 0 : kNotifyTipFlag);
}

void TTrayIcon::Add() {
  if (!visible_) return;
  FillRecord();
  record_.window = area_.CallbackWindow();
  if (!area_.Notify(NotifyCommand::kAdd, record_)) throw ENotifyIconError();
  inTray_ = true;
}

void TTrayIcon::Modify() {
  FillRecord();
  if (!area_.Notify(NotifyCommand::kModify, record_)) throw ENotifyIconError();
}

// A refused delete is not reported: the icon is gone for this program either way.
void TTrayIcon::Delete() {
  FillRecord();
  area_.Notify(NotifyCommand::kDelete, record_);
  inTray_ = false;
}

void TTrayIcon::Refresh() {
  if (inTray_) Modify();
}

void TTrayIcon::ButtonDown(std::uintptr_t menu, TMouseButton button, TShiftState shift, ScreenPoint at) {
  if (menu && autoPopup_) {
    area_.BringOwnerToForeground();
    area_.PopupMenu(menu, at);
  } else if (OnMouseDown) {
    OnMouseDown(*this, button, shift, at.x, at.y);
  }
}

void TTrayIcon::MouseMessage(unsigned message) {
  if (!enabled_) return;
  ScreenPoint at = area_.CursorPosition();
  switch (message) {
    case kTrayMouseMove:
      if (OnMouseMove) OnMouseMove(*this, 0, at.x, at.y);
      break;
    case kTrayLButtonDown: ButtonDown(lbMenu_, TMouseButton::mbLeft, ssLeft, at); break;
    case kTrayLButtonUp:
      // With a release handler there is no click at all; otherwise the first release
      // starts a wait and a second one before it ends (a double click) cancels it.
      if (OnMouseUp) {
        OnMouseUp(*this, TMouseButton::mbLeft, ssLeft, at.x, at.y);
      } else if (OnClick && !clickPending_) {
        clickPending_ = true;
        area_.StartSingleClickWait(area_.DoubleClickTime() + kSingleClickSlack);
      } else {
        clickPending_ = false;
      }
      break;
    case kTrayLButtonDblClk:
      clickPending_ = true;
      if (OnDblClick) OnDblClick(*this);
      break;
    case kTrayRButtonDown: ButtonDown(rbMenu_, TMouseButton::mbRight, ssRight, at); break;
    case kTrayRButtonUp:
      if (OnMouseUp) OnMouseUp(*this, TMouseButton::mbRight, ssRight, at.x, at.y);
      break;
    case kTrayMButtonDown:
      if (OnMouseDown) OnMouseDown(*this, TMouseButton::mbMiddle, ssMiddle, at.x, at.y);
      break;
    case kTrayMButtonUp:
      if (OnMouseUp) OnMouseUp(*this, TMouseButton::mbMiddle, ssMiddle, at.x, at.y);
      break;
    default: break;  // a right double click and anything else mean nothing here
  }
}

// The flag is cleared before the handler runs: the handler may open a modal loop in
// which further clicks arrive, or even destroy the icon.
void TTrayIcon::SingleClickEnded() {
  bool click = OnClick && clickPending_;
  clickPending_ = false;
  if (click) OnClick(*this);
}

}  // namespace core
