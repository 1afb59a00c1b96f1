#include <gtest/gtest.h>

#include "base/on_screen.h"
#include "support.h"

using testing_support::LauncherHarness;

namespace {

RECT PrimaryWork() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

RECT RectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

bool Inside(const RECT& r, const RECT& area) {
  return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

// The settings file as the creation step writes it back, with the given place.
std::string Settings(long left, long top) {
  return "[Setting]\r\nLeft=" + std::to_string(left) + "\r\nTop=" + std::to_string(top) +
         "\r\nUserNo=1\r\n\r\n[User1]\r\nPageNoControl=1\r\nToDir=C:\\Backups\r\nPageNo=1\r\n\r\n"
         "[User]\r\nUser1=User1\r\n\r\n";
}

}  // namespace

TEST(OnScreen, WorkAreasNameThePrimaryMonitor) {
  std::vector<core::ScreenRect> areas = win32::WorkAreas();
  ASSERT_FALSE(areas.empty());
  RECT work = PrimaryWork();
  EXPECT_EQ(win32::PrimaryWorkArea(), (core::ScreenRect{work.left, work.top, work.right, work.bottom}));
  EXPECT_NE(std::find(areas.begin(), areas.end(), win32::PrimaryWorkArea()), areas.end());
}

TEST(OnScreen, ALauncherStoredFarOffScreenAppearsAtTheNearestPlaceOnThePrimaryMonitor) {
  const RECT work = PrimaryWork();
  LauncherHarness h;
  h.WriteSettings(Settings(5000, 4000));
  h.Create();
  RECT r = RectOf(h.window->Handle());
  EXPECT_TRUE(Inside(r, work)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
  EXPECT_EQ(r.right, work.right) << "nearest to where it was stored: the bottom-right corner";
  EXPECT_EQ(r.bottom, work.bottom);
  // The creation step's own save writes where the window now stands; nothing else changes.
  EXPECT_EQ(h.folder.Read("zubi.ini"), h.codePage.FromUtf8(Settings(r.left, r.top)).value());

  // Loading the place moves the window there and writes nothing.
  h.WriteSettings(Settings(-3000, 99999));
  const std::string before = h.folder.Read("zubi.ini");
  core::LauncherSettings settings({h.files, h.codePage, h.folder.Path("zubi.ini")}, h.environment);
  h.window->MoveWindowTo(settings.LoadPosition().position);
  EXPECT_EQ(h.folder.Read("zubi.ini"), before);
  r = RectOf(h.window->Handle());
  EXPECT_TRUE(Inside(r, work));
  EXPECT_EQ(r.left, std::max(0L, work.left)) << "a negative Left is 0, as always";
  EXPECT_EQ(r.bottom, work.bottom);
}

TEST(OnScreen, APlaceThatShowsTheCaptionIsKeptAsStored) {
  const RECT work = PrimaryWork();
  LauncherHarness h;
  h.WriteSettings(Settings(work.right - 60, work.bottom - 30));
  h.Create();
  RECT r = RectOf(h.window->Handle());
  EXPECT_EQ(r.left, work.right - 60) << "partly off the edge, but within reach";
  EXPECT_EQ(r.top, work.bottom - 30);
  EXPECT_EQ(h.folder.Read("zubi.ini"), h.codePage.FromUtf8(Settings(work.right - 60, work.bottom - 30)).value());
}

TEST(OnScreen, DialogsPlacedFromTheStoredPlaceComeOnScreenToo) {
  const RECT work = PrimaryWork();
  LauncherHarness h;
  h.Create();
  h.dialogs.ListWindow()->MoveTo({6000, 100});
  h.dialogs.UserWindow()->MoveTo({6000, 100});
  for (HWND dialog : {h.dialogs.ListWindow()->Handle(), h.dialogs.UserWindow()->Handle()}) {
    RECT r = RectOf(dialog);
    EXPECT_TRUE(Inside(r, work));
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.top, 100);
  }
  h.dialogs.ListWindow()->MoveTo({120, 130});
  EXPECT_EQ(RectOf(h.dialogs.ListWindow()->Handle()).left, 120);
  EXPECT_EQ(RectOf(h.dialogs.ListWindow()->Handle()).top, 130);
}
