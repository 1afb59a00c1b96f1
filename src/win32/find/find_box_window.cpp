#include "find/find_box_window.h"

#include <imm.h>

#include "base/dpi.h"
#include "base/keyboard.h"
#include "base/lazy_library.h"
#include "base/modal.h"
#include "base/on_screen.h"
#include "base/palette.h"
#include "base/utf16.h"
#include "find/find_texts.h"
#include "launch_button/glyph_cache.h"

namespace win32 {
namespace {

namespace t = core::texts;

constexpr wchar_t kClassName[] = L"ZubiFindBox";
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr int kClientWidth = 280;
constexpr int kClientHeight = 236;
constexpr int kLineHeight = 20;
constexpr int kIconSize = 16;
constexpr int kPadding = 3;
// Posted when the box lost the focus: it closes once the activation is over.
constexpr UINT kCloseLater = WM_APP + 1;

const ControlSpec kLayout[] = {
    {FindBoxWindow::kText, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 4, 4, 272, 22, "", nullptr, 0, 0},
};
constexpr ControlName kNames[] = {{FindBoxWindow::kText, t::kFindCue}};
// The list, made apart from the table: it is a window of the program's own.
constexpr RECT kListRect{4, 30, 276, 232};

RECT ListRect(UINT dpi) {
  return {Scale(kListRect.left, dpi), Scale(kListRect.top, dpi), Scale(kListRect.right, dpi),
          Scale(kListRect.bottom, dpi)};
}

// The text of the input method's open composition; empty when none is open.
std::wstring Composition(HWND text) {
  static const auto context = Bind<decltype(&ImmGetContext)>(Imm32(), "ImmGetContext");
  static const auto composition = Bind<decltype(&ImmGetCompositionStringW)>(Imm32(), "ImmGetCompositionStringW");
  static const auto release = Bind<decltype(&ImmReleaseContext)>(Imm32(), "ImmReleaseContext");
  if (!context || !composition || !release) return {};
  HIMC input = context(text);
  if (!input) return {};
  std::wstring composed;
  LONG bytes = composition(input, GCS_COMPSTR, nullptr, 0);
  if (bytes > 0) {
    composed.resize(static_cast<size_t>(bytes) / sizeof(wchar_t));
    composition(input, GCS_COMPSTR, composed.data(), static_cast<DWORD>(bytes));
  }
  release(text, input);
  return composed;
}

RECT RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

FindBoxWindow::FindBoxWindow(HWND launcher) : launcher_(launcher) {
  RegisterOnce(kClassName, 0, nullptr);
  const UINT dpi = DpiOf(launcher);
  SIZE size = OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, false, dpi);
  CreateFor(kExStyle, kClassName, Widen(t::kFindTitle), kStyle, RECT{0, 0, size.cx, size.cy}, launcher, nullptr);
  layout_.Create(Handle(), kLayout, dpi);
  layout_.Name(kNames);
  list_ = std::make_unique<FoundList>(Handle(), kList, ListRect(dpi), Scale(kLineHeight, dpi), t::kFindTitle);
  LayOut(dpi);
  dpi_.Start(Handle(), dpi, [this](UINT newDpi) { LayOut(newDpi); });
  list_->SetLineNamer([this](int index) { return box_ ? box_->LineName(index) : std::string(); });
  list_->SetLineDrawer(
      [this](HDC dc, const RECT& line, int index, bool selected) { DrawLine(dc, line, index, selected); });
  list_->OnChosen = [this](int index) {
    if (box_) box_->SelectionChanged(index);
  };
  list_->OnDoubleClick = [this](int) {
    if (box_) box_->Choose(HeldModifiers());
  };
  SendMessageW(Control(kText), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(Widen(t::kFindCue).c_str()));
  SetWindowSubclass(Control(kText), TextSubclass, 0, reinterpret_cast<DWORD_PTR>(this));
  glyphDc_.reset(CreateCompatibleDC(nullptr));
  // Shown once out of sight: under Wine a window's first showing costs more than its
  // drawing, and the first opening should be as quick as the others.
  SetWindowPos(Handle(), nullptr, -32000, -32000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::ShowWindow(Handle(), SW_HIDE);
}

// Emptied before it shows; the text box reports that change as it reports typing.
void FindBoxWindow::Open() {
  HWND text = Control(kText);
  SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  dpi_.Place([this] { PlaceAgainstLauncher(); });
  ::ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(text);
}

void FindBoxWindow::Close() {
  if (!IsWindowVisible(Handle())) return;
  const bool active = GetActiveWindow() == Handle();
  ::ShowWindow(Handle(), SW_HIDE);
  if (active && IsWindowVisible(launcher_)) SetActiveWindow(launcher_);
}

void FindBoxWindow::PlaceAgainstLauncher() {
  const RECT launcher = RectOf(launcher_), box = RectOf(Handle());
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(launcher_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  MoveOnScreen(Handle(),
               core::PlaceAgainst({launcher.left, launcher.top, launcher.right, launcher.bottom}, box.right - box.left,
                                  box.bottom - box.top, {work.left, work.top, work.right, work.bottom}));
}

void FindBoxWindow::LayOut(UINT dpi) {
  FitFrameToClient(Handle(), kClientWidth, kClientHeight, dpi);
  layout_.Place(dpi);
  layout_.TakeFonts(FontList(ProgramFont(12, dpi)));
  const RECT list = ListRect(dpi);
  SetWindowPos(list_->Handle(), nullptr, list.left, list.top, list.right - list.left, list.bottom - list.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  list_->SetLineHeight(Scale(kLineHeight, dpi));
}

// Nothing found is one grey line.
void FindBoxWindow::ShowLines(int count) {
  nothingFound_ = count == 0;
  list_->SetCount(nothingFound_ ? 1 : count);
}

void FindBoxWindow::SelectLine(int index) { list_->Select(index); }

void FindBoxWindow::SetPanelColour(const core::PanelColour& colour) { background_.Paint(Handle(), colour); }

// An icon column in the button face, where the icons sit as on their buttons; the
// title after it, and the page at the right.
void FindBoxWindow::DrawLine(HDC dc, const RECT& r, int index, bool selected) {
  const int padding = Scale(kPadding, dpi_.Get()), iconSize = Scale(kIconSize, dpi_.Get());
  SelectedObject font(dc, layout_.Font(0));
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  RECT text{r.left + iconSize + 3 * padding, r.top, r.right - padding, r.bottom};
  if (nothingFound_) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, Widen(t::kNothingFound).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return;
  }
  const core::FindLine line = box_ ? box_->Line(index) : core::FindLine{};
  const RECT column{r.left, r.top, r.left + iconSize + 2 * padding, r.bottom};
  FillRect(dc, &column, GetSysColorBrush(COLOR_BTNFACE));
  // On the button face the glyph's own face needs no transparency, which is slow.
  if (!line.glyph.file.empty()) {
    std::shared_ptr<const Glyph> glyph = Glyphs().Get(line.glyph, true, dpi_.Get(), line.dimmed, Handle());
    SelectedObject bitmap(glyphDc_.get(), glyph->bitmap.get());
    BitBlt(dc, r.left + padding, r.top + (r.bottom - r.top - glyph->size) / 2, glyph->size, glyph->size, glyphDc_.get(),
           0, 0, SRCCOPY);
  }
  const RECT band{column.right, r.top, r.right, r.bottom};
  if (selected) FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : line.dimmed ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  const std::wstring page = Widen(line.page);
  DrawTextW(dc, page.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  SIZE pageSize{};
  GetTextExtentPoint32W(dc, page.c_str(), static_cast<int>(page.size()), &pageSize);
  text.right -= pageSize.cx + 2 * padding;
  DrawTextW(dc, Widen(line.text).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// The list's keys work from the text box, which keeps the focus.
bool FindBoxWindow::OnTextKey(WPARAM key) {
  if (!box_) return false;
  const int page = std::max(1, list_->VisibleLines() - 1);
  switch (key) {
    case VK_UP: box_->MoveSelection(-1); return true;
    case VK_DOWN: box_->MoveSelection(1); return true;
    case VK_PRIOR: box_->MoveSelection(-page); return true;
    case VK_NEXT: box_->MoveSelection(page); return true;
    case VK_ESCAPE: box_->Cancel(); return true;
    case VK_RETURN:
      // Enter in an open composition only ends it.
      if (!Composition(Control(kText)).empty()) return false;
      box_->Choose(HeldModifiers());
      return true;
    default: return false;
  }
}

// The list follows the text as it is being composed, not only once it is.
void FindBoxWindow::ComposingChanged() {
  HWND text = Control(kText);
  const std::wstring composed = Composition(text);
  if (composed.empty() || !box_) return;
  std::wstring typed = Widen(WindowText(text));
  DWORD start = 0, end = 0;
  SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, static_cast<DWORD>(typed.size()));
  end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(typed.size()));
  typed.replace(start, end - start, composed);
  box_->TextChanged(Narrow(typed));
}

LRESULT CALLBACK FindBoxWindow::TextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) noexcept {
  auto* window = reinterpret_cast<FindBoxWindow*>(self);
  try {
    switch (message) {
      case WM_KEYDOWN:
        if (window->OnTextKey(wParam)) return 0;
        break;
      case WM_CHAR:
        // Enter and Esc were handled as keys; as characters they would only beep.
        if (wParam == L'\r' || wParam == L'\n' || wParam == 27) return 0;
        break;
      case WM_IME_COMPOSITION: {
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (lParam & GCS_COMPSTR) window->ComposingChanged();
        return result;
      }
      case WM_IME_ENDCOMPOSITION: {
        // A composition given up leaves the text as it was.
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (window->box_) window->box_->TextChanged(WindowText(hwnd));
        return result;
      }
      default: break;
    }
  } catch (...) {
    LogCurrentException("find box text");
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT FindBoxWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; background_.HandleMessage(Handle(), message, wParam, result)) return result;
  if (dpi_.HandleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (!box_) break;
      if (LOWORD(wParam) == kText && HIWORD(wParam) == EN_CHANGE) {
        box_->TextChanged(WindowText(Control(kText)));
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageW(Handle(), kCloseLater, 0, 0);
      break;
    case kGlyphReady: InvalidateRect(Control(kList), nullptr, FALSE); return 0;
    case kCloseLater:
      if (box_ && GetActiveWindow() != Handle()) box_->Cancel();
      return 0;
    case WM_CLOSE:
      if (box_) box_->Cancel();
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
