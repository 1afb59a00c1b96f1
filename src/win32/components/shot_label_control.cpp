#include "components/shot_label_control.h"

#include "base/contrast.h"
#include "base/handles.h"
#include "base/log.h"
#include "base/modal.h"
#include "base/utf16.h"
#include "base/window.h"

namespace win32 {
namespace {

int StyleKey(const core::TFontStyles& s) {
  return (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0) | (s.strikeOut ? 8 : 0);
}

HCURSOR CursorOf(core::TCursor cursor) {
  return LoadCursorW(nullptr, cursor == core::crHandPoint ? IDC_HAND : IDC_ARROW);
}

}  // namespace

void RegisterShotLabelClass() {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kShotLabelClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &ShotLabelControl::Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kShotLabelClass;
  RegisterWindowClass(wc);
}

ShotLabelControl::~ShotLabelControl() {
  if (label_ && IsWindow(label_)) SetWindowLongPtrW(label_, GWLP_USERDATA, 0);
}

void ShotLabelControl::Attach(HWND label) {
  label_ = label;
  SetWindowLongPtrW(label_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  font_ = reinterpret_cast<HFONT>(SendMessageW(label_, WM_GETFONT, 0, 0));
}

void ShotLabelControl::Bind(core::TShotLabel* model) {
  model_ = model;
  Repaint();
}

void ShotLabelControl::Repaint() {
  if (!label_) return;
  if (model_ && WindowText(label_) != model_->Caption()) SetWindowTextW(label_, Widen(model_->Caption()).c_str());
  InvalidateRect(label_, nullptr, TRUE);
}

std::uintptr_t ShotLabelControl::DesktopWindow() const { return reinterpret_cast<std::uintptr_t>(GetDesktopWindow()); }

LRESULT CALLBACK ShotLabelControl::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<ShotLabelControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // The font arrives before the control is attached, so the window keeps it too.
  if (message == WM_SETFONT) SetPropW(hwnd, L"ZubiFont", reinterpret_cast<HANDLE>(wParam));
  if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"ZubiFont"));
  if (message == WM_NCDESTROY) RemovePropW(hwnd, L"ZubiFont");
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    LogCurrentException("link label window procedure");
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// Enter and leave follow the pointer also while the label holds the mouse capture.
void ShotLabelControl::MouseMoved(POINT at) {
  RECT r;
  GetClientRect(label_, &r);
  bool inside = PtInRect(&r, at);
  if (inside && !tracking_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, label_, 0};
    tracking_ = TrackMouseEvent(&track);
  }
  if (inside && !model_->Hover()) model_->MouseEnter();
  if (!inside && model_->Hover()) model_->MouseLeave();
}

LRESULT ShotLabelControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto point = [&] { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; };
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      styled_.clear();
      if (LOWORD(lParam)) InvalidateRect(label_, nullptr, TRUE);
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(label_, message, wParam, lParam);
      if (model_ && lParam) model_->SetCaption(Narrow(reinterpret_cast<const wchar_t*>(lParam)));
      InvalidateRect(label_, nullptr, TRUE);
      return result;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    default: break;
  }
  if (!model_) return DefWindowProcW(label_, message, wParam, lParam);
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      SetCursor(CursorOf(model_->Cursor()));
      return TRUE;
    case WM_MOUSEMOVE: MouseMoved(point()); return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (model_->Hover() && GetCapture() != label_) model_->MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(label_);
      leftDown_ = true;
      model_->MouseDown(core::MouseButton::kLeft);
      return 0;
    case WM_RBUTTONDOWN: model_->MouseDown(core::MouseButton::kRight); return 0;
    case WM_MBUTTONDOWN: model_->MouseDown(core::MouseButton::kMiddle); return 0;
    // A click is a left press and release both on the label; it comes before the release.
    case WM_LBUTTONUP: {
      bool clicked = leftDown_;
      leftDown_ = false;
      if (GetCapture() == label_) ReleaseCapture();
      RECT r;
      GetClientRect(label_, &r);
      if (clicked && PtInRect(&r, point())) model_->Click();
      model_->MouseUp(core::MouseButton::kLeft);
      return 0;
    }
    case WM_RBUTTONUP: model_->MouseUp(core::MouseButton::kRight); return 0;
    case WM_MBUTTONUP: model_->MouseUp(core::MouseButton::kMiddle); return 0;
    case WM_CAPTURECHANGED: leftDown_ = false; return 0;
    default: break;
  }
  return DefWindowProcW(label_, message, wParam, lParam);
}

HFONT ShotLabelControl::FontFor(const core::TFontStyles& style) {
  int key = StyleKey(style);
  HFONT base = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW logFont{};
  GetObjectW(base, sizeof logFont, &logFont);
  if (key == StyleKey({logFont.lfWeight >= FW_BOLD, logFont.lfItalic != 0, logFont.lfUnderline != 0,
                       logFont.lfStrikeOut != 0}))
    return base;
  auto& font = styled_[key];
  if (!font) {
    logFont.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = style.italic;
    logFont.lfUnderline = style.underline;
    logFont.lfStrikeOut = style.strikeOut;
    font.reset(CreateFontIndirectW(&logFont));
  }
  return font.get();
}

// The background is the parent's: it answers WM_CTLCOLORSTATIC as for its labels.
void ShotLabelControl::Paint() {
  PaintDc paint(label_);
  HDC dc = paint.get();
  RECT r;
  GetClientRect(label_, &r);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(label_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(label_)));
  FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  if (model_) {
    const core::TFont& font = model_->Font();
    SelectedObject selected(dc, FontFor(font.Style));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 HighContrast() ? GetSysColor(COLOR_HOTLIGHT) : RGB(font.Color.red, font.Color.green, font.Color.blue));
    std::wstring text = Widen(model_->Caption());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace win32
