#include "copy/copy_dlg_window.h"

#include "base/dpi.h"
#include "base/modal.h"
#include "base/palette.h"
#include "base/utf16.h"
#include "copy/copy_texts.h"

namespace win32 {
namespace {

namespace t = core::texts;

constexpr wchar_t kClassName[] = L"ZubiDataCopy";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 342;
constexpr int kClientHeight = 184;
constexpr int kItemHeight = 12;
constexpr DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

// Font 0 is the dialog's, font 1 the bold arrow's.
const ControlSpec kLayout[] = {
    {CopyDlgWindow::kSrcList, L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, 4, 20, 155, 137, "", t::kHintSrcList, 0, 0},
    {CopyDlgWindow::kDstList, L"LISTBOX", kListStyle | LBS_EXTENDEDSEL | WS_DISABLED, WS_EX_CLIENTEDGE, 183, 20, 155,
     137, "", t::kHintDstList, 0, 0},
    {CopyDlgWindow::kOKBtn, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 85, 161, 55, 20, t::kCopyOK, nullptr, 0, 0},
    {CopyDlgWindow::kCancelBtn, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 145, 161, 55, 20, t::kCopyCancel, nullptr, 0,
     0},
    {CopyDlgWindow::kHelpBtn, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 205, 161, 55, 20, t::kCopyHelp, nullptr, 0, 0},
    {CopyDlgWindow::kSrcLabel, L"STATIC", SS_LEFT, 0, 4, 4, 69, 16, t::kCopySrcLabel, nullptr, 0, 0},
    {CopyDlgWindow::kDstLabel, L"STATIC", SS_LEFT, 0, 180, 4, 77, 16, t::kCopyDstLabel, nullptr, 0, 0},
    {CopyDlgWindow::kLabel1, L"STATIC", SS_LEFT, 0, 161, 75, 22, 21, t::kCopyArrow, nullptr, 0, 1},
};

// The lists come before their labels.
constexpr ControlName kNames[] = {
    {CopyDlgWindow::kSrcList, t::kCopySrcLabel},
    {CopyDlgWindow::kDstList, t::kCopyDstLabel},
};

void FillList(HWND list, const std::vector<std::string>& items) {
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const auto& item : items) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

}  // namespace

CopyDlgWindow::CopyDlgWindow(HWND owner) : ModalDialog(owner) {
  UINT dpi =
      CreateDialogFrame(kClassName, Widen(t::kCopyCaption), kClientWidth, kClientHeight, kStyle, kExStyle, owner);
  layout_.Create(Handle(), kLayout, dpi);
  layout_.Name(kNames);
  LayOut(dpi);
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  hints_.Create(Handle());
  hints_.Add(Control(kSrcList), t::kHintSrcList);
  hints_.Add(Control(kDstList), t::kHintDstList);
}

void CopyDlgWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);
  layout_.Place(dpi);
  layout_.TakeFonts(FontList(ProgramFont(12, dpi), ProgramFont(21, dpi, true)));
  for (int list : {kSrcList, kDstList}) SendMessageW(Control(list), LB_SETITEMHEIGHT, 0, Scale(kItemHeight, dpi));
}

void CopyDlgWindow::SetSourceItems(const std::vector<std::string>& items) { FillList(Control(kSrcList), items); }

void CopyDlgWindow::SetDestinationItems(const std::vector<std::string>& items) { FillList(Control(kDstList), items); }

int CopyDlgWindow::SourceSelection() const {
  return static_cast<int>(SendMessageW(Control(kSrcList), LB_GETCURSEL, 0, 0));
}

void CopyDlgWindow::DeselectSource() { SendMessageW(Control(kSrcList), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }

int CopyDlgWindow::DestinationFocus() const {
  if (SendMessageW(Control(kDstList), LB_GETCOUNT, 0, 0) <= 0) return -1;
  return static_cast<int>(SendMessageW(Control(kDstList), LB_GETCARETINDEX, 0, 0));
}

bool CopyDlgWindow::IsDestinationSelected(int index) const {
  return SendMessageW(Control(kDstList), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

// Some list boxes move the caret to an entry whose selection changes; the focused
// entry is the one last clicked, so it is put back.
void CopyDlgWindow::SelectDestination(int index, bool selected) {
  HWND list = Control(kDstList);
  LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  SendMessageW(list, LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index));
  if (caret >= 0 && SendMessageW(list, LB_GETCARETINDEX, 0, 0) != caret)
    SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
}

void CopyDlgWindow::EnableDestinationList(bool enabled) { EnableWindow(Control(kDstList), enabled); }

void CopyDlgWindow::EnableOK(bool enabled) { EnableWindow(Control(kOKBtn), enabled); }

void CopyDlgWindow::SetSourceHint(const std::string& text) { hints_.SetText(Control(kSrcList), text); }

void CopyDlgWindow::SetDestinationHint(const std::string& text) { hints_.SetText(Control(kDstList), text); }

void CopyDlgWindow::SetPanelColour(const core::PanelColour& colour) { background_.Paint(Handle(), colour); }

void CopyDlgWindow::ShowModal() {
  dpi_.Place([&] { CentreOnMonitor(Handle(), Owner()); });
  RunModally(Control(kSrcList));
}

LRESULT CopyDlgWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (!dialog_) break;
      switch (LOWORD(wParam)) {
        case kSrcList:
          if (HIWORD(wParam) == LBN_SELCHANGE) dialog_->SrcListClick();
          break;
        case kDstList:
          if (HIWORD(wParam) == LBN_SELCHANGE) dialog_->DstListClick();
          break;
        case kOKBtn:
          if (IsWindowEnabled(Control(kOKBtn))) dialog_->OKBtnClick();
          break;
        case kCancelBtn: dialog_->CancelBtnClick(); break;
        case kHelpBtn: dialog_->HelpBtnClick(); break;
        default: break;
      }
      return 0;
    case DM_GETDEFID: return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_CTLCOLORLISTBOX: return list_.Apply(reinterpret_cast<HDC>(wParam));
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
