#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "error.h"
#include "storage/ini_store.h"
#include "support.h"
#include "test_file_systems.h"

using testing_support::Cp932;
using testing_support::DiskFullFiles;
using testing_support::Lines;
using testing_support::ManualClockFiles;
using testing_support::Sjis;
using testing_support::TempFolder;

namespace {

// A file system whose reads fail although the file is there (a locked file).
class UnreadableFiles : public core::PosixFileSystem {
 public:
  core::ReadStatus ReadWhole(const std::string&, std::string&) const override { return core::ReadStatus::kFailed; }
};

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const core::Error& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(IniStore, WholeFileRoundTripInTheCodePage) {
  TempFolder folder;
  core::PosixFileSystem files;
  core::IniStore store(files, Cp932());
  const std::string path = folder.Path("a.ini");
  EXPECT_TRUE(store.Load(path).Sections().empty());

  core::IniImage ini;
  ini.WriteString("User", "User1", "太郎");
  store.Save(path, ini);
  EXPECT_EQ(folder.Read("a.ini"), Sjis(Lines({"[User]", "User1=太郎", ""})));
  EXPECT_EQ(store.Load(path).ReadString("User", "User1", ""), "太郎");
  // Only the file itself is left: the temporary copy was moved over it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(IniStore, FailedWritesAndReadsReportThePathAndKeepTheOldFile) {
  TempFolder folder;
  core::PosixFileSystem files;
  core::IniStore store(files, Cp932());

  const std::string missing = folder.Path("DATA") + "/User11.dat";
  EXPECT_EQ(ErrorOf([&] { store.Save(missing, {}); }), "ファイル " + missing + " を作成できません");

  // A folder standing where the file should be: it reads as no file, and writing fails.
  std::filesystem::create_directory(folder.Path("zubi.ini"));
  EXPECT_TRUE(store.Load(folder.Path("zubi.ini")).Sections().empty());
  EXPECT_EQ(ErrorOf([&] { store.Save(folder.Path("zubi.ini"), {}); }),
            "ファイル " + folder.Path("zubi.ini") + " を作成できません");
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("zubi.ini")));
  EXPECT_FALSE(folder.Exists("zubi.ini.zubi-new"));

  UnreadableFiles locked;
  core::IniStore lockedStore(locked, Cp932());
  folder.Write("b.ini", "[S]\r\nk=v\r\n");
  EXPECT_EQ(ErrorOf([&] { lockedStore.Load(folder.Path("b.ini")); }),
            "ファイル " + folder.Path("b.ini") + " は開けません");
  EXPECT_EQ(folder.Read("b.ini"), "[S]\r\nk=v\r\n");
}

TEST(IniStore, KeptImagesNeverHideAChangeOfTheFile) {
  TempFolder folder;
  core::PosixFileSystem files;
  core::IniStore store(files, Cp932());
  const std::string path = folder.Path("p.dat");
  folder.Write("p.dat", "[PageTitle]\r\nPageTitle=one\r\n");
  EXPECT_EQ(store.Load(path).ReadString("PageTitle", "PageTitle", ""), "one");

  // Another program writes the same number of bytes: the write time tells.
  auto written = std::filesystem::last_write_time(path);
  folder.Write("p.dat", "[PageTitle]\r\nPageTitle=two\r\n");
  std::filesystem::last_write_time(path, written + std::chrono::seconds(2));
  EXPECT_EQ(store.Load(path).ReadString("PageTitle", "PageTitle", ""), "two");

  // Same write time, another size.
  folder.Write("p.dat", "[PageTitle]\r\nPageTitle=three\r\n");
  std::filesystem::last_write_time(path, written + std::chrono::seconds(2));
  EXPECT_EQ(store.Load(path).ReadString("PageTitle", "PageTitle", ""), "three");

  core::IniImage mine;
  mine.WriteString("PageTitle", "PageTitle", "mine");
  store.Save(path, mine);
  EXPECT_EQ(store.Load(path).ReadString("PageTitle", "PageTitle", ""), "mine");

  std::filesystem::remove(path);
  EXPECT_TRUE(store.Load(path).Sections().empty());
}

namespace {

// Counts the whole-file writes that reach the disk.
class CountingFiles : public core::PosixFileSystem {
 public:
  bool WriteWhole(const std::string& path, std::string_view bytes) override {
    ++writes;
    return PosixFileSystem::WriteWhole(path, bytes);
  }
  int writes = 0;
};

}  // namespace

TEST(IniStore, ASaveOfTheBytesTheFileHoldsLeavesTheDiskAlone) {
  TempFolder folder;
  CountingFiles files;
  core::IniStore store(files, Cp932());
  const std::string path = folder.Path("s.ini");
  folder.Write("s.ini", Lines({"[Setting]", "Left=100", ""}));
  core::IniImage image = store.Load(path);
  store.Save(path, image);  // the same bytes
  EXPECT_EQ(files.writes, 0);
  image.WriteInteger("Setting", "Left", 120);
  store.Save(path, image);
  EXPECT_EQ(files.writes, 1);
  EXPECT_EQ(folder.Read("s.ini"), Lines({"[Setting]", "Left=120", ""}));
  store.Save(path, image);  // again the same
  EXPECT_EQ(files.writes, 1);

  // Another program changed the file meanwhile: the save is written.
  auto written = std::filesystem::last_write_time(path);
  folder.Write("s.ini", Lines({"[Setting]", "Left=999", ""}));
  std::filesystem::last_write_time(path, written + std::chrono::seconds(2));
  store.Save(path, image);
  EXPECT_EQ(files.writes, 2);
  EXPECT_EQ(folder.Read("s.ini"), Lines({"[Setting]", "Left=120", ""}));

  // A missing file is always written, even with nothing to say.
  std::filesystem::remove(path);
  store.Save(path, image);
  EXPECT_EQ(files.writes, 3);
  EXPECT_TRUE(folder.Exists("s.ini"));
}

namespace {

core::IniImage Titled(const std::string& title) {
  core::IniImage ini;
  ini.WriteString("PageTitle", "PageTitle", title);
  return ini;
}

std::string TitleIn(const core::IniStore& store, const std::string& path) {
  return store.Load(path).ReadString("PageTitle", "PageTitle", "");
}

}  // namespace

// Two copies of the program share a page file, and the clock stands still (writes
// within one step of FAT's clock): size and write time stay as they were, yet each
// copy sees the other's change, and a save of the bytes one copy saw last still
// reaches the disk when the other changed the file since.
TEST(IniStore, TwoWritersSeeEachOthersSameSizeChangesWhileTheClockStandsStill) {
  TempFolder folder;
  ManualClockFiles files;
  core::IniStore mine(files, Cp932()), theirs(files, Cp932());
  const std::string path = folder.Path("User11.dat");
  mine.Save(path, Titled("one"));
  EXPECT_EQ(TitleIn(mine, path), "one");
  EXPECT_EQ(TitleIn(theirs, path), "one");

  const auto stamp = files.Stamp(path);
  theirs.Save(path, Titled("two"));
  ASSERT_EQ(files.Stamp(path), stamp);  // nothing but the content tells
  EXPECT_EQ(TitleIn(mine, path), "two");
  EXPECT_EQ(TitleIn(theirs, path), "two");

  theirs.Save(path, Titled("six"));
  mine.Save(path, Titled("two"));  // the bytes `mine` last read
  EXPECT_EQ(folder.Read("User11.dat"), Lines({"[PageTitle]", "PageTitle=two", ""}));
  EXPECT_EQ(TitleIn(theirs, path), "two");

  // The file holds them now, which only reading it can tell: no write.
  const int writes = files.writes;
  mine.Save(path, Titled("two"));
  EXPECT_EQ(files.writes, writes);
}

// What keeps page loads cheap: a file written more than the granularity before it was
// read is read once, and a save of the bytes it holds writes nothing. A file this
// store wrote is read again at the next load, and kept from then on once its write
// time lies more than the granularity back.
TEST(IniStore, AFileSurelyUnchangedIsReadOnceAndAFreshOneUntilItSettles) {
  TempFolder folder;
  ManualClockFiles files;
  core::IniStore store(files, Cp932());
  const std::string path = folder.Path("User11.dat");
  const std::int64_t step = files.StampGranularity();
  folder.Write("User11.dat", Lines({"[PageTitle]", "PageTitle=old", ""}));
  files.dates[path] = files.now - step - 1;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TitleIn(store, path), "old");
  EXPECT_EQ(files.reads, 1);
  store.Save(path, store.Load(path));
  EXPECT_EQ(files.reads, 1);
  EXPECT_EQ(files.writes, 0);

  store.Save(path, Titled("new"));
  ASSERT_EQ(files.writes, 1);
  EXPECT_EQ(TitleIn(store, path), "new");
  EXPECT_EQ(files.reads, 2);
  files.now += step;  // exactly one granularity later: still not to be trusted
  EXPECT_EQ(TitleIn(store, path), "new");
  EXPECT_EQ(files.reads, 3);
  files.now += 1;
  EXPECT_EQ(TitleIn(store, path), "new");
  EXPECT_EQ(TitleIn(store, path), "new");
  EXPECT_EQ(files.reads, 4);

  // A file with no write time of its own (0) is never trusted.
  files.dates[path] = 0;
  EXPECT_EQ(TitleIn(store, path), "new");
  EXPECT_EQ(TitleIn(store, path), "new");
  EXPECT_EQ(files.reads, 6);
}

// A file that vanished takes its kept image with it: a file of the same size and
// write time that appears in its place later is read, not taken for the old one.
TEST(IniStore, AKeptImageGoesWithItsFile) {
  TempFolder folder;
  ManualClockFiles files;
  core::IniStore store(files, Cp932());
  std::filesystem::create_directory(folder.Path("DATA"));
  const std::string path = folder.Path("DATA") + "/User11.dat";
  folder.Write("DATA/User11.dat", Lines({"[PageTitle]", "PageTitle=old"}));
  files.dates[path] = files.now - 10 * ManualClockFiles::kSecond;
  EXPECT_EQ(TitleIn(store, path), "old");

  std::filesystem::remove_all(folder.Path("DATA"));
  EXPECT_TRUE(store.Load(path).Sections().empty());
  EXPECT_EQ(ErrorOf([&] { store.Save(path, Titled("mine")); }), "ファイル " + path + " を作成できません");

  folder.Write("DATA/User11.dat", Lines({"[PageTitle]", "PageTitle=new"}));  // same size, same date
  EXPECT_EQ(TitleIn(store, path), "new");
}

// A write that runs out of room half-way: the old file stays whole, the half-written
// temporary file is removed, the failure is reported with the path, and the store
// goes on reading the old file.
TEST(IniStore, AWriteThatRunsOutOfRoomLeavesTheOldFile) {
  TempFolder folder;
  DiskFullFiles files;
  core::IniStore store(files, Cp932());
  const std::string path = folder.Path("zubi.ini");
  core::IniImage ini;
  ini.WriteInteger("Setting", "Left", 100);
  store.Save(path, ini);
  const std::string before = folder.Read("zubi.ini");

  files.room = 12;
  ini.WriteString("User", "User1", "太郎");
  EXPECT_EQ(ErrorOf([&] { store.Save(path, ini); }), "ファイル " + path + " を作成できません");
  EXPECT_EQ(files.partial, path + ".zubi-new");  // the write had begun
  EXPECT_FALSE(folder.Exists("zubi.ini.zubi-new"));
  EXPECT_EQ(folder.Read("zubi.ini"), before);
  EXPECT_EQ(store.Load(path).Value("User", "User1"), std::nullopt);

  files.room.reset();
  store.Save(path, ini);
  EXPECT_EQ(store.Load(path).ReadString("User", "User1", ""), "太郎");
}

// The system itself cuts a write short (here a file size limit, as a full disk does):
// the real file system reports it and keeps the old file.
TEST(PosixFileSystem, AWriteTheSystemCutsShortFails) {
  TempFolder folder;
  core::PosixFileSystem files;
  const std::string path = folder.Path("User11.dat");
  ASSERT_TRUE(files.WriteWhole(path, "[PageTitle]\r\n"));

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  if (saved.rlim_max != RLIM_INFINITY && saved.rlim_max < 4096) GTEST_SKIP() << "file size limit too low";
  rlimit small = saved;
  small.rlim_cur = 4096;
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = files.WriteWhole(path, std::string(256 * 1024, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);

  EXPECT_FALSE(written);
  EXPECT_EQ(folder.Read("User11.dat"), "[PageTitle]\r\n");
  EXPECT_FALSE(folder.Exists("User11.dat.zubi-new"));
}
