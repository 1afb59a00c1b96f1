#include <gtest/gtest.h>

#include "base/utf16.h"
#include "launch_button/glyph_cache.h"
#include "temp_folder.h"

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

TEST(GlyphCache, KeepsAGlyphWhileItsFileStaysAndReplacesItWhenTheFileChanges) {
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
}
