#include "find/found_list.h"

#include <windowsx.h>

#include <algorithm>

#include "base/utf16.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiFoundList";
constexpr int kBarWidth = 4;
constexpr int kMinimumThumb = 8;
constexpr int kLinesPerNotch = 3;

}  // namespace

FoundList::FoundList(HWND parent, int id, const RECT& rect, int lineHeight, const std::string& name)
    : lineHeight_(std::max(1, lineHeight)), name_(Widen(name)) {
  RegisterOnce(kClassName, CS_DBLCLKS, nullptr);
  CreateFor(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, rect, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

std::wstring FoundList::ItemName(int item) const { return namer_ ? Widen(namer_(item - 1)) : std::wstring(); }

int FoundList::VisibleLines() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return std::max(1, static_cast<int>(client.bottom / lineHeight_));
}

RECT FoundList::LineRect(int index) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int top = (index - top_) * lineHeight_;
  return {0, top, client.right - kBarWidth, top + lineHeight_};
}

void FoundList::SetLineHeight(int lineHeight) {
  lineHeight_ = std::max(1, lineHeight);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FoundList::SetCount(int count) {
  count_ = std::max(0, count);
  top_ = 0;
  selected_ = -1;
  InvalidateRect(Handle(), nullptr, FALSE);
  NotifyAccessible(Handle(), EVENT_OBJECT_REORDER);
}

void FoundList::Select(int index) {
  if (index < 0 || index >= count_) return;
  selected_ = index;
  if (index < top_) ScrollTo(index);
  if (index >= top_ + VisibleLines()) ScrollTo(index - VisibleLines() + 1);
  InvalidateRect(Handle(), nullptr, FALSE);
  // The text box keeps the keyboard focus; a screen reader follows the chosen line.
  NotifyAccessible(Handle(), EVENT_OBJECT_FOCUS, index + 1);
  NotifyAccessible(Handle(), EVENT_OBJECT_SELECTION, index + 1);
}

void FoundList::ScrollTo(int top) {
  top_ = std::clamp(top, 0, std::max(0, count_ - VisibleLines()));
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FoundList::Paint(HDC dc, const RECT& dirty) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int first = top_ + std::max(0, static_cast<int>(dirty.top / lineHeight_));
  int y = (first - top_) * lineHeight_;
  for (int index = first; index < count_ && y < dirty.bottom; ++index, y += lineHeight_)
    if (drawer_) drawer_(dc, LineRect(index), index, index == selected_);
  const RECT rest{0, y, client.right - kBarWidth, client.bottom};
  if (rest.top < rest.bottom) FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
  PaintBar(dc, client);
}

// The part of the list in view, as a thumb on the bar; an empty bar while all is in view.
void FoundList::PaintBar(HDC dc, const RECT& client) const {
  const RECT bar{client.right - kBarWidth, 0, client.right, client.bottom};
  FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOW));
  const int visible = VisibleLines();
  if (count_ <= visible) return;
  const int height = bar.bottom, minimum = std::min(height, kMinimumThumb);
  RECT thumb{bar.left + 1, MulDiv(top_, height, count_), bar.right, MulDiv(top_ + visible, height, count_)};
  thumb.bottom = std::min(height, std::max(static_cast<int>(thumb.bottom), static_cast<int>(thumb.top) + minimum));
  thumb.top = std::min(static_cast<int>(thumb.top), static_cast<int>(thumb.bottom) - minimum);
  FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNSHADOW));
}

LRESULT FoundList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(Handle());
      Paint(paint.get(), paint.Dirty());
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // every pixel is painted
    case WM_GETOBJECT:
      if (LRESULT answer = AnswerAccessible(Handle(), *this, wParam, lParam)) return answer;
      break;
    case WM_MOUSEWHEEL: {
      wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
      const int notches = wheelRest_ / WHEEL_DELTA;
      wheelRest_ -= notches * WHEEL_DELTA;
      ScrollTo(top_ - notches * kLinesPerNotch);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int index = top_ + GET_Y_LPARAM(lParam) / lineHeight_;
      if (index < 0 || index >= count_) return 0;
      Select(index);
      if (message == WM_LBUTTONDOWN && OnChosen) OnChosen(index);
      if (message == WM_LBUTTONDBLCLK && OnDoubleClick) OnDoubleClick(index);
      return 0;
    }
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace win32
