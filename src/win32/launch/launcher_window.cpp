#include "launch/launcher_window.h"

#include "base/win.h"

#include <commctrl.h>
#include <dbt.h>

#include "base/dpi.h"
#include "base/modal.h"
#include "base/on_screen.h"
#include "base/palette.h"
#include "base/panel.h"
#include "base/posted_closure.h"
#include "base/utf16.h"
#include "base/win_background.h"
#include "error.h"
#include "launch/clock_label.h"
#include "launch/launcher_menus.h"
#include "launch/launcher_texts.h"
#include "launch_button/glyph_cache.h"

namespace win32 {
namespace {

using namespace launcher;

constexpr wchar_t kClassName[] = L"ZubiLauncher";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 200;
// The steps of a page started in order.
constexpr UINT_PTR kRunTimerId = 2;
constexpr UINT kRunInterval = 50;
constexpr int kDefaultPosition = 100;
constexpr UINT kCompleteStart = WM_APP + 1;
constexpr UINT kTitleDoubleClick = WM_APP + 2;
// WM_APP + 3, + 4: LauncherWindow::kOpenLaunchMenu, kMenuClosed.
constexpr UINT_PTR kTitleBox = 1;

// The label's right edge (Label2) or left edge (Label3) stays put as its text changes.
constexpr int kDateRightEdge = 52;
constexpr int kTimeLeftEdge = 10;

int NavButtonId(core::NavButton button) { return kFastTopButton + static_cast<int>(button); }

// The edit boxes show their own context menu; the launcher's pop-up menu replaces it.
// A double click on the title box opens the page list, once the click is done.
LRESULT CALLBACK EditSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) noexcept {
  if (message == WM_CONTEXTMENU) return SendMessageW(GetParent(hwnd), message, wParam, lParam);
  if (message == WM_LBUTTONDBLCLK && id == kTitleBox) PostMessageW(GetParent(hwnd), kTitleDoubleClick, 0, 0);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

LauncherWindow::LauncherWindow(HWND owner) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  RegisterOnce(kClassName, 0, nullptr, icon);
  RegisterPanelClass();
  RegisterClockLabelClass();

  SIZE size = OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, true, DpiOf(nullptr));
  RECT rect{kDefaultPosition, kDefaultPosition, kDefaultPosition + size.cx, kDefaultPosition + size.cy};
  CreateFor(kExStyle, kClassName, L"", kStyle, rect, owner, BuildMenu(MainMenu(), false));
  const UINT dpi = DpiOf(Handle());
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { ApplyDpi(newDpi); });
  CreateControls();
  ApplyDpi(dpi, false);  // the controls were made at their places
}

LauncherWindow::~LauncherWindow() {
  if (!Handle()) return;
  KillTimer(Handle(), kTimerId);
  KillTimer(Handle(), kRunTimerId);
  // The window outlives the fonts, which its clock labels keep selected.
  for (int id : {kLabel2, kLabel3}) SendMessageW(Control(id), WM_SETFONT, 0, FALSE);
}

void LauncherWindow::RunSteps(bool on) {
  if (on)
    SetTimer(Handle(), kRunTimerId, kRunInterval, nullptr);
  else
    KillTimer(Handle(), kRunTimerId);
}

void LauncherWindow::CreateControls() {
  layout_.Create(Handle(), launcher::Layout(), dpi_.Get());
  layout_.Name(launcher::Names());
  SendMessageW(Control(kEdit1), EM_LIMITTEXT, 24, 0);
  HWND upDown = Control(kUpDown1);
  SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(kMemo1)), 0);
  SendMessageW(upDown, UDM_SETRANGE32, 1, 99);
  SendMessageW(upDown, UDM_SETPOS32, 0, 1);
  // Taking a buddy moved the arrows beside it; they go back to their own place.
  layout_.Place(kUpDown1, dpi_.Get());
  SetWindowSubclass(Control(kEdit1), EditSubclass, kTitleBox, 0);
  SetWindowSubclass(Control(kMemo1), EditSubclass, 0, 0);
  for (int k = 1; k <= kLaunchButtonCount; ++k) ButtonControl(k).Attach(Control(kLaunchButton1 + k - 1), dpi_.Get());
}

void LauncherWindow::CreateComponents(core::Prompter& prompter, const core::CodePage& codePage) {
  components_.Create(Handle(), prompter, codePage);
  if (launcher_) launcher_->SetComponents(components_.TrayIcon(), WaitHotKey());
}

void LauncherWindow::Attach(core::TLauncher* launcher) {
  launcher_ = launcher;
  if (launcher) launcher->SetComponents(components_.TrayIcon(), WaitHotKey());
  for (int k = 1; k <= kLaunchButtonCount; ++k) ButtonControl(k).Bind(launcher ? &launcher->Button(k) : nullptr);
}

void LauncherWindow::CreateHints() {
  hints_.Create(Handle());
  hints_.Add(Handle(), core::texts::kHintWindow);
  for (const ControlSpec& spec : layout_.Specs())
    if (spec.hint) hints_.Add(layout_.Get(spec.id), spec.hint);
  for (auto& button : buttons_) button.SetHints(&hints_);
}

// Fonts, control places and the window size for a DPI.
void LauncherWindow::ApplyDpi(UINT dpi, bool place) {
  // The old fonts go only once no control uses them: the clock labels keep theirs selected.
  decltype(fonts_) old = std::move(fonts_);
  fonts_[kWindowFont] = ProgramFont(12, dpi, false, true);
  fonts_[kPlainFont] = ProgramFont(12, dpi);
  fonts_[kBoldFont] = ProgramFont(12, dpi, true);
  fonts_[kCountFont] = ProgramFont(13, dpi, true);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kWindowFont].get()), FALSE);
  HFONT fonts[kFontCount];
  for (int i = 0; i < kFontCount; ++i) fonts[i] = fonts_[static_cast<size_t>(i)].get();
  if (place) layout_.Place(dpi);
  layout_.SetFonts(fonts);
  // A new font resets the margins; the narrow count box needs all its width for "99".
  SendMessageW(Control(kMemo1), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  for (auto& button : buttons_) button.SetDpi(dpi);
  for (int id : {kLabel2, kLabel3}) SizeClockLabel(id, Widen(ControlText(id)));
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);  // the client area is exactly the layout's
}

namespace {

// A child's rectangle in its parent's client coordinates.
RECT ClientRectOfChild(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

// Placed before the new text is set: the label then paints it once, at its final place.
void LauncherWindow::SizeClockLabel(int id, const std::wstring& text) {
  HWND label = Control(id);
  SIZE size = ClockLabelTextSize(label, text);
  int left = id == kLabel2 ? Scale(kDateRightEdge, dpi_.Get()) - size.cx : Scale(kTimeLeftEdge, dpi_.Get());
  int top = Scale(layout_.Spec(id)->top, dpi_.Get());
  RECT now = ClientRectOfChild(label);
  if (now.left == left && now.top == top && now.right - now.left == size.cx && now.bottom - now.top == size.cy)
    return;  // most seconds the time keeps its width
  // No bits are kept: a right-aligned text moves within the label when it grows.
  SetWindowPos(label, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void LauncherWindow::Start() {
  if (launcher_) launcher_->Timer1Timer();
  ::ShowWindow(Handle(), SW_SHOW);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SetTimer(Handle(), kTimerId, kTimerInterval, nullptr);
  PostMessageW(Handle(), kCompleteStart, 0, 0);
}

void LauncherWindow::CompleteStart() {
  if (started_) return;
  started_ = true;
  CreateHints();
  popupMenu1_.reset(BuildMenu(PopupMenu1(), true));
  if (componentPorts_.prompter) CreateComponents(*componentPorts_.prompter, *componentPorts_.codePage);
  components_.CompleteStart();
  launchMenu_.reset(BuildMenu(PopupMenuLaunch(), true));
  if (afterStart_) afterStart_();
}

std::string LauncherWindow::ControlText(int id) const { return WindowText(Control(id)); }

// The timer hands over only texts and states that differ from what is shown.
void LauncherWindow::SetCaption(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

std::string LauncherWindow::TitleText() const { return ControlText(kEdit1); }

// The box reports typing (EN_CHANGE); a text set here the launcher stores itself.
void LauncherWindow::SetTitleText(const std::string& text) {
  settingTitle_ = true;
  SetWindowTextW(Control(kEdit1), Widen(text).c_str());
  settingTitle_ = false;
}

void LauncherWindow::SetPageCount(int count) { SendMessageW(Control(kUpDown1), UDM_SETPOS32, 0, count); }

int LauncherWindow::PageCountPosition() const {
  return static_cast<int>(SendMessageW(Control(kUpDown1), UDM_GETPOS32, 0, 0));
}

void LauncherWindow::SetPanelColour(const core::PanelColour& colour) { background_.Paint(Handle(), colour); }

void LauncherWindow::SetDateText(const std::string& text) {
  std::wstring wide = Widen(text);
  SizeClockLabel(kLabel2, wide);
  SetWindowTextW(Control(kLabel2), wide.c_str());
}

void LauncherWindow::SetTimeText(const std::string& text) {
  std::wstring wide = Widen(text);
  SizeClockLabel(kLabel3, wide);
  SetWindowTextW(Control(kLabel3), wide.c_str());
}

void LauncherWindow::EnableNavButton(core::NavButton button, bool enabled) {
  EnableWindow(Control(NavButtonId(button)), enabled);
}

core::ScreenPoint LauncherWindow::WindowPosition() const {
  RECT r;
  GetWindowRect(Handle(), &r);
  return {r.left, r.top};
}

void LauncherWindow::MoveWindowTo(core::ScreenPoint position) {
  dpi_.Place([&] { MoveOnScreen(Handle(), position); });
}

bool LauncherWindow::IsWindowShown() const { return IsWindowVisible(Handle()); }

void LauncherWindow::ShowWindow() {
  if (!IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_SHOW);
}

void LauncherWindow::HideWindow() { ::ShowWindow(Handle(), SW_HIDE); }

void LauncherWindow::BringToForeground() { SetForegroundWindow(Handle()); }

std::optional<core::ScreenPoint> LauncherWindow::CursorPosition() const {
  POINT p{};
  if (!GetCursorPos(&p)) return std::nullopt;
  return core::ScreenPoint{p.x, p.y};
}

std::uintptr_t LauncherWindow::NativeHandle() const { return reinterpret_cast<std::uintptr_t>(Handle()); }

LRESULT LauncherWindow::OnNotify(const NMHDR& header) {
  int id = static_cast<int>(header.idFrom);
  if (header.code == NM_CUSTOMDRAW && id >= kLaunchButton1 && id < kLaunchButton1 + kLaunchButtonCount)
    return ButtonControl(id - kLaunchButton1 + 1).OnCustomDraw(reinterpret_cast<const NMCUSTOMDRAW&>(header));
  return 0;
}

void LauncherWindow::OnClose() {
  if (launcher_ && !launcher_->CloseRequest()) return;
  DestroyWindow(Handle());
}

LRESULT LauncherWindow::OnControlColour(HDC dc, HWND control) {
  int id = GetDlgCtrlID(control);
  switch (id) {
    case kLabel2:
    case kLabel3: return clock_.Apply(dc);
    case kEdit1: return title_.Apply(dc);
    case kPanel1: return panel_.Apply(dc);
    default:
      if (GetParent(control) == Control(kPanel1)) return panel_.Apply(dc);
      return background_.ControlColour(dc);
  }
}

LRESULT LauncherWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; folderMenu_ && folderMenu_->HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case kCompleteStart: CompleteStart(); return 0;
    case kOpenLaunchMenu: OpenLaunchMenu(); return 0;
    case kMenuClosed:
      if (launcher_) launcher_->MenuClosed();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId && launcher_) launcher_->Timer1Timer();
      if (wParam == kRunTimerId && launcher_) launcher_->RunStep();
      return 0;
    case WM_SETTINGCHANGE:
      if (launcher_) launcher_->RegionalSettingsChanged();
      if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
      return Default(message, wParam, lParam);
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(kUpDown1) && LOWORD(wParam) == SB_THUMBPOSITION && launcher_)
        launcher_->UpDown1Click();
      return 0;
    case kTitleDoubleClick:
      CompleteStart();
      if (launcher_) launcher_->Command(kList);
      return 0;
    case WM_CONTEXTMENU: ShowPopupMenu(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (reinterpret_cast<HWND>(lParam) == Control(kMemo1)) break;
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCLBUTTONDBLCLK:
      if (launcher_) launcher_->TitleBarDoubleClick(static_cast<int>(wParam));
      break;
    case WM_DEVICECHANGE:
      // A drive that comes or goes may hold the programs of the page.
      if (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE) return TRUE;
      Glyphs().ForgetDrives();
      if (launcher_) launcher_->DrivesChanged();
      return TRUE;
    case WM_SHOWWINDOW:
      // Shown again: the page is looked at anew (the first showing follows its load).
      if (wParam && started_ && launcher_) launcher_->WindowShown();
      break;
    case WM_ACTIVATE:
      // Coming back from another program: which of the page's programs run may have changed.
      if (LOWORD(wParam) != WA_INACTIVE && started_ && launcher_) launcher_->WindowActivated();
      break;
    case WM_CLOSE: OnClose(); return 0;
    case WM_QUERYENDSESSION:
      if (launcher_) launcher_->EndSession();
      return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      // The icons are drawn in the system's colours: again in the new ones.
      for (LaunchButtonControl& button : buttons_) button.RedrawGlyph();
      if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
      break;
    case WM_DPICHANGED: dpi_.HandleMessage(message, wParam, lParam); return 0;
    case WM_DESTROY:
      KillTimer(Handle(), kTimerId);
      KillTimer(Handle(), kRunTimerId);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: DropPostedClosures(Handle()); break;  // they would never run
    default:
      if (message == ClosureMessage()) {
        RunPostedClosure(lParam);
        return 0;
      }
      // Colours 0 and 9 follow the system's colours when they change, all of them the
      // high-contrast mode.
      if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
