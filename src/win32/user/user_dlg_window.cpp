#include "user/user_dlg_window.h"

#include <commctrl.h>

#include "base/dpi.h"
#include "base/modal.h"
#include "base/on_screen.h"
#include "base/palette.h"
#include "base/utf16.h"
#include "user/user_texts.h"

namespace win32 {
namespace {

namespace t = core::texts;
using W = UserDlgWindow;

constexpr wchar_t kClassName[] = L"ZubiUserDialog";
// Without WS_CLIPCHILDREN: the group boxes are children that paint only their frames,
// so the dialog paints their insides.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 192;
constexpr int kClientHeight = 203;
constexpr int kItemHeight = 12;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Client pixels at 96 DPI. The controls of a group box sit at the group's corner
// (4,0 and 4,116) plus their place in the group, as children of the dialog itself, so
// that their notifications reach it.
constexpr ControlSpec kLayout[] = {
    {W::kChoiceGroupBox, L"BUTTON", BS_GROUPBOX, 0, 4, 0, 184, 114, t::kUserChoiceGroup, nullptr, 0, 0},
    {W::kListBox1, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, 13,
     176, 97, "", t::kHintUserList, 0, 0},
    {W::kSetGroupBox, L"BUTTON", BS_GROUPBOX, 0, 4, 116, 184, 62, t::kUserSetGroup, nullptr, 0, 0},
    {W::kEdit1, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, 129, 133, 20, "", t::kHintUserName, 0, 0},
    {W::kMemo1, L"EDIT", ES_RIGHT | ES_NUMBER | ES_READONLY, WS_EX_CLIENTEDGE, 144, 129, 25, 20, "1",
     t::kHintUserNumber, 0, 1},
    {W::kUpDown1, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 169, 129, 15, 20, "",
     t::kHintUserNumberArrows, 0, 0},
    {W::kEntryButton, L"BUTTON", kButton, 0, 8, 153, 35, 20, t::kUserEntry, t::kHintUserEntry, 0, 0},
    {W::kChangeButton, L"BUTTON", kButton, 0, 43, 153, 35, 20, t::kUserChange, t::kHintUserChange, 0, 0},
    {W::kDeleteButton, L"BUTTON", kButton, 0, 78, 153, 35, 20, t::kUserDelete, t::kHintUserDelete, 0, 0},
    {W::kLoadButton, L"BUTTON", kButton, 0, 113, 153, 35, 20, t::kUserLoad, t::kHintUserLoad, 0, 0},
    {W::kCopyButton, L"BUTTON", kButton, 0, 148, 153, 35, 20, t::kUserCopy, t::kHintUserCopy, 0, 0},
    {W::kCancelButton, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 40, 181, 55, 20, t::kUserCancel, nullptr, 0, 0},
    {W::kHelpButton, L"BUTTON", kButton, 0, 100, 181, 55, 20, t::kUserHelp, nullptr, 0, 0},
};

constexpr ControlName kNames[] = {
    {W::kListBox1, t::kUserChoiceGroup},
    {W::kEdit1, t::kHintUserName},
    {W::kMemo1, t::kHintUserNumber},
    {W::kUpDown1, t::kHintUserNumberArrows},
};

}  // namespace

UserDlgWindow::UserDlgWindow(HWND owner) : ModalDialog(owner) {
  UINT dpi =
      CreateDialogFrame(kClassName, Widen(t::kUserCaption), kClientWidth, kClientHeight, kStyle, kExStyle, owner);
  layout_.Create(Handle(), kLayout, dpi);
  layout_.Name(kNames);
  HWND upDown = Control(kUpDown1);
  SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(kMemo1)), 0);
  SendMessageW(upDown, UDM_SETRANGE32, 1, core::kUserCount);
  SendMessageW(upDown, UDM_SETPOS32, 0, 1);
  LayOut(dpi);  // after the buddy, which moved the arrows
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  hints_.Create(Handle());
  for (const ControlSpec& spec : kLayout)
    if (spec.hint) hints_.Add(Control(spec.id), spec.hint);
}

void UserDlgWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);
  layout_.Place(dpi);
  layout_.TakeFonts(FontList(ProgramFont(12, dpi), ProgramFont(13, dpi, true)));
  SendMessageW(Control(kListBox1), LB_SETITEMHEIGHT, 0, Scale(kItemHeight, dpi));
  // A new font resets the margins; the narrow number box needs all its width.
  SendMessageW(Control(kMemo1), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void UserDlgWindow::SetListItems(const std::vector<std::string>& names) {
  HWND list = Control(kListBox1);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : names)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void UserDlgWindow::SelectListItem(int index) { SendMessageW(Control(kListBox1), LB_SETCURSEL, index, 0); }

std::string UserDlgWindow::NameText() const { return WindowText(Control(kEdit1)); }

// The box reports the change itself (EN_CHANGE), as it does for typing.
void UserDlgWindow::SetNameText(const std::string& text) {
  if (text != NameText()) SetWindowTextW(Control(kEdit1), Widen(text).c_str());
}

int UserDlgWindow::UserNumber() const { return static_cast<int>(SendMessageW(Control(kUpDown1), UDM_GETPOS32, 0, 0)); }

void UserDlgWindow::SetUserNumber(int n) { SendMessageW(Control(kUpDown1), UDM_SETPOS32, 0, n); }

core::ScreenPoint UserDlgWindow::Position() const {
  RECT r;
  GetWindowRect(Handle(), &r);
  return {r.left, r.top};
}

void UserDlgWindow::MoveTo(core::ScreenPoint position) {
  dpi_.Place([&] { MoveOnScreen(Handle(), position); });
}

void UserDlgWindow::SetPanelColour(const core::PanelColour& colour) { background_.Paint(Handle(), colour); }

// The name field takes the keys first: the list, without a selection, would take its
// first key to select line 1 and switch to user 1.
void UserDlgWindow::ShowModal() {
  SendMessageW(Control(kEdit1), EM_SETSEL, 0, -1);
  RunModally(Control(kEdit1));
}

void UserDlgWindow::OnCommand(int id, int code) {
  if (!dialog_) return;
  switch (id) {
    case kListBox1:
      if (code == LBN_SELCHANGE) {
        int index = static_cast<int>(SendMessageW(Control(kListBox1), LB_GETCURSEL, 0, 0));
        if (index >= 0) dialog_->ListBox1Click(index);
      }
      break;
    case kEdit1:
      if (code == EN_CHANGE) dialog_->Edit1Change();
      break;
    case kEntryButton: dialog_->EntryButtonClick(); break;
    case kChangeButton: dialog_->ChangeButtonClick(); break;
    case kDeleteButton: dialog_->DeleteButtonClick(); break;
    case kLoadButton: dialog_->LoadButtonClick(); break;
    case kCopyButton: dialog_->CopyButtonClick(); break;
    case kHelpButton: dialog_->HelpButtonClick(); break;
    case kCancelButton: dialog_->CancelButtonClick(); break;
    default: break;
  }
}

LRESULT UserDlgWindow::OnControlColour(HDC dc, HWND control) {
  switch (GetDlgCtrlID(control)) {
    case kListBox1: return list_.Apply(dc);
    case kEdit1: return name_.Apply(dc);
    case kMemo1:
      return DefWindowProcW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(control));
    default: return background_.ControlColour(dc);
  }
}

LRESULT UserDlgWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(kUpDown1) && LOWORD(wParam) == SB_THUMBPOSITION && dialog_)
        dialog_->UpDown1Click();
      return 0;
    case DM_GETDEFID: return MAKELRESULT(kCancelButton, DC_HASDEFID);
    case WM_CLOSE: Close(); return 0;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
      if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
