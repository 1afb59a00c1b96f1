#pragma once

#include <span>

namespace core {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// How much of a window's caption must show on one work area for the user to take
// hold of it: a strip this high along its top edge (the frame and most of a small
// caption), this wide.
inline constexpr int kGripHeight = 16;
inline constexpr int kGripWidth = 32;

// Whether the user can reach the window: some work area holds a piece of its top strip
// kGripHeight high (the whole strip's height) and kGripWidth wide; a window smaller
// than that needs its whole strip there.
bool IsReachable(const ScreenRect& window, std::span<const ScreenRect> workAreas);

// Where a window stands: where it is when it is reachable, otherwise (its monitor
// gone, say) at the nearest place wholly inside the primary work area, or at that
// area's top-left corner when the window is larger than the area.
ScreenPoint KeepOnScreen(const ScreenRect& window, std::span<const ScreenRect> workAreas, const ScreenRect& primary);

// Where a box width x height goes against a window: under it, left edges lined up;
// above it when there is no room below in the work area; always within the area's
// left and right edges as far as it fits.
ScreenPoint PlaceAgainst(const ScreenRect& window, int width, int height, const ScreenRect& workArea);

}  // namespace core
