#include "launch_button/launch_button_control.h"

#include "base/win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "base/contrast.h"
#include "base/keyboard.h"
#include "base/lazy_library.h"
#include "base/log.h"
#include "base/utf16.h"
#include "launch_button/button_settings_window.h"
#include "launch_button/glyph_cache.h"

namespace win32 {
namespace {

// The modifier keys of a mouse message (Alt is not among its flags).
core::ShiftState ShiftOfMouse(WPARAM flags) {
  return {(flags & MK_SHIFT) != 0, (flags & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0};
}

constexpr UINT_PTR kFlashTimer = 0x5A42;  // apart from any timer of the button itself
constexpr UINT kFlashTime = 1000;
// The running mark: a green dot with a white ring and a dark edge, which reads on any
// face and glyph; at 96 DPI.
constexpr int kMarkSize = 7;
constexpr int kMarkInset = 3;
constexpr COLORREF kMarkGreen = RGB(0, 176, 80);
constexpr COLORREF kMarkEdge = RGB(32, 32, 32);
constexpr COLORREF kFlashColour = RGB(255, 0, 0);
constexpr int kFlashWidth = 3;
constexpr int kCrossWidth = 2;
constexpr int kFocusInset = 2;

}  // namespace

LaunchButtonControl::~LaunchButtonControl() {
  if (dropTarget_) dropTarget_->Revoke();  // where the window outlives this
  if (!button_) return;
  RemoveWindowSubclass(button_, Subclass, 0);
}

void LaunchButtonControl::Attach(HWND button, UINT dpi) {
  button_ = button;
  dpi_ = dpi;
  SetWindowSubclass(button_, Subclass, 0, reinterpret_cast<DWORD_PTR>(this));
}

void LaunchButtonControl::AcceptDrags() {
  if (dropTarget_ || !button_) return;
  dropTarget_ = ComPtr<ButtonDropTarget>(new ButtonDropTarget([this] { return model_ && model_->AcceptDragFile(); },
                                                              [this](const std::vector<std::string>& targets) {
                                                                if (model_) model_->FilesDropped(targets);
                                                              }));
  if (!dropTarget_->Register(button_)) dropTarget_.reset();
}

void LaunchButtonControl::SetHints(Tooltips* hints) {
  hints_ = hints;
  if (hints_) hints_->Add(button_, hint_);
}

void LaunchButtonControl::SetDpi(UINT dpi) {
  dpi_ = dpi;
  RedrawGlyph();
}

void LaunchButtonControl::RedrawGlyph() {
  if (hasGlyph_) DrawGlyph(source_, small_);
}

void LaunchButtonControl::SetHint(const std::string& hint) {
  hint_ = hint;
  if (hints_) hints_->SetText(button_, hint_);
}

// The face shows no text: the name is told only to screen readers, and those that
// listen hear of the change.
void LaunchButtonControl::SetAccessibleName(const std::string& name, const std::string& description) {
  if (std::wstring about = Widen(description); about != description_) {
    description_ = std::move(about);
    NotifyAccessible(button_, EVENT_OBJECT_DESCRIPTIONCHANGE);
  }
  std::wstring wide = Widen(name);
  if (wide == name_) return;
  name_ = std::move(wide);
  NotifyAccessible(button_, EVENT_OBJECT_NAMECHANGE);
}

void LaunchButtonControl::Repaint() { InvalidateRect(button_, nullptr, TRUE); }

void LaunchButtonControl::DrawGlyph(const core::GlyphSource& source, bool small) {
  source_ = source;
  small_ = small;
  glyph_ = Glyphs().Get(source, small, dpi_, dimmed_, button_);
  hasGlyph_ = true;
  Repaint();
}

void LaunchButtonControl::SetDimmed(bool dimmed) {
  if (dimmed == dimmed_) return;
  dimmed_ = dimmed;
  RedrawGlyph();
}

void LaunchButtonControl::SetRunning(bool running) {
  if (running == running_) return;
  running_ = running;
  Repaint();
}

void LaunchButtonControl::Flash() {
  flashing_ = true;
  SetTimer(button_, kFlashTimer, kFlashTime, nullptr);
  Repaint();
}

void LaunchButtonControl::RemoveGlyph() {
  hasGlyph_ = false;
  glyph_.reset();
  Repaint();
}

// What registering a window with the shell for dropped files amounts to; setting the
// style directly spares loading the shell at start-up.
void LaunchButtonControl::AcceptFiles(bool accept) {
  LONG_PTR style = GetWindowLongPtrW(button_, GWL_EXSTYLE);
  if (((style & WS_EX_ACCEPTFILES) != 0) == accept) return;
  SetWindowLongPtrW(button_, GWL_EXSTYLE, accept ? (style | WS_EX_ACCEPTFILES) : (style & ~WS_EX_ACCEPTFILES));
}

LRESULT LaunchButtonControl::OnCustomDraw(const NMCUSTOMDRAW& draw) {
  LRESULT result = DrawGlyphOnButton(draw, hasGlyph_ ? glyph_.get() : nullptr);
  if (draw.dwDrawStage != CDDS_POSTPAINT) return result;
  DrawMarks(draw.hdc);
  if ((draw.uItemState & CDIS_FOCUS) && keyboardFocus_ &&
      !(SendMessageW(button_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
    DrawFocus(draw.hdc);
  return result;
}

// The face's own focus mark lies under the glyph; this one lies just inside the edge,
// and shows only for a focus the keyboard gave (Wine keeps no state of its own for it).
void LaunchButtonControl::DrawFocus(HDC dc) const {
  RECT r;
  GetClientRect(button_, &r);
  const int inset = Scale(kFocusInset, dpi_);
  InflateRect(&r, -inset, -inset);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  DrawFocusRect(dc, &r);
}

// Over the glyph: the running mark in the bottom-right corner, the flash's frame. In
// high contrast they take the system's colours, and a missing program's greyed glyph
// gains a cross in the top-left corner, so that each state reads by its shape.
void LaunchButtonControl::DrawMarks(HDC dc) const {
  RECT r;
  GetClientRect(button_, &r);
  const bool system = HighContrast();
  const int size = Scale(kMarkSize, dpi_), inset = Scale(kMarkInset, dpi_);
  if (running_) {
    UniqueHbrush fill(CreateSolidBrush(system ? GetSysColor(COLOR_HIGHLIGHT) : kMarkGreen));
    UniqueHpen edge(CreatePen(PS_SOLID, 1, system ? GetSysColor(COLOR_BTNTEXT) : kMarkEdge));
    SelectedObject brush(dc, fill.get()), pen(dc, edge.get());
    Ellipse(dc, r.right - inset - size, r.bottom - inset - size, r.right - inset, r.bottom - inset);
  }
  if (dimmed_ && system) {
    UniqueHpen stroke(CreatePen(PS_SOLID, Scale(kCrossWidth, dpi_), GetSysColor(COLOR_BTNTEXT)));
    SelectedObject pen(dc, stroke.get());
    const int left = r.left + inset, top = r.top + inset;
    MoveToEx(dc, left, top, nullptr);
    LineTo(dc, left + size, top + size);
    MoveToEx(dc, left + size, top, nullptr);
    LineTo(dc, left, top + size);
  }
  if (flashing_) {
    const int width = Scale(kFlashWidth, dpi_);
    UniqueHbrush frame(CreateSolidBrush(system ? GetSysColor(COLOR_HIGHLIGHT) : kFlashColour));
    for (int i = 0; i < width; ++i) {
      RECT ring{r.left + i, r.top + i, r.right - i, r.bottom - i};
      FrameRect(dc, &ring, frame.get());
    }
  }
}

std::unique_ptr<core::ButtonSettingsView> LaunchButtonControl::CreateSettingsView() {
  return std::make_unique<ButtonSettingsWindow>(button_, GetAncestor(button_, GA_ROOT));
}

// A click within a left release makes it a click; a click from the keyboard has no
// release of its own, and the keys held down now count.
void LaunchButtonControl::Clicked() {
  if (releaseClicked_) {
    releaseClicked_ = true;
    return;
  }
  if (model_) model_->KeyboardClick(HeldModifiers());
}

void LaunchButtonControl::Dropped(HDROP drop) {
  static const auto finish = win32::Bind<decltype(&DragFinish)>(Shell32(), "DragFinish");
  std::vector<std::string> paths;
  if (model_ && model_->AcceptDragFile()) paths = DroppedPaths(drop);
  if (finish) finish(drop);
  if (model_) model_->FilesDropped(paths);
}

// The button's own handling of a release runs first: it reports the click when the
// release is over the button; then the release activates the button, a click or not.
LRESULT CALLBACK LaunchButtonControl::Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self) noexcept {
  auto* control = reinterpret_cast<LaunchButtonControl*>(self);
  // The system's hold on the drop target ends while the window still exists.
  if (message == WM_DESTROY && control->dropTarget_) control->dropTarget_->Revoke();
  core::TLaunchButton* model = control->model_;
  if (!model) return DefSubclassProc(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        model->MouseDown(core::MouseButton::kLeft);
        control->pressing_ = true;  // the focus this press gives is the pointer's
        result = DefSubclassProc(hwnd, message, wParam, lParam);
        control->pressing_ = false;
        return result;
      case WM_SETFOCUS: control->keyboardFocus_ = !control->pressing_; break;
      case WM_RBUTTONDOWN: model->MouseDown(core::MouseButton::kRight); break;
      case WM_MBUTTONDOWN: model->MouseDown(core::MouseButton::kMiddle); break;
      case WM_LBUTTONUP: {
        control->releaseClicked_ = false;
        result = DefSubclassProc(hwnd, message, wParam, lParam);
        const bool clicked = *control->releaseClicked_;
        control->releaseClicked_.reset();
        model->MouseUp(core::MouseButton::kLeft, ShiftOfMouse(wParam), clicked);
        return result;
      }
      case WM_RBUTTONUP: model->MouseUp(core::MouseButton::kRight); break;
      case WM_MBUTTONUP: model->MouseUp(core::MouseButton::kMiddle); break;
      case WM_DROPFILES: control->Dropped(reinterpret_cast<HDROP>(wParam)); return 0;
      case kDropTaken:
        if (control->dropTarget_) control->dropTarget_->DeliverDrops();
        return 0;
      case WM_GETDLGCODE: {
        // Enter is the button's own, as Space is: it is not the dialog keys' default.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
        return result;
      }
      // Once per press: a held key repeats. Alt+Enter opens the settings dialog, as a
      // right click does.
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (wParam != VK_RETURN) break;
        if (lParam & (1 << 30)) return 0;
        if (message == WM_KEYDOWN)
          model->KeyboardClick(HeldModifiers());
        else
          model->SettingsKey();
        return 0;
      case WM_CHAR:
      case WM_SYSCHAR:
        if (wParam == L'\r') return 0;  // the key was taken; as a character it would beep
        break;
      case kGlyphReady: control->RedrawGlyph(); return 0;
      case WM_GETOBJECT:
        if (LRESULT answer = AnswerAccessible(hwnd, *control, wParam, lParam)) return answer;
        break;
      case WM_CONTEXTMENU:
        // Only the keyboard's: a right click opens the settings dialog and nothing else.
        if (lParam != -1) return 0;
        model->ContextMenuKey();
        return 0;
      case WM_TIMER:
        if (wParam != kFlashTimer) break;
        KillTimer(hwnd, kFlashTimer);
        control->flashing_ = false;
        control->Repaint();
        return 0;
      default: break;
    }
  } catch (...) {
    LogCurrentException("launch button window procedure");
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace win32
