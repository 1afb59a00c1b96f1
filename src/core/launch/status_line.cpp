#include "launch/status_line.h"

#include <cstdio>

namespace core {
namespace {

bool SameDay(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

template <typename Set>
void ShowText(std::optional<std::string>& shown, const std::string& text, Set&& set) {
  if (shown == text) return;
  shown = text;
  set(text);
}

}  // namespace

std::string ShortDateText(const LocalTime& time, const std::string& separator) {
  char year[8];
  std::snprintf(year, sizeof year, "%02d", ((time.year % 100) + 100) % 100);
  return year + separator + std::to_string(time.month) + separator + std::to_string(time.day);
}

void StatusLine::ShowPage(const std::string& caption, int page, int count) {
  auto enableBackward = [&](bool on) {
    ShowNavButton(NavButton::kFastTop, on);
    ShowNavButton(NavButton::kFastBwd, on);
    ShowNavButton(NavButton::kBwd, on);
  };
  auto enableForward = [&](bool on) {
    ShowNavButton(NavButton::kFastFinal, on);
    ShowNavButton(NavButton::kFastFwd, on);
    ShowNavButton(NavButton::kFwd, on);
  };
  // Four separate tests: a page outside 1..count leaves some buttons as they were.
  if (page == 1) enableBackward(false);
  if (page == count) enableForward(false);
  if (page > 1) enableBackward(true);
  if (page < count) enableForward(true);
  ShowText(caption_, caption, [&](const std::string& t) { view_.SetCaption(t); });
}

void StatusLine::ShowNavButton(NavButton button, bool enabled) {
  auto& shown = nav_[static_cast<size_t>(button)];
  if (shown == enabled) return;
  shown = enabled;
  view_.EnableNavButton(button, enabled);
}

void StatusLine::ShowClock() {
  const LocalTime now = environment_.Now();
  if (clock_ == now) return;
  if (!clock_ || !SameDay(*clock_, now))
    ShowText(date_, ShortDateText(now, environment_.DateSeparator()),
             [&](const std::string& t) { view_.SetDateText(t); });
  clock_ = now;
  ShowText(time_, environment_.LongTimeText(now), [&](const std::string& t) { view_.SetTimeText(t); });
}

}  // namespace core
