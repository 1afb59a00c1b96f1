#pragma once

#include <array>
#include <optional>
#include <string>

#include "launch/launcher_view.h"
#include "ports/environment.h"

namespace core {

// The launcher window's status: the caption, the navigation buttons' states and the
// clock. A control is changed only when its value differs from what it shows, so
// that an idle window costs nothing.
class StatusLine {
 public:
  StatusLine(LauncherView& view, const Environment& environment) : view_(view), environment_(environment) {}

  // The caption, and the navigation buttons for page `page` of `count`.
  void ShowPage(const std::string& caption, int page, int count);
  // The date and the time; the time is formatted once a second, the date once a day.
  void ShowClock();
  // The date and time formats may have changed: the next tick formats both anew.
  void RegionalSettingsChanged() { clock_.reset(); }

 private:
  void ShowNavButton(NavButton button, bool enabled);

  LauncherView& view_;
  const Environment& environment_;
  std::optional<LocalTime> clock_;
  std::optional<std::string> date_, time_, caption_;
  std::array<std::optional<bool>, 6> nav_;
};

// The date as the clock shows it: two-digit year, month and day without leading zeros.
std::string ShortDateText(const LocalTime& time, const std::string& separator);

}  // namespace core
