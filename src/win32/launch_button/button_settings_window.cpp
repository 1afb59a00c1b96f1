#include "launch_button/button_settings_window.h"

#include "base/win.h"

#include <commctrl.h>

#include "base/dpi.h"
#include "base/file_chooser.h"
#include "base/modal.h"
#include "base/utf16.h"
#include "launch_button/button_settings_texts.h"
#include "launch_button/glyph_cache.h"

namespace win32 {
namespace {

namespace t = core::texts;
using W = ButtonSettingsWindow;

constexpr wchar_t kClassName[] = L"ZubiButtonSettings";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
constexpr int kOuterWidth = 420;
constexpr int kClientHeight = 216;
constexpr int kLabelHeight = 16;
constexpr DWORD kLabel = SS_NOPREFIX;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Creation order is tab order; labels take no focus.
const ControlSpec kLayout[] = {
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 2, 6, 80, kLabelHeight, t::kSettingsTitleLabel, nullptr, 0, 0},
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 2, 29, 80, kLabelHeight, t::kSettingsPathLabel, nullptr, 0, 0},
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 2, 52, 80, kLabelHeight, t::kSettingsDirLabel, nullptr, 0, 0},
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 2, 75, 80, kLabelHeight, t::kSettingsStateLabel, nullptr, 0, 0},
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 228, 75, 80, kLabelHeight, t::kSettingsOptionLabel, nullptr, 0, 0},
    {0, L"STATIC", kLabel | SS_LEFTNOWORDWRAP, 0, 127, 100, 100, kLabelHeight, t::kSettingsIconLabel, nullptr, 0, 0},
    {W::kTitleEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 83, 2, 287, 22, "", nullptr, 0, 0},
    {W::kPathEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 83, 25, 287, 22, "", nullptr, 0, 0},
    {W::kDirEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 83, 48, 325, 22, "", nullptr, 0, 0},
    {W::kStateList, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 83, 71, 140, 120, "", nullptr, 0, 0},
    {W::kOptionEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 308, 71, 100, 22, "", nullptr, 0, 0},
    {W::kBrowseButton, L"BUTTON", kButton, 0, 372, 24, 35, 22, t::kSettingsBrowse, t::kHintBrowse, 0, 0},
    {W::kDeleteButton, L"BUTTON", kButton, 0, 5, 113, 40, 26, t::kSettingsDelete, t::kHintDelete, 0, 0},
    {W::kIconButton, L"BUTTON", kButton, 0, 83, 99, 40, 40, "", t::kHintIconButton, 0, 0},
    {W::kIconScrollBar, L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, 0, 130, 118, 80, 20, "", t::kHintIconNumber, 0, 0},
    {W::kDefaultIconButton, L"BUTTON", kButton, 0, 216, 117, 40, 22, t::kSettingsDefaultIcon, t::kHintDefaultIcon, 0,
     0},
    {W::kOkButton, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 266, 112, 70, 27, t::kSettingsOk, t::kHintOk, 0, 0},
    {W::kCancelButton, L"BUTTON", kButton, 0, 337, 112, 70, 27, t::kSettingsCancel, t::kHintCancel, 0, 0},
    // The button's own key and what a page started in order waits after it: below the
    // rest, and after it in the tab order.
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 2, 150, 80, kLabelHeight, t::kSettingsHotKeyLabel, nullptr, 0, 0},
    {0, L"STATIC", kLabel | SS_RIGHT, 0, 226, 150, 112, kLabelHeight, t::kSettingsDelayLabel, nullptr, 0, 0},
    {W::kHotKeyEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 83, 146, 140, 22, "", nullptr, 0, 0},
    {W::kSwitchCheck, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 85, 171, 176, 18, t::kSettingsSwitch, nullptr, 0, 0},
    {W::kDelayEdit, L"EDIT", kEdit | ES_NUMBER, WS_EX_CLIENTEDGE, 340, 146, 53, 22, "0", nullptr, 0, 0},
    {W::kDelayUpDown, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 393, 146, 15, 22, "",
     nullptr, 0, 0},
    // A folder button's menu: a row of its own below them, last in the tab order.
    {W::kFolderMenuCheck, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 85, 193, 240, 18, t::kSettingsFolderMenu, nullptr,
     0, 0},
};

// The labels come before all the edits, which they would otherwise not name rightly.
constexpr ControlName kNames[] = {
    {W::kTitleEdit, t::kSettingsTitleLabel},   {W::kPathEdit, t::kSettingsPathLabel},
    {W::kDirEdit, t::kSettingsDirLabel},       {W::kStateList, t::kSettingsStateLabel},
    {W::kOptionEdit, t::kSettingsOptionLabel}, {W::kIconButton, t::kHintIconButton},
    {W::kIconScrollBar, t::kHintIconNumber},   {W::kHotKeyEdit, t::kSettingsHotKeyLabel},
    {W::kDelayEdit, t::kSettingsDelayLabel},
};

int EditOf(core::SettingsField field) {
  switch (field) {
    case core::SettingsField::kTitle: return W::kTitleEdit;
    case core::SettingsField::kPath: return W::kPathEdit;
    case core::SettingsField::kDirectory: return W::kDirEdit;
    case core::SettingsField::kOption: return W::kOptionEdit;
    case core::SettingsField::kHotKey: return W::kHotKeyEdit;
    case core::SettingsField::kStartDelay: return W::kDelayEdit;
  }
  return W::kTitleEdit;
}

// The system's dialog font at this DPI.
UniqueHfont DialogFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(DpiOf(nullptr)));
  return UniqueHfont(CreateFontIndirectW(&font));
}

}  // namespace

std::function<std::optional<std::string>()>& ButtonSettingsWindow::FileChooser() {
  static std::function<std::optional<std::string>()> chooser;
  return chooser;
}

ButtonSettingsWindow::ButtonSettingsWindow(HWND button, HWND owner) : ModalDialog(owner), button_(button) {
  RegisterOnce(kClassName, 0, GetSysColorBrush(COLOR_BTNFACE));
  const UINT dpi = DpiOf(button);
  const SIZE frame = OuterSizeForClient(0, kClientHeight, kStyle, kExStyle, false, dpi);
  CreateFor(kExStyle, kClassName, Widen(t::kSettingsCaption), kStyle, RECT{0, 0, Scale(kOuterWidth, dpi), frame.cy},
            owner, nullptr);
  layout_.Create(Handle(), kLayout, dpi);
  layout_.Name(kNames);
  for (const char* state : {t::kStateNormal, t::kStateMinimized, t::kStateMaximized})
    SendMessageW(Control(kStateList), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(state).c_str()));
  const HWND upDown = Control(kDelayUpDown);
  SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(kDelayEdit)), 0);
  SendMessageW(upDown, UDM_SETRANGE32, 0, core::kLongestStartDelay);
  SendMessageW(upDown, UDM_SETPOS32, 0, 0);
  LayOut(dpi);
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  hints_.Create(Handle());
  for (const ControlSpec& spec : layout_.Specs())
    if (spec.hint) hints_.Add(Control(spec.id), spec.hint);
}

// The frame's outer width is fixed, its height follows the fields.
void ButtonSettingsWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kOuterWidth, kClientHeight, dpi, true);
  layout_.Place(dpi);
  layout_.TakeFonts(FontList(DialogFont(dpi)));
  if (preview_) ShowPreview(previewSource_, previewSmall_);
}

std::optional<std::string> ButtonSettingsWindow::ChooseFile() {
  return FileChooser() ? FileChooser()() : ChooseFileToOpen(Handle());
}

core::ScreenRect ButtonSettingsWindow::ButtonRect() const {
  RECT r;
  GetWindowRect(button_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

core::ScreenRect ButtonSettingsWindow::MonitorRect() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(button_, MONITOR_DEFAULTTONEAREST), &info);
  return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

int ButtonSettingsWindow::OuterWidth() const {
  RECT r;
  GetWindowRect(Handle(), &r);
  return r.right - r.left;
}

void ButtonSettingsWindow::MoveTo(core::ScreenPoint position) {
  dpi_.Place([&] {
    SetWindowPos(Handle(), nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

std::string ButtonSettingsWindow::Text(core::SettingsField field) const {
  HWND edit = Control(EditOf(field));
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void ButtonSettingsWindow::SetText(core::SettingsField field, const std::string& text) {
  SetWindowTextW(Control(EditOf(field)), Widen(text).c_str());
}

void ButtonSettingsWindow::FocusField(core::SettingsField field) {
  HWND edit = Control(EditOf(field));
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

void ButtonSettingsWindow::SelectState(int index) { SendMessageW(Control(kStateList), CB_SETCURSEL, index, 0); }

int ButtonSettingsWindow::CheckOf(core::SettingsCheck box) {
  return box == core::SettingsCheck::kSwitch ? kSwitchCheck : kFolderMenuCheck;
}

bool ButtonSettingsWindow::Checked(core::SettingsCheck box) const {
  return SendMessageW(Control(CheckOf(box)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ButtonSettingsWindow::SetChecked(core::SettingsCheck box, bool checked) {
  SendMessageW(Control(CheckOf(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ButtonSettingsWindow::SetScrollRange(int max) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
  info.nMax = max;
  SetScrollInfo(Control(kIconScrollBar), SB_CTL, &info, TRUE);
}

void ButtonSettingsWindow::SetScrollPosition(int position) {
  SetScrollPos(Control(kIconScrollBar), SB_CTL, position, TRUE);
}

void ButtonSettingsWindow::ShowPreview(const core::GlyphSource& source, bool small) {
  previewSource_ = source;
  previewSmall_ = small;
  preview_ = Glyphs().Get(source, small, dpi_.Get(), false, Handle());
  InvalidateRect(Control(kIconButton), nullptr, TRUE);
}

void ButtonSettingsWindow::RemovePreview() {
  preview_.reset();
  InvalidateRect(Control(kIconButton), nullptr, TRUE);
}

void ButtonSettingsWindow::ShowModal() { RunModally(Control(kTitleEdit)); }

void ButtonSettingsWindow::OnCommand(int id, int code) {
  if (!dialog_) return;
  switch (id) {
    case kStateList:
      if (code == CBN_SELCHANGE)
        dialog_->StateChange(static_cast<int>(SendMessageW(Control(kStateList), CB_GETCURSEL, 0, 0)));
      break;
    case kBrowseButton: dialog_->BrowseClick(); break;
    case kIconButton: dialog_->IconClick(); break;
    case kDefaultIconButton: dialog_->DefaultIconClick(); break;
    case kDeleteButton: dialog_->DeleteClick(); break;
    case kOkButton: dialog_->OKClick(); break;
    case kCancelButton: dialog_->CancelClick(); break;
    default: break;
  }
}

void ButtonSettingsWindow::OnScroll(int request) {
  HWND bar = Control(kIconScrollBar);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINELEFT: --position; break;
    case SB_LINERIGHT: ++position; break;
    case SB_PAGELEFT: position -= 3; break;
    case SB_PAGERIGHT: position += 3; break;
    case SB_LEFT: position = info.nMin; break;
    case SB_RIGHT: position = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    default: return;
  }
  position = std::max(info.nMin, std::min(position, info.nMax));
  SetScrollPos(bar, SB_CTL, position, TRUE);
  if (dialog_) dialog_->ScrollBarChange(position);
}

LRESULT ButtonSettingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case kGlyphReady:
      if (preview_) ShowPreview(previewSource_, previewSmall_);
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(kIconScrollBar)) OnScroll(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == kIconButton && header.code == NM_CUSTOMDRAW)
        return DrawGlyphOnButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), preview_.get());
      return 0;
    }
    case DM_GETDEFID: return MAKELRESULT(kOkButton, DC_HASDEFID);
    case WM_CLOSE:
      if (dialog_)
        dialog_->CancelClick();
      else
        Close();
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
