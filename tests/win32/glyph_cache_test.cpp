#include <gtest/gtest.h>

#include <atomic>

#include "base/utf16.h"
#include "launch_button/glyph_cache.h"
#include "support.h"
#include "temp_folder.h"

using testing_support::LauncherHarness;
using testing_support::PixelsShown;
using testing_support::TempFolder;

namespace {

// Gives a file or folder a write time `minutes` before now.
void SetWriteTime(const std::string& path, int minutes) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10000000;
  FILETIME then{t.LowPart, t.HighPart};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &then));
  CloseHandle(file);
}

}  // namespace

TEST(GlyphCache, KeepsAGlyphWhileItsFileStaysAndReplacesItWhenTheFileOrTheFaceColourChanges) {
  TempFolder folder;
  folder.Write("notes.txt", "text");
  ASSERT_TRUE(CreateDirectoryW(win32::Widen(folder.Path("box")).c_str(), nullptr));
  const core::GlyphSource notes{folder.Path("notes.txt"), 0, true}, box{folder.Path("box"), 0, true};
  win32::GlyphCache cache;

  auto first = cache.Get(notes, false, 96);
  EXPECT_EQ(cache.Get(notes, false, 96), first);
  EXPECT_NE(cache.Get(notes, true, 96), first);  // the small glyph is another one
  EXPECT_EQ(cache.Size(), 2u);

  SetWriteTime(notes.file, 10);
  auto changed = cache.Get(notes, false, 96);
  EXPECT_NE(changed, first);
  EXPECT_EQ(cache.Get(notes, false, 96), changed);
  EXPECT_EQ(cache.Size(), 2u);

  // A folder whose files come and go keeps one glyph, not one for each of its versions.
  cache.Get(box, false, 96);
  for (int i = 1; i <= 5; ++i) {
    folder.Write("box\\file" + std::to_string(i), "x");
    SetWriteTime(box.file, i);
    cache.Get(box, false, 96);
  }
  EXPECT_EQ(cache.Size(), 3u);

  // A new face colour (a theme or contrast change): every glyph is drawn again in it.
  const INT element = COLOR_BTNFACE;
  const COLORREF face = GetSysColor(element), other = face ^ RGB(0, 64, 0);
  ASSERT_TRUE(SetSysColors(1, &element, &other));
  auto recoloured = cache.Get(notes, false, 96);
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_EQ(GetGValue(recoloured->transparent), GetGValue(other));
  SetSysColors(1, &element, &face);
}

// The icons of files on a drive that may keep a read waiting (here a network drive
// whose reads wait until the test lets them go) are drawn away from the window: the
// page shows at once with blank faces, and the icons follow.
TEST(GlyphCache, IconsOfASlowDriveFollowAPageThatShowsAtOnce) {
  struct Drive {
    win32::UniqueKernel answer{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> reads{0};
  };
  auto drive = std::make_shared<Drive>();  // the loader may outlive the test
  const std::string program = win32::Narrow(win32::ModulePath());
  win32::Glyphs().SetFileDrawing([drive, program](const core::GlyphSource&, bool small, UINT dpi, bool dimmed) {
    WaitForSingleObject(drive->answer.get(), 10000);
    ++drive->reads;
    return win32::GlyphCache::DrawFile({program, 0, true}, small, dpi, dimmed);
  });
  LauncherHarness h;
  h.probe.kinds['N'] = core::DriveKind::kNetwork;
  std::string page = "[PageTitle]\r\nPageTitle=far\r\n";
  for (int k = 1; k <= 3; ++k)
    page += "[Button" + std::to_string(k) + "]\r\nProgPath=N:\\app" + std::to_string(k) + ".exe\r\n";
  h.folder.Write("DATA\\User11.dat", page);
  const ULONGLONG start = GetTickCount64();
  h.Create();
  EXPECT_LT(GetTickCount64() - start, 5000u) << "the page waited for the drive";
  EXPECT_EQ(drive->reads, 0);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(PixelsShown(*h.window->ButtonControl(k).CurrentGlyph()), 0) << k;
  SetEvent(drive->answer.get());
  EXPECT_TRUE(testing_support::WaitUntil([&] {
    for (int k = 1; k <= 3; ++k)
      if (PixelsShown(*h.window->ButtonControl(k).CurrentGlyph()) == 0) return false;
    return true;
  })) << "the icons came";
  win32::Glyphs().SetFileDrawing(win32::GlyphCache::DrawFile);
  win32::Glyphs().Clear();
}
