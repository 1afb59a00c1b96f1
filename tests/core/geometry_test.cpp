#include "geometry.h"

#include <gtest/gtest.h>

#include <vector>

using core::ScreenPoint;
using core::ScreenRect;

namespace {

// A window of the launcher's outer size, 200 x 180, at a corner.
ScreenRect Window(int left, int top, int width = 200, int height = 180) {
  return {left, top, left + width, top + height};
}

}  // namespace

TEST(KeepOnScreen, AWindowLostOffEveryWorkAreaComesToTheNearestPlaceOnThePrimary) {
  const ScreenRect primary{0, 0, 1920, 1040};   // taskbar below
  const ScreenRect right{1920, 0, 3840, 1080};  // a second monitor to the right
  const ScreenRect above{0, -1200, 1920, -40};  // one above, its own taskbar at its foot
  const std::vector<ScreenRect> one{primary};
  const std::vector<ScreenRect> two{primary, right};
  const std::vector<ScreenRect> withAbove{primary, above};
  struct Case {
    const char* what;
    ScreenRect window;
    const std::vector<ScreenRect>* areas;
    ScreenPoint expected;
  };
  const Case cases[] = {
      {"well inside", Window(100, 100), &one, {100, 100}},
      {"at the corner", Window(0, 0), &one, {0, 0}},
      {"on the second monitor", Window(2500, 300), &two, {2500, 300}},
      {"across both monitors", Window(1850, 300), &two, {1850, 300}},
      {"the second monitor unplugged", Window(2500, 300), &one, {1720, 300}},
      {"far below and right", Window(5000, 4000), &one, {1720, 860}},
      {"its caption a little above the top", Window(300, -5), &one, {300, 0}},
      {"on the monitor above", Window(300, -600), &withAbove, {300, -600}},
      {"the monitor above unplugged", Window(300, -600), &one, {300, 0}},
      // The caption strip under the taskbar of the monitor above cannot be grabbed.
      {"its caption on the taskbar above", Window(300, -30), &withAbove, {300, 0}},
      // Reachable by its caption: it stays where the user put it.
      {"hanging off the right edge", Window(1920 - 40, 500), &one, {1880, 500}},
      {"hanging off the bottom", Window(500, 1040 - 20), &one, {500, 1020}},
      {"hanging off the left edge", Window(-160, 500), &one, {-160, 500}},
      // Less than a grip of its caption shows: rescued.
      {"only 31 pixels of caption on the right", Window(1920 - 31, 500), &one, {1720, 500}},
      {"only 31 pixels on the left", Window(-169, 500), &one, {0, 500}},
      {"only the top 15 pixels visible", Window(500, 1040 - 15), &one, {500, 860}},
      {"larger than the work area", Window(3000, 3000, 2500, 1500), &one, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(core::KeepOnScreen(c.window, *c.areas, primary), c.expected) << c.what;
}

TEST(KeepOnScreen, AWorkAreaNotAtTheOriginAndNoKnownAreas) {
  // The primary's taskbar on the left and at the top: its work area starts at 60, 40.
  const ScreenRect primary{60, 40, 1280, 1024};
  const std::vector<ScreenRect> areas{primary};
  EXPECT_EQ(core::KeepOnScreen(Window(0, 0), areas, primary), (ScreenPoint{60, 40}));
  EXPECT_EQ(core::KeepOnScreen(Window(30, 100), areas, primary), (ScreenPoint{30, 100})) << "170 pixels show";
  EXPECT_EQ(core::KeepOnScreen(Window(-5000, 500), areas, primary), (ScreenPoint{60, 500}));
  // A tiny window needs only its own width on screen.
  EXPECT_EQ(core::KeepOnScreen(Window(1260, 500, 20, 10), areas, primary), (ScreenPoint{1260, 500}));
  EXPECT_EQ(core::KeepOnScreen(Window(1270, 500, 20, 10), areas, primary), (ScreenPoint{1260, 500}));
  // Without any work area known, nothing is moved.
  EXPECT_EQ(core::KeepOnScreen(Window(5000, 5000), {}, primary), (ScreenPoint{5000, 5000}));
}

// The find box goes under the launcher, above it near the bottom, and never past the
// area's left or right edge.
TEST(KeepOnScreen, ABoxPlacedAgainstAWindowStaysInItsWorkArea) {
  const ScreenRect area{60, 40, 1280, 1024};
  EXPECT_EQ(core::PlaceAgainst({100, 100, 300, 250}, 260, 240, area), (ScreenPoint{100, 250}));
  EXPECT_EQ(core::PlaceAgainst({100, 800, 300, 950}, 260, 240, area), (ScreenPoint{100, 560}));
  EXPECT_EQ(core::PlaceAgainst({1150, 100, 1270, 250}, 260, 240, area), (ScreenPoint{1020, 250}));
  EXPECT_EQ(core::PlaceAgainst({0, 100, 200, 250}, 260, 240, area), (ScreenPoint{60, 250}));
  // A window as high as the area: the box takes the area's bottom.
  EXPECT_EQ(core::PlaceAgainst({100, 60, 300, 1000}, 260, 240, area), (ScreenPoint{100, 784}));
}
