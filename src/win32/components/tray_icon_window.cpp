#include "components/tray_icon_window.h"

#include <shellapi.h>

#include <algorithm>

#include "base/lazy_library.h"
#include "base/menus.h"
#include "base/utf16.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiTrayCallback";
constexpr UINT kNow = WM_APP;  // posted and taken at once, for its time

HICON AsIcon(std::uintptr_t picture) { return reinterpret_cast<HICON>(picture); }
std::uintptr_t AsPicture(HICON icon) { return reinterpret_cast<std::uintptr_t>(icon); }

}  // namespace

core::TrayIconList& ProgramTrayIcons() {
  static core::TrayIconList list;
  return list;
}

// A hidden top-level window owned by the launcher rather than its child: the shell
// announces a new notification area ("TaskbarCreated") to top-level windows only.
TrayCallbackWindow::TrayCallbackWindow(HWND owner, core::TrayIconList& list, std::function<void()> areaRebuilt)
    : list_(list), areaRebuilt_(std::move(areaRebuilt)), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
  RegisterOnce(kClassName, 0, nullptr);
  CreateFor(0, kClassName, L"", WS_POPUP, RECT{0, 0, 0, 0}, owner, nullptr);
  // Run as administrator, the launcher would not hear of a new Explorer, which runs
  // with less: the system filters its messages out unless they are let through.
  if (taskbarCreated_ && !ChangeWindowMessageFilterEx(Handle(), taskbarCreated_, MSGFLT_ALLOW, nullptr))
    LogLastError("letting the notification area's new start through");
}

// The wait is a one-shot timer on this window rather than a thread that sleeps and
// posts back: its end arrives on the message loop all the same, several can run at
// once (one timer id each), and nothing outlives the window.
void TrayCallbackWindow::StartSingleClickWait(unsigned milliseconds) {
  SetTimer(Handle(), nextWait_++, milliseconds, nullptr);
  if (nextWait_ == 0) nextWait_ = 1;
}

LRESULT TrayCallbackWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == core::kTrayCallbackMessage) {
    list_.Callback(wParam, static_cast<unsigned>(lParam));
    return 0;
  }
  if (message == WM_TIMER) {
    KillTimer(Handle(), wParam);
    list_.SingleClickEnded();
    return 0;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // A shell that is not ready yet refuses the icon; it then stays out, and writing
    // Visible again retries, as after any refused add.
    try {
      if (areaRebuilt_) areaRebuilt_();
    } catch (const core::Error&) {
    }
    return 0;
  }
  return Default(message, wParam, lParam);
}

// The shell's library loads when the icon first goes into the tray, after the
// window has shown, not with the program.
bool WinNotifyArea::Notify(core::NotifyCommand command, const core::NotifyRecord& record) {
  static const auto notify = Bind<decltype(&Shell_NotifyIconW)>(Shell32(), "Shell_NotifyIconW");
  if (!notify) return false;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = AsIcon(record.icon);
  std::wstring tip = Widen(record.tip);
  std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
  std::copy_n(tip.begin(), length, data.szTip);
  DWORD messages[] = {NIM_ADD, NIM_MODIFY, NIM_DELETE};
  bool done = notify(messages[static_cast<int>(command)], &data) != FALSE;
  if (done && command == core::NotifyCommand::kAdd) {
    // Version 3 adds keyboard selection and keeps the callback's layout (icon number
    // first, mouse message second); version 4 would move both.
    data.uVersion = NOTIFYICON_VERSION;
    notify(NIM_SETVERSION, &data);
  }
  return done;
}

std::uintptr_t WinNotifyArea::CallbackWindow() { return reinterpret_cast<std::uintptr_t>(window_.Handle()); }

std::uintptr_t WinNotifyArea::CopyPicture(std::uintptr_t picture) { return AsPicture(CopyIcon(AsIcon(picture))); }

void WinNotifyArea::FreePicture(std::uintptr_t picture) { DestroyIcon(AsIcon(picture)); }

std::uintptr_t WinNotifyArea::OwnerPicture() const {
  if (!owner_) return 0;
  for (WPARAM kind : {ICON_SMALL, ICON_BIG})
    if (auto icon = SendMessageW(owner_, WM_GETICON, kind, 0)) return static_cast<std::uintptr_t>(icon);
  for (int index : {GCLP_HICONSM, GCLP_HICON})
    if (auto icon = GetClassLongPtrW(owner_, index)) return static_cast<std::uintptr_t>(icon);
  return 0;
}

// The program's own icon, shared by the system: nobody frees it.
std::uintptr_t WinNotifyArea::ApplicationPicture() const {
  return AsPicture(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
}

core::ScreenPoint WinNotifyArea::CursorPosition() const {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

// Under Wine the click has just moved the X focus to the tray's window, stamped with
// the click's time. SetForegroundWindow takes it back with the time of the last message
// this thread took, and the tray's notifications are not taken messages: the request is
// then older than the click and ignored (the menu gets no keys), or the tray's focus
// change lands inside the menu's loop and closes it. Taking a message now makes the
// stamp current; a look at the queue lets the focus changes in before the menu opens.
// Nothing posted runs here, and on Windows neither step changes anything.
void WinNotifyArea::BringOwnerToForeground() {
  if (!owner_) return;
  MSG message;
  PostMessageW(window_.Handle(), kNow, 0, 0);
  PeekMessageW(&message, window_.Handle(), kNow, kNow, PM_REMOVE);
  SetForegroundWindow(owner_);
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

void WinNotifyArea::PopupMenu(std::uintptr_t menu, core::ScreenPoint at) {
  HMENU handle = reinterpret_cast<HMENU>(menu);
  if (!IsMenu(handle)) return;
  if (onMenuPopup) onMenuPopup(handle);
  TrackMenu(handle, menuTrackFlags, POINT{at.x, at.y}, owner_ ? owner_ : window_.Handle());
}

TrayIconComponent::TrayIconComponent(HWND owner, const core::CodePage& codePage, core::TrayIconList& list)
    : window_(std::make_unique<TrayCallbackWindow>(owner, list,
                                                   [this] {
                                                     if (icon_) icon_->Restore();
                                                   })),
      area_(std::make_unique<WinNotifyArea>(owner, *window_)),
      icon_(std::make_unique<core::TTrayIcon>(list, *area_, codePage)) {}

// The icon goes first, while its callback window still exists to name it.
TrayIconComponent::~TrayIconComponent() { icon_.reset(); }

}  // namespace win32
