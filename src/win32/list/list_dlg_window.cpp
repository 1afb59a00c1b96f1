#include "list/list_dlg_window.h"

#include "base/dpi.h"
#include "base/modal.h"
#include "base/on_screen.h"
#include "base/palette.h"
#include "base/utf16.h"
#include "list/list_texts.h"

namespace win32 {
namespace {

namespace t = core::texts;

constexpr wchar_t kClassName[] = L"ZubiPageList";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 192;
constexpr int kClientHeight = 153;
constexpr int kItemHeight = 12;

const ControlSpec kLayout[] = {
    {ListDlgWindow::kListBox1, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE, 4, 4, 184, 123, "", t::kListHint, 0, 0},
    {ListDlgWindow::kCancelButton, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 72, 130, 55, 20, t::kListCancel,
     nullptr, 0, 0},
};

constexpr ControlName kNames[] = {{ListDlgWindow::kListBox1, t::kListCaption}};

}  // namespace

ListDlgWindow::ListDlgWindow(HWND owner) : ModalDialog(owner) {
  UINT dpi =
      CreateDialogFrame(kClassName, Widen(t::kListCaption), kClientWidth, kClientHeight, kStyle, kExStyle, owner);
  layout_.Create(Handle(), kLayout, dpi);
  layout_.Name(kNames);
  LayOut(dpi);
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  hints_.Create(Handle());
  hints_.Add(Control(kListBox1), t::kListHint);
}

void ListDlgWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);
  layout_.Place(dpi);
  layout_.TakeFonts(FontList(ProgramFont(12, dpi)));
  SendMessageW(Control(kListBox1), LB_SETITEMHEIGHT, 0, Scale(kItemHeight, dpi));
}

// The list draws again only when it is shown: redrawing at each added line is slow.
void ListDlgWindow::ClearItems() {
  SendMessageW(Control(kListBox1), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Control(kListBox1), LB_RESETCONTENT, 0, 0);
}

void ListDlgWindow::AddItem(const std::string& text) {
  SendMessageW(Control(kListBox1), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void ListDlgWindow::SelectItem(int index) { SendMessageW(Control(kListBox1), LB_SETCURSEL, index, 0); }

void ListDlgWindow::MoveTo(core::ScreenPoint position) {
  dpi_.Place([&] { MoveOnScreen(Handle(), position); });
}

void ListDlgWindow::SetPanelColour(const core::PanelColour& colour) { background_.Paint(Handle(), colour); }

void ListDlgWindow::ShowModal() {
  SendMessageW(Control(kListBox1), WM_SETREDRAW, TRUE, 0);
  RunModally(Control(kListBox1));
}

LRESULT ListDlgWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (!dialog_) break;
      if (LOWORD(wParam) == kListBox1 && HIWORD(wParam) == LBN_SELCHANGE) {
        int index = static_cast<int>(SendMessageW(Control(kListBox1), LB_GETCURSEL, 0, 0));
        if (index >= 0) dialog_->ListBox1Click(index);
      } else if (LOWORD(wParam) == kCancelButton) {
        dialog_->CancelButtonClick();
      }
      return 0;
    case DM_GETDEFID: return MAKELRESULT(kCancelButton, DC_HASDEFID);
    case WM_CLOSE: Close(); return 0;
    case WM_CTLCOLORLISTBOX: return list_.Apply(reinterpret_cast<HDC>(wParam));
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
