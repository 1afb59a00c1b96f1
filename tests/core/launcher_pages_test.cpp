#include <gtest/gtest.h>

#include <filesystem>

#include "storage/paths.h"
#include "support.h"

using testing_support::LauncherFixture;
using testing_support::Lines;
using testing_support::Sjis;

namespace {

// Counts the whole-file writes that reach the disk.
class CountingFiles : public core::PosixFileSystem {
 public:
  bool WriteWhole(const std::string& path, std::string_view bytes) override {
    ++writes;
    return core::PosixFileSystem::WriteWhole(path, bytes);
  }
  int writes = 0;
};

}  // namespace

TEST(LauncherPages, PageFileNamesJoinUserNameAndPageNumber) {
  LauncherFixture f;
  const core::PageStore pages(f.files, testing_support::Cp932(), core::DirectoryWithSeparator(f.environment.exePath));
  const std::string data = f.folder.Path("DATA") + core::kPathSeparator;
  EXPECT_EQ(pages.PathOf("User1", 1), data + "User11.dat");
  EXPECT_EQ(pages.PathOf("User1", 10), data + "User110.dat");
  EXPECT_EQ(pages.PathOf("User1", 99), data + "User199.dat");
  EXPECT_EQ(pages.PathOf("Taro", 3), data + "Taro3.dat");
  EXPECT_EQ(pages.PathOf("A", 12), pages.PathOf("A1", 2));
}

TEST(LauncherPages, LoadingATitleWritesItBackOnlyWhenTheBoxShowedAnotherText) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNo=2", "PageNoControl=2"}));
  f.folder.Write("DATA/User12.dat", Sjis(Lines({"; kept until the next write", "[PageTitle]", "PageTitle=道具"})));
  f.view.title = "道具";
  f.Launcher().FormCreate();
  EXPECT_EQ(f.PageText("User12.dat"), Lines({"; kept until the next write", "[PageTitle]", "PageTitle=道具"}));

  f.view.title = "Edit1";
  f.Launcher().UpDown1Click();  // lowered to the page shown: it is loaded again
  EXPECT_EQ(f.view.title, "道具");
  EXPECT_EQ(f.PageText("User12.dat"), Lines({"[PageTitle]", "PageTitle=道具", ""}));

  // A page without a file, loaded while the box shows an empty title, creates nothing.
  f.view.title = "";
  f.view.pageCount = 5;
  f.Launcher().UpDown1Click();
  f.Launcher().Command(core::command::kFastFinalButton);
  EXPECT_EQ(f.Current().PageNo, 5);
  EXPECT_FALSE(f.folder.Exists("DATA/User15.dat"));
}

TEST(LauncherPages, EveryChangeOfTheTitleWritesThePageFile) {
  LauncherFixture f;
  CountingFiles files;
  core::TLauncher launcher(
      f.view, {files, testing_support::Cp932(), f.prompter, f.shell, f.environment, f.sound, f.probe, f.log});
  f.view.launcher = &launcher;
  f.WriteSettings(Lines({"[User1]", "PageNo=3", "PageNoControl=3"}));
  launcher.FormCreate();
  files.writes = 0;
  for (const char* typed : {"T", "To", "Too", "Tool", "Tools"}) f.view.TypeTitle(typed);
  EXPECT_EQ(files.writes, 5);
  EXPECT_EQ(f.PageText("User13.dat"), Lines({"[PageTitle]", "PageTitle=Tools", ""}));
}

TEST(LauncherPages, TitleWriteFailureIsReportedAndTheProgramGoesOn) {
  LauncherFixture f;
  f.folder.Write("DATA", "a file where the folder should be");
  f.Launcher().FormCreate();
  f.prompter.boxes.clear();
  f.view.TypeTitle("x");
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "error");
  EXPECT_EQ(f.prompter.boxes[0].text,
            "ファイル " + f.folder.Path("DATA") + core::kPathSeparator + "User11.dat を作成できません");
  EXPECT_EQ(f.view.title, "x");
}

TEST(LauncherPages, AttributeRepairMakesAReadOnlyPageFileWritable) {
  LauncherFixture f;
  f.folder.Write("DATA/User11.dat", "[PageTitle]\r\nPageTitle=a\r\n");
  const std::string path = f.folder.Path("DATA/User11.dat");
  f.files.SetAttributes(path, core::kAttributeReadOnly | core::kAttributeArchive);
  ASSERT_EQ(f.files.Attributes(path), core::kAttributeReadOnly | core::kAttributeArchive);
  f.Launcher().FormCreate();
  EXPECT_EQ(f.files.Attributes(path), core::kAttributeArchive);

  // No file: nothing to repair, and nothing is created.
  core::PageStore(f.files, testing_support::Cp932(), core::DirectoryWithSeparator(f.environment.exePath))
      .RepairAttributes(f.folder.Path("DATA/x.dat"));
  EXPECT_FALSE(f.folder.Exists("DATA/x.dat"));
}

TEST(LauncherPages, StartUpCreatesAMissingDataFolder) {
  LauncherFixture f;
  ASSERT_FALSE(f.folder.Exists("DATA"));
  f.Launcher().FormCreate();
  EXPECT_TRUE(std::filesystem::is_directory(f.folder.Path("DATA")));
  EXPECT_TRUE(f.folder.Exists("DATA/User11.dat"));
  EXPECT_TRUE(f.prompter.boxes.empty());
}
