#include "launch/clock_label.h"

#include <optional>
#include <string>

#include "base/handles.h"
#include "base/window.h"

namespace win32 {
namespace {

// What a label keeps beside its own DC. The font given by WM_SETFONT is selected only
// to measure it; the text is drawn in a twin without the underline, and the underline,
// if any, as a bar: the underline of a text run would make GDI fetch the font's outline
// metrics and draw a polygon with a new pen and brush at every paint.
struct ClockLabel {
  HFONT font = nullptr;  // as given; the owner deletes it
  UniqueHfont plain;     // the same font without the underline, when it has one
  // The font or its twin, selected into the label's own DC from one WM_SETFONT to the
  // next; declared after `plain`, so that it lets go of the twin before the twin goes.
  std::optional<SelectedObject> selected;
  int height = 0;
  int underlineTop = 0;
  int underlineSize = 0;
};

ClockLabel* StateOf(HWND label) { return reinterpret_cast<ClockLabel*>(GetWindowLongPtrW(label, GWLP_USERDATA)); }

std::wstring TextOf(HWND label) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  return text;
}

// One line from the top, at the side the label's style names. Clock texts hold no tabs
// and, with SS_NOPREFIX, no mnemonics: the text is drawn as it stands.
void Paint(HWND label, const ClockLabel& state, HDC dc) {
  RECT client;
  GetClientRect(label, &client);
  // The own DC keeps what the last paint set; each paint starts from a fresh DC's colours.
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  if (!IsWindowEnabled(label)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

  std::wstring text = TextOf(label);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  auto style = static_cast<DWORD>(GetWindowLongPtrW(label, GWL_STYLE));
  int x = client.left;
  if ((style & SS_TYPEMASK) == SS_RIGHT) x = client.right - size.cx;
  if ((style & SS_TYPEMASK) == SS_CENTER) x = (client.left + client.right - size.cx) / 2;
  ExtTextOutW(dc, x, client.top, ETO_CLIPPED, &client, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  if (state.underlineSize > 0) {
    RECT bar{x, client.top + state.underlineTop, x + size.cx, client.top + state.underlineTop + state.underlineSize};
    IntersectRect(&bar, &bar, &client);
    SetBkColor(dc, GetTextColor(dc));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &bar, nullptr, 0, nullptr);  // the cheapest solid fill
  }
}

// Selects `font` (the system font for none) into `dc` and notes what drawing takes.
void SetFont(ClockLabel& state, HDC dc, HFONT font) {
  state.selected.reset();
  state.plain.reset();  // no longer selected
  state.selected.emplace(dc, font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  state.font = font;
  state.underlineSize = 0;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  state.height = metrics.tmHeight;
  LOGFONTW description{};
  if (!font || !GetObjectW(font, sizeof description, &description) || !description.lfUnderline) return;
  OUTLINETEXTMETRICW outline{};
  outline.otmSize = sizeof outline;
  if (GetOutlineTextMetricsW(dc, sizeof outline, &outline)) {
    // As GDI places it: the bar's middle at the underscore position below the baseline.
    state.underlineSize = outline.otmsUnderscoreSize > 0 ? static_cast<int>(outline.otmsUnderscoreSize) : 1;
    state.underlineTop = metrics.tmAscent - outline.otmsUnderscorePosition - state.underlineSize / 2;
  } else {
    state.underlineSize = 1;
    state.underlineTop = metrics.tmAscent + 1;
  }
  description.lfUnderline = FALSE;
  state.plain.reset(CreateFontIndirectW(&description));
  if (!state.plain) return;
  state.selected.reset();
  state.selected.emplace(dc, state.plain.get());
}

void SetFont(HWND label, HFONT font) {
  WindowDc dc(label);
  SetFont(*StateOf(label), dc.get(), font);
}

LRESULT CALLBACK ClockLabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  ClockLabel* state = StateOf(label);
  if (!state && message != WM_NCCREATE) return DefWindowProcW(label, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ClockLabel));
      return DefWindowProcW(label, message, wParam, lParam);
    case WM_CREATE: SetFont(label, nullptr); return 0;
    case WM_NCDESTROY:
      // The own DC gets its first font back: the font's owner may delete it once the
      // label is gone.
      SetWindowLongPtrW(label, GWLP_USERDATA, 0);
      delete state;
      return DefWindowProcW(label, message, wParam, lParam);
    case WM_SETFONT:
      SetFont(label, reinterpret_cast<HFONT>(wParam));
      if (LOWORD(lParam)) InvalidateRect(label, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_SETTEXT: {
      // Painted at once, as a static label does, rather than in a later WM_PAINT.
      LRESULT result = DefWindowProcW(label, message, wParam, lParam);
      if (IsWindowVisible(label)) Paint(label, *state, WindowDc(label).get());
      return result;
    }
    case WM_ENABLE: InvalidateRect(label, nullptr, FALSE); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the whole label
    case WM_PAINT: {
      PaintDc paint(label);
      Paint(label, *state, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SelectedObject font(dc, state->plain ? state->plain.get() : state->font);
      Paint(label, *state, dc);
      return 0;
    }
    default: return DefWindowProcW(label, message, wParam, lParam);
  }
}

}  // namespace

void RegisterClockLabelClass() {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kClockLabelClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ClockLabelProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClockLabelClass;
  RegisterWindowClass(wc);
}

SIZE ClockLabelTextSize(HWND label, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(WindowDc(label).get(), text.c_str(), static_cast<int>(text.size()), &size);
  ClockLabel* state = StateOf(label);
  return {size.cx, state ? state->height : 0};
}

}  // namespace win32
