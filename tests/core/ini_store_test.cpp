#include <gtest/gtest.h>

#include <filesystem>

#include "error.h"
#include "storage/ini_store.h"
#include "support.h"

using testing_support::Cp932;
using testing_support::Lines;
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
