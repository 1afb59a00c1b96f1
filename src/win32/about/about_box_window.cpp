#include "about/about_box_window.h"

#include <algorithm>

#include "about/about_texts.h"
#include "base/dpi.h"
#include "base/handles.h"
#include "base/modal.h"
#include "base/palette.h"
#include "base/utf16.h"
#include "base/window.h"

namespace win32 {
namespace {

namespace t = core::texts;
using W = AboutBoxWindow;

constexpr wchar_t kClassName[] = L"ZubiAboutBox";
constexpr wchar_t kPanelClassName[] = L"ZubiAboutPanel";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 352;
constexpr int kClientHeight = 100;
constexpr int kIconSize = 33;
constexpr int kProgramIconId = 1;
constexpr int kBevel = 2;
// Labels keep to one line, as wide as their box.
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

// Client pixels at 96 DPI; the controls of the panel at their place in it.
constexpr ControlSpec kLayout[] = {
    {W::kPanel1, kPanelClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 6, 4, 342, 65, "", nullptr, 0, 0},
    {W::kProgramIcon, L"STATIC", SS_ICON | SS_REALSIZECONTROL, 0, 13, 8, kIconSize, kIconSize, "", nullptr, W::kPanel1,
     0},
    {W::kProductName, L"STATIC", kLabel, 0, 60, 8, 268, 12, "", nullptr, W::kPanel1, 0},
    {W::kVersion, L"STATIC", kLabel, 0, 80, 22, 57, 12, "", nullptr, W::kPanel1, 0},
    {W::kNotice, L"STATIC", kLabel, 0, 160, 25, 173, 12, "", nullptr, W::kPanel1, 0},
    {W::kShotLabelMail, kShotLabelClass, 0, 0, 8, 45, 133, 12, "", nullptr, W::kPanel1, 0},
    {W::kShotLabelURL, kShotLabelClass, 0, 0, 152, 45, 178, 12, "", nullptr, W::kPanel1, 0},
    {W::kOKButton, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 144, 75, 55, 20, t::kAboutOK, nullptr, 0, 0},
};

// The panel takes the dialog's colour (asked like a label) inside a raised inner and
// a lowered outer bevel, and passes its controls' messages on to the dialog.
LRESULT CALLBACK PanelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      RECT r;
      GetClientRect(hwnd, &r);
      auto brush = reinterpret_cast<HBRUSH>(
          SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd)));
      FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      DrawEdge(dc, &r, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
      return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void RegisterPanel() {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kPanelClassName, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PanelProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClassName;
  RegisterWindowClass(wc);
}

// A label is at least as wide as its text, like the toolkit's self-sizing labels: a
// face that stands in for the layout's font may be wider, and a cut version number
// would be wrong.
void WidenToText(HWND control) {
  std::wstring text = Widen(WindowText(control));
  SIZE extent{};
  {
    WindowDc dc(control);
    SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  }
  RECT r, parent;
  GetClientRect(control, &r);
  GetWindowRect(control, &parent);
  POINT corner{parent.left, parent.top};
  ScreenToClient(GetParent(control), &corner);
  GetClientRect(GetParent(control), &parent);
  // Never over the panel's bevel.
  LONG width = std::min<LONG>(extent.cx, parent.right - kBevel - corner.x);
  if (width > r.right)
    SetWindowPos(control, nullptr, 0, 0, width, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ControlOf(core::AboutLabel label) {
  switch (label) {
    case core::AboutLabel::kProductName: return W::kProductName;
    case core::AboutLabel::kVersion: return W::kVersion;
    case core::AboutLabel::kNotice: return W::kNotice;
  }
  return 0;
}

}  // namespace

AboutBoxWindow::AboutBoxWindow(HWND owner) : ModalDialog(owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterOnce(kClassName, 0, nullptr, LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconId)));
  RegisterPanel();
  RegisterShotLabelClass();
  UINT dpi = DpiOf(owner);
  SIZE size = OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, false, dpi);
  CreateFor(kExStyle, kClassName, Widen(t::kAboutCaption), kStyle, RECT{0, 0, size.cx, size.cy}, owner, nullptr);
  layout_.Create(Handle(), kLayout, dpi);
  LayOut(dpi);
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  mail_.Attach(Control(kShotLabelMail));
  url_.Attach(Control(kShotLabelURL));
}

void AboutBoxWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);
  layout_.TakeFonts(FontList(ProgramFont(12, dpi)));
  // The icon is drawn to fill its box, whatever sizes the resource holds.
  const int iconSize = Scale(kIconSize, dpi);
  UniqueHicon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                                                 IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR)));
  SendMessageW(Control(kProgramIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);
  layout_.Place(dpi);  // taking an icon resizes the image control
  FitLabels();
}

void AboutBoxWindow::Attach(core::TAboutBox* dialog) {
  dialog_ = dialog;
  mail_.Bind(dialog ? &dialog->ShotLabelMail : nullptr);
  url_.Bind(dialog ? &dialog->ShotLabelURL : nullptr);
}

void AboutBoxWindow::SetLabelText(core::AboutLabel label, const std::string& text) {
  HWND control = Control(ControlOf(label));
  SetWindowTextW(control, Widen(text).c_str());
  WidenToText(control);
}

void AboutBoxWindow::FitLabels() {
  for (int id : {kProductName, kVersion, kNotice, kShotLabelMail, kShotLabelURL}) WidenToText(Control(id));
}

void AboutBoxWindow::SetPanelColour(const core::PanelColour& colour) {
  background_.Paint(Handle(), colour);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void AboutBoxWindow::ShowModal() {
  FitLabels();
  dpi_.Place([&] { CentreOnMonitor(Handle(), Owner()); });
  RunModally(Control(kOKButton));
}

// The two coloured labels keep their colours; the rest take the dialog's.
LRESULT AboutBoxWindow::LabelColour(HDC dc, HWND control) {
  int id = GetDlgCtrlID(control);
  if (id == kProductName) return productName_.Apply(dc);
  if (id == kVersion) return version_.Apply(dc);
  SetTextColor(dc, id == kNotice ? kBlack : kWhite);
  return background_.ControlColour(dc);  // in high contrast, with the system's text colour
}

LRESULT AboutBoxWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) return LabelColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (dialog_ && LOWORD(wParam) == kOKButton) dialog_->OKButtonClick();
      return 0;
    case DM_GETDEFID: return MAKELRESULT(kOKButton, DC_HASDEFID);
    case WM_CLOSE: Close(); return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
