// The launcher's files when two copies of the program write them, when the disk runs
// out of room, and when DATA is deleted while the launcher runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "support.h"
#include "test_file_systems.h"

using testing_support::DiskFullFiles;
using testing_support::LauncherFixture;
using testing_support::Lines;
using testing_support::ManualClockFiles;
using testing_support::Sjis;

namespace {

// A second copy of the program under another file name in the same folder: a settings
// file of its own, the same DATA.
struct SecondCopy {
  SecondCopy(core::FileSystem& files, const std::string& exePath)
      : launcher(view,
                 {files, testing_support::Cp932(), prompter, shell, Placed(environment, exePath), sound, probe, log}) {
    view.launcher = &launcher;
  }
  static const core::Environment& Placed(testing_support::FakeEnvironment& environment, const std::string& exePath) {
    environment.exePath = exePath;
    return environment;
  }
  testing_support::FakePrompter prompter;
  testing_support::FakeShell shell;
  testing_support::FakeEnvironment environment;
  testing_support::FakeSound sound;
  testing_support::FakeProbe probe;
  testing_support::FakeFailureLog log;
  testing_support::FakeView view;
  core::TLauncher launcher;
};

std::string CannotCreate(const std::string& path) { return "ファイル " + path + " を作成できません"; }

}  // namespace

// Both copies show page 1; while the clock stands still, the second one gives button 1
// another program and the page another title of the same lengths. The first copy's
// next load of the page shows them.
TEST(LauncherStorage, TwoCopiesSharingDataSeeEachOthersChangesOfThePage) {
  ManualClockFiles files;
  LauncherFixture first(files);
  first.Launcher().FormCreate();
  first.Launcher().Button(1).FilesDropped({"C:\\Tools\\one.exe"});
  first.view.TypeTitle("Tools");
  SecondCopy second(files, first.folder.Path("zubi2.exe"));
  second.launcher.FormCreate();
  ASSERT_EQ(second.launcher.Button(1).Entry().path, "C:\\Tools\\one.exe");
  ASSERT_EQ(second.view.title, "Tools");

  first.Launcher().Command(core::command::kFastTopButton);  // the first copy has read the page last
  const std::string page = first.folder.Path("DATA/User11.dat");
  const auto stamp = files.Stamp(page);
  testing_support::SetPath(second.launcher.Button(1), "C:\\Tools\\two.exe");  // as its settings dialog does
  second.launcher.Editor().OnBtnUpdated(second.launcher.Button(1));
  second.view.TypeTitle("Games");
  ASSERT_EQ(files.Stamp(page), stamp);

  first.Launcher().Command(core::command::kFastTopButton);  // page 1 again
  EXPECT_EQ(first.Launcher().Button(1).Entry().path, "C:\\Tools\\two.exe");
  EXPECT_EQ(first.view.title, "Games");
  EXPECT_TRUE(first.prompter.boxes.empty());
  EXPECT_TRUE(second.prompter.boxes.empty());
  EXPECT_TRUE(first.folder.Exists("zubi.ini"));
  EXPECT_TRUE(first.folder.Exists("zubi2.ini"));
}

// The disk fills up while a dropped program is saved to the page, and again while the
// page count's change is saved: each write is reported with its path, stops the
// operation at that point, and leaves the old file whole; what the screen shows stays.
TEST(LauncherStorage, ADiskThatFillsUpStopsTheOperationAndKeepsTheOldFiles) {
  DiskFullFiles files;
  LauncherFixture f(files);
  f.WriteSettings(Lines({"[User1]", "PageNo=3", "PageNoControl=3"}));
  f.folder.Write("DATA/User13.dat", Sjis(Lines({"[PageTitle]", "PageTitle=道具"})));
  f.Launcher().FormCreate();
  ASSERT_TRUE(f.prompter.boxes.empty());
  const std::string page = f.folder.Read("DATA/User13.dat");
  const std::string settings = f.folder.Read("zubi.ini");

  files.room = 16;
  f.Launcher().Button(1).FilesDropped({"C:\\Tools\\calc.exe"});
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "error");
  EXPECT_EQ(f.prompter.boxes[0].text, CannotCreate(f.folder.Path("DATA/User13.dat")));
  EXPECT_EQ(files.partial, f.folder.Path("DATA/User13.dat") + ".zubi-new");
  EXPECT_EQ(f.folder.Read("DATA/User13.dat"), page);
  EXPECT_FALSE(f.folder.Exists("DATA/User13.dat.zubi-new"));
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "C:\\Tools\\calc.exe");
  EXPECT_EQ(f.Launcher().Button(1).Entry().title, "calc");

  // Lowering the count to 2 saves the position (settings, then the page number) and
  // then moves to the new last page: the first write fails, so nothing after it runs.
  files.attempts = 0;
  f.view.pageCount = 2;
  f.Launcher().UpDown1Click();
  ASSERT_EQ(f.prompter.boxes.size(), 2u);
  EXPECT_EQ(f.prompter.boxes[1].text, CannotCreate(f.folder.Path("zubi.ini")));
  EXPECT_EQ(files.attempts, 1);
  EXPECT_EQ(f.folder.Read("zubi.ini"), settings);
  EXPECT_FALSE(f.folder.Exists("zubi.ini.zubi-new"));
  EXPECT_EQ(f.Current().PageNoControl, 2);
  EXPECT_EQ(f.Current().PageNo, 3);
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "C:\\Tools\\calc.exe");

  // Room again: the next change of the button writes what the screen shows.
  files.room.reset();
  f.Launcher().Editor().OnBtnUpdated(f.Launcher().Button(1));
  EXPECT_EQ(f.prompter.boxes.size(), 2u);
  EXPECT_NE(f.PageText("User13.dat").find("[Button1]\r\nProgPath=C:\\Tools\\calc.exe\r\nProgTitle=calc\r\n"),
            std::string::npos);
  EXPECT_NE(f.PageText("User13.dat").find("PageTitle=道具"), std::string::npos);
}

// DATA deleted while the launcher runs: a page reads as empty, and the next write of a
// page makes the folder again and succeeds. Where it cannot be made (a file of that
// name stands there), the write is reported and the program goes on.
TEST(LauncherStorage, ADataFolderDeletedWhileRunningIsMadeAgainByTheNextPageWrite) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  f.Launcher().Button(1).FilesDropped({"C:\\Tools\\calc.exe"});
  f.view.TypeTitle("Tools");
  const std::string data = f.folder.Path("DATA");

  std::filesystem::remove_all(data);
  f.view.TypeTitle("Games");
  EXPECT_TRUE(std::filesystem::is_directory(data));
  // The file had gone, buttons and all: only the title is written, nothing is taken
  // from what the launcher had read of the old file.
  EXPECT_EQ(f.PageText("User11.dat"), Lines({"[PageTitle]", "PageTitle=Games", ""}));

  std::filesystem::remove_all(data);
  f.Launcher().Button(2).FilesDropped({"C:\\Tools\\note.exe"});
  EXPECT_NE(f.PageText("User11.dat").find("[Button2]\r\nProgPath=C:\\Tools\\note.exe\r\n"), std::string::npos);

  // A reload of the page while DATA is gone: empty buttons, the empty title written back.
  std::filesystem::remove_all(data);
  f.Launcher().Command(core::command::kFastTopButton);
  EXPECT_EQ(f.Launcher().Button(2).Entry().path, "");
  EXPECT_EQ(f.view.title, "");
  EXPECT_EQ(f.PageText("User11.dat"), Lines({"[PageTitle]", "PageTitle=", ""}));
  EXPECT_TRUE(f.prompter.boxes.empty());

  std::filesystem::remove_all(data);
  f.folder.Write("DATA", "a file where the folder should be");
  f.view.TypeTitle("T");
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].text, CannotCreate(f.folder.Path("DATA/User11.dat")));
  EXPECT_EQ(f.view.title, "T");
  EXPECT_EQ(f.folder.Read("DATA"), "a file where the folder should be");

  std::filesystem::remove(data);
  f.view.TypeTitle("To");
  EXPECT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.PageText("User11.dat"), Lines({"[PageTitle]", "PageTitle=To", ""}));
}
