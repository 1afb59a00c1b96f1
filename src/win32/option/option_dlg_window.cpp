#include "option/option_dlg_window.h"

#include "base/dpi.h"
#include "base/file_chooser.h"
#include "base/modal.h"
#include "base/palette.h"
#include "base/utf16.h"
#include "option/option_texts.h"

namespace win32 {
namespace {

namespace t = core::texts;
using W = OptionDlgWindow;
using core::OptionBox;

constexpr wchar_t kClassName[] = L"ZubiOptions";
// Without WS_CLIPCHILDREN: the group boxes paint only their frames, the dialog their insides.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 307;
constexpr int kClientHeight = 173;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
// A combo box is created as high as its dropped list; its own face stays 20 high.
constexpr int kDropHeight = 240;

// Client pixels at 96 DPI. A control inside a group box sits at the group's corner
// plus its place in the group (WindowGroupBox 4,4; HotGroupBox 5,37 inside it, so
// 9,41; GroupBox1 196,4; GroupBox2 196,50), as a child of the dialog itself so that
// its notifications reach the dialog. The table's order is the tab order.
constexpr ControlSpec kLayout[] = {
    {W::kWindowGroupBox, L"BUTTON", BS_GROUPBOX, 0, 4, 4, 186, 163, t::kOptionWindowGroup, nullptr, 0, 0},
    {W::kMouseCheckBox, L"BUTTON", kCheck, 0, 8, 20, 53, 17, t::kOptionMouse, nullptr, 0, 0},
    {W::kTrayCheckBox, L"BUTTON", kCheck, 0, 54, 20, 73, 17, t::kOptionTray, nullptr, 0, 0},
    {W::kHotCheckBox, L"BUTTON", kCheck, 0, 124, 20, 57, 17, t::kOptionHot, nullptr, 0, 0},
    {W::kHotGroupBox, L"BUTTON", BS_GROUPBOX, 0, 9, 41, 175, 84, t::kOptionHotGroup, nullptr, 0, 0},
    {W::kComboBox1, L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 14, 81, 97, kDropHeight,
     "", t::kHintKeyList, 0, 0},
    {W::kEdit1, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 14, 57, 164, 20, "", t::kHintHotKeyText, 0, 0},
    {W::kCheckBox2, L"BUTTON", kCheck, 0, 14, 105, 41, 17, t::kOptionCtrl, nullptr, 0, 0},
    {W::kCheckBox3, L"BUTTON", kCheck, 0, 64, 105, 41, 17, t::kOptionAlt, nullptr, 0, 0},
    {W::kCheckBox1, L"BUTTON", kCheck, 0, 114, 105, 49, 17, t::kOptionShift, nullptr, 0, 0},
    {W::kCheckBoxBtn, L"BUTTON", kCheck, 0, 8, 129, 153, 17, t::kOptionBtnClk, nullptr, 0, 0},
    {W::kCheckBoxTitle, L"BUTTON", kCheck, 0, 8, 145, 177, 17, t::kOptionTitleDbClk, nullptr, 0, 0},
    {W::kGroupBox1, L"BUTTON", BS_GROUPBOX, 0, 196, 4, 105, 41, t::kOptionColourGroup, nullptr, 0, 0},
    {W::kComboBox2, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 204, 20, 89, kDropHeight, "",
     t::kHintColourList, 0, 0},
    {W::kGroupBox2, L"BUTTON", BS_GROUPBOX, 0, 196, 50, 105, 62, t::kOptionSoundGroup, nullptr, 0, 0},
    {W::kCheckBoxSound, L"BUTTON", kCheck, 0, 200, 66, 97, 17, t::kOptionSound, nullptr, 0, 0},
    {W::kSelectSndButton, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 212, 85, 75, 20, t::kOptionSelectSound, nullptr, 0,
     1},
    {W::kOKButton, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 215, 115, 75, 25, t::kOptionOk, nullptr, 0, 0},
    {W::kCancelButton, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 215, 145, 75, 25, t::kOptionCancel, nullptr, 0, 0},
};

constexpr ControlName kNames[] = {
    {W::kComboBox1, t::kHintKeyList},
    {W::kEdit1, t::kHintHotKeyText},
    {W::kComboBox2, t::kHintColourList},
};

int BoxId(OptionBox box) {
  switch (box) {
    case OptionBox::kMouse: return W::kMouseCheckBox;
    case OptionBox::kTray: return W::kTrayCheckBox;
    case OptionBox::kHot: return W::kHotCheckBox;
    case OptionBox::kShift: return W::kCheckBox1;
    case OptionBox::kCtrl: return W::kCheckBox2;
    case OptionBox::kAlt: return W::kCheckBox3;
    case OptionBox::kBtnClk: return W::kCheckBoxBtn;
    case OptionBox::kTitleDbClk: return W::kCheckBoxTitle;
    case OptionBox::kSound: return W::kCheckBoxSound;
  }
  return W::kMouseCheckBox;
}

std::optional<OptionBox> BoxOf(int id) {
  for (OptionBox box : {OptionBox::kMouse, OptionBox::kTray, OptionBox::kHot, OptionBox::kShift, OptionBox::kCtrl,
                        OptionBox::kAlt, OptionBox::kBtnClk, OptionBox::kTitleDbClk, OptionBox::kSound})
    if (BoxId(box) == id) return box;
  return std::nullopt;
}

void FillCombo(HWND combo, const std::vector<std::string>& names) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
}

}  // namespace

OptionDlgWindow::OptionDlgWindow(HWND owner) : ModalDialog(owner) {
  UINT dpi =
      CreateDialogFrame(kClassName, Widen(t::kOptionCaption), kClientWidth, kClientHeight, kStyle, kExStyle, owner);
  layout_.Create(Handle(), kLayout, dpi);
  layout_.Name(kNames);
  LayOut(dpi);
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  hints_.Create(Handle());
  for (const ControlSpec& spec : kLayout)
    if (spec.hint) hints_.Add(Control(spec.id), spec.hint);
  // The hint of the key list belongs to its text field too, where the pointer mostly is.
  if (HWND field = FindWindowExW(Control(kComboBox1), nullptr, L"Edit", nullptr)) hints_.Add(field, t::kHintKeyList);
}

void OptionDlgWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);
  layout_.Place(dpi);
  layout_.TakeFonts(FontList(ProgramFont(12, dpi), ProgramFont(11, dpi)));
}

bool OptionDlgWindow::Checked(OptionBox box) const {
  return SendMessageW(Control(BoxId(box)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionDlgWindow::SetChecked(OptionBox box, bool checked) {
  SendMessageW(Control(BoxId(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionDlgWindow::EnableBox(OptionBox box, bool enabled) { EnableWindow(Control(BoxId(box)), enabled); }

std::string OptionDlgWindow::HotKeyText() const { return WindowText(Control(kEdit1)); }

void OptionDlgWindow::SetHotKeyText(const std::string& text) {
  if (text != HotKeyText()) SetWindowTextW(Control(kEdit1), Widen(text).c_str());
}

void OptionDlgWindow::SetKeyList(const std::vector<std::string>& names) { FillCombo(Control(kComboBox1), names); }

int OptionDlgWindow::KeyIndex() const {
  return static_cast<int>(SendMessageW(Control(kComboBox1), CB_GETCURSEL, 0, 0));
}

void OptionDlgWindow::SelectKey(int index) { SendMessageW(Control(kComboBox1), CB_SETCURSEL, index, 0); }

void OptionDlgWindow::SetColourList(const std::vector<std::string>& names) { FillCombo(Control(kComboBox2), names); }

int OptionDlgWindow::ColourIndex() const {
  return static_cast<int>(SendMessageW(Control(kComboBox2), CB_GETCURSEL, 0, 0));
}

void OptionDlgWindow::SelectColour(int index) { SendMessageW(Control(kComboBox2), CB_SETCURSEL, index, 0); }

std::optional<std::string> OptionDlgWindow::ChooseSoundFile(const std::string& folder) {
  return ChooseFileToOpen(Handle(), {t::kSoundDialogTitle, t::kSoundFilterName, t::kSoundFilterPattern, folder});
}

void OptionDlgWindow::ShowModal() {
  dpi_.Place([&] { CentreOnMonitor(Handle(), Owner()); });
  RunModally(Control(kMouseCheckBox));
}

void OptionDlgWindow::SetPanelColour(const core::PanelColour& colour) { background_.Paint(Handle(), colour); }

// The text the key list shows once a change is done: a chosen entry is not in the
// text field yet when its notification arrives.
std::string OptionDlgWindow::KeyListText(int code) const {
  HWND combo = Control(kComboBox1);
  int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (code != CBN_SELCHANGE || index < 0) return WindowText(combo);
  std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcslen(text.c_str()));
  return Narrow(text);
}

void OptionDlgWindow::OnCommand(int id, int code) {
  if (!dialog_) return;
  if (auto box = BoxOf(id); box && code == BN_CLICKED) {
    dialog_->BoxClicked(*box);
    return;
  }
  switch (id) {
    case kComboBox1:
      if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) dialog_->ComboBox1Change(KeyListText(code));
      break;
    case kSelectSndButton:
      if (code == BN_CLICKED) dialog_->SelectSndButtonClick();
      break;
    case kOKButton: dialog_->OKButtonClick(); break;
    case kCancelButton:
      if (code == BN_CLICKED) dialog_->CancelButtonClick();
      break;
    default: break;
  }
}

LRESULT OptionDlgWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case DM_GETDEFID: return MAKELRESULT(kOKButton, DC_HASDEFID);
    case WM_CLOSE: Close(); return 0;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == Control(kEdit1)) return hotKey_.Apply(reinterpret_cast<HDC>(wParam));
      break;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
