#include "geometry.h"

#include <algorithm>

namespace core {

bool IsReachable(const ScreenRect& window, std::span<const ScreenRect> workAreas) {
  const int stripBottom = std::min(window.bottom, window.top + kGripHeight);
  const int neededWidth = std::min(kGripWidth, window.right - window.left);
  return std::any_of(workAreas.begin(), workAreas.end(), [&](const ScreenRect& area) {
    int width = std::min(window.right, area.right) - std::max(window.left, area.left);
    return window.top >= area.top && stripBottom <= area.bottom && width >= neededWidth && width > 0;
  });
}

namespace {

// The nearest start of a span of `length` inside [low, high); low when it does not fit.
int Nearest(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

ScreenPoint KeepOnScreen(const ScreenRect& window, std::span<const ScreenRect> workAreas, const ScreenRect& primary) {
  if (workAreas.empty() || IsReachable(window, workAreas)) return {window.left, window.top};
  return {Nearest(window.left, window.right - window.left, primary.left, primary.right),
          Nearest(window.top, window.bottom - window.top, primary.top, primary.bottom)};
}

ScreenPoint PlaceAgainst(const ScreenRect& window, int width, int height, const ScreenRect& workArea) {
  const int x = std::max(workArea.left, std::min(window.left, workArea.right - width));
  if (window.bottom + height <= workArea.bottom) return {x, window.bottom};
  if (window.top - height >= workArea.top) return {x, window.top - height};
  return {x, std::max(workArea.top, workArea.bottom - height)};
}

}  // namespace core
