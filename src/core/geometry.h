#pragma once

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

}  // namespace core
