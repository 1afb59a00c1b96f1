#pragma once

#include <functional>
#include <string>

#include "base/accessible.h"
#include "base/window.h"

namespace win32 {

// The find box's list: a count of lines, a top line and a chosen line, nothing else
// held. Only the lines in view are drawn, by the owner; a thin bar at the right edge
// shows the part in view. (The system's list box spends time on every line at each
// change of the count, and its scroll bar takes longer to draw under Wine than all the
// lines; a find box changes both at every key.) Screen readers read its lines as items
// named by the owner, and hear of a new list and of the chosen line.
class FoundList final : public Window<FoundList>, private AccessibleSource {
 public:
  using LineDrawer = std::function<void(HDC dc, const RECT& line, int index, bool selected)>;
  using LineNamer = std::function<std::string(int index)>;

  // A child of `parent` at `rect` (client pixels), lines `lineHeight` pixels high,
  // called `name` by screen readers.
  FoundList(HWND parent, int id, const RECT& rect, int lineHeight, const std::string& name);
  void SetLineDrawer(LineDrawer drawer) { drawer_ = std::move(drawer); }
  void SetLineNamer(LineNamer namer) { namer_ = std::move(namer); }
  // Said when a click chose a line, and when a line was double-clicked.
  std::function<void(int index)> OnChosen;
  std::function<void(int index)> OnDoubleClick;

  // A new list, from its first line.
  void SetCount(int count);
  // Chooses line `index` and brings it into view.
  void Select(int index);
  int Count() const { return count_; }
  int VisibleLines() const;
  void SetLineHeight(int lineHeight);
  // Line `index`'s rectangle in the list's client area (it may be out of view).
  RECT LineRect(int index) const;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void ScrollTo(int top);
  void Paint(HDC dc, const RECT& dirty) const;
  void PaintBar(HDC dc, const RECT& client) const;
  // AccessibleSource: items are lines + 1.
  std::wstring AccessibleName() const override { return name_; }
  bool IsList() const override { return true; }
  int ItemCount() const override { return count_; }
  std::wstring ItemName(int item) const override;
  RECT ItemRect(int item) const override { return LineRect(item - 1); }
  int SelectedItem() const override { return selected_ + 1; }

  int lineHeight_;
  int count_ = 0, top_ = 0, selected_ = -1;
  int wheelRest_ = 0;  // part of a wheel notch not yet scrolled
  LineDrawer drawer_;
  LineNamer namer_;
  std::wstring name_;
};

}  // namespace win32
