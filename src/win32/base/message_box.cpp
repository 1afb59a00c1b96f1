#include "base/message_box.h"

#include "base/utf16.h"
#include "launch/launcher_texts.h"

namespace win32 {
namespace {

constexpr char kInformationTitle[] = "情報";
constexpr char kConfirmTitle[] = "確認";
constexpr wchar_t kYesText[] = L"はい(&Y)";
constexpr wchar_t kNoText[] = L"いいえ(&N)";
constexpr wchar_t kCancelText[] = L"キャンセル";
constexpr wchar_t kOkText[] = L"OK";

// What the hook does to the next message box of this thread.
struct PendingBox {
  HHOOK hook = nullptr;
  bool yesOnOk = false;  // the Yes/Cancel box is an OK/Cancel box whose OK reads "はい(&Y)"
  core::BoxPlacement placement;
  HWND owner = nullptr;
};
thread_local PendingBox* pending = nullptr;

void Place(HWND box, const PendingBox& p) {
  RECT r;
  GetWindowRect(box, &r);
  int x = p.placement.left, y = p.placement.top;
  if (p.placement.centred) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    HMONITOR monitor = MonitorFromWindow(p.owner ? p.owner : box, MONITOR_DEFAULTTOPRIMARY);
    GetMonitorInfoW(monitor, &mi);
    x = (mi.rcMonitor.left + mi.rcMonitor.right - (r.right - r.left)) / 2;
    y = (mi.rcMonitor.top + mi.rcMonitor.bottom - (r.bottom - r.top)) / 2;
  }
  SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && pending) {
    HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextW(box, IDOK, pending->yesOnOk ? kYesText : kOkText);
    SetDlgItemTextW(box, IDYES, kYesText);
    SetDlgItemTextW(box, IDNO, kNoText);
    SetDlgItemTextW(box, IDCANCEL, kCancelText);
    Place(box, *pending);
    HHOOK hook = pending->hook;
    pending = nullptr;  // later activations of the same box keep its place
    return CallNextHookEx(hook, code, wParam, lParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// A box is modal to the window the user works in: a dialog open over the launcher
// stays disabled while the box asks, as the launcher does.
HWND BoxOwnerOf(HWND owner) {
  HWND active = GetActiveWindow();
  if (active && owner && GetAncestor(active, GA_ROOTOWNER) == GetAncestor(owner, GA_ROOTOWNER) &&
      IsWindowEnabled(active) && IsWindowVisible(active))
    return active;
  return owner;
}

int Win32Prompter::Show(const std::string& text, const char* title, UINT type, core::BoxPlacement placement) {
  PendingBox box;
  box.yesOnOk = (type & MB_TYPEMASK) == MB_OKCANCEL;
  box.placement = placement;
  box.owner = BoxOwnerOf(owner_);
  box.hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
  PendingBox* outer = pending;
  pending = &box;
  int answer = MessageBoxW(box.owner, Widen(text).c_str(), Widen(title).c_str(), type | MB_SETFOREGROUND);
  pending = outer;
  if (box.hook) UnhookWindowsHookEx(box.hook);
  return answer;
}

void Win32Prompter::ShowMessage(const std::string& text) {
  Show(text, core::texts::kApplicationTitle, MB_OK, core::BoxPlacement::Centred());
}

void Win32Prompter::ShowNotice(const std::string& text) {
  Show(text, core::texts::kApplicationTitle, MB_OK | MB_ICONINFORMATION, core::BoxPlacement::Centred());
}

void Win32Prompter::ShowInformation(const std::string& text, core::BoxPlacement placement) {
  Show(text, kInformationTitle, MB_OK | MB_ICONINFORMATION, placement);
}

bool Win32Prompter::Confirm(const std::string& text, core::ConfirmKind kind, core::BoxPlacement placement) {
  UINT buttons = kind == core::ConfirmKind::kYesNo ? MB_YESNO : MB_OKCANCEL;
  int answer = Show(text, kConfirmTitle, buttons | MB_ICONQUESTION, placement);
  return answer == IDYES || (kind == core::ConfirmKind::kYesCancel && answer == IDOK);
}

void Win32Prompter::ShowError(const std::string& text) {
  Show(text, core::texts::kApplicationTitle, MB_OK | MB_ICONERROR, core::BoxPlacement::Centred());
}

}  // namespace win32
