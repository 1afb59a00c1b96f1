#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "support.h"

using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (auto& b : bytes) b = static_cast<char>(random() & 0xFF);
  return bytes;
}

void ExpectDefaults(LauncherFixture& f) {
  EXPECT_EQ(f.view.position, (core::ScreenPoint{100, 100}));
  EXPECT_EQ(f.Current().UserNo, 1);
  EXPECT_EQ(f.Current().UserName, "User1");
  EXPECT_EQ(f.Current().PageNo, 1);
  EXPECT_EQ(f.Current().PageNoControl, 1);
  EXPECT_EQ(f.Launcher().Hosts().options.CurrentOptions().Tray, 1);
  EXPECT_EQ(f.Launcher().Hosts().options.CurrentOptions().HotKey, "Alt+A");
  EXPECT_EQ(f.Current().CaptionText, "User1 - Page 1/1");
}

}  // namespace

TEST(BadInput, BinaryGarbageSettingsStartWithTheDefaults) {
  for (unsigned seed : {1u, 2u, 3u}) {
    LauncherFixture f;
    f.folder.Write("zubi.ini", RandomBytes(64 * 1024, seed));
    f.Launcher().FormCreate();
    ExpectDefaults(f);
    EXPECT_TRUE(f.prompter.boxes.empty());
  }
}

TEST(BadInput, HugeSettingsFileStartsWithTheDefaults) {
  LauncherFixture f;
  std::string huge;
  huge.reserve(32u << 20);
  while (huge.size() < (32u << 20))
    huge += "[Noise" + std::to_string(huge.size() % 977) + "]\r\nkey=" + std::string(200, 'x') + "\r\n";
  f.folder.Write("zubi.ini", huge);
  f.Launcher().FormCreate();
  ExpectDefaults(f);
  EXPECT_NE(f.SettingsText().find("[Setting]\r\nLeft=100\r\n"), std::string::npos);
}

TEST(BadInput, InvalidCodePageBytesAndAbsurdNumbersDoNotStopTheStart) {
  LauncherFixture f;
  f.folder.Write("zubi.ini",
                 "[Setting]\r\nLeft=99999999999\r\nTop=-2147483648\r\nUserNo=\x81\r\n"
                 "[User]\r\nUser1=A\x81\xFF\xA0Z\r\n[User1]\r\nPageNo=2147483647\r\nPageNoControl=-3\r\n"
                 "FormColor=0x7FFFFFFF\r\nKey=-99\r\n");
  f.Launcher().FormCreate();
  EXPECT_EQ(f.view.position, (core::ScreenPoint{100, 0}));
  EXPECT_EQ(f.Current().UserNo, 1);
  EXPECT_EQ(f.Current().PageNo, 2147483647);
  EXPECT_EQ(f.Current().PageNoControl, -3);
  EXPECT_EQ(f.Launcher().Hosts().options.CurrentOptions().FormColor, 2147483647);
  EXPECT_EQ(f.Launcher().Hosts().options.CurrentOptions().Key, -99);
  EXPECT_EQ(f.Current().UserName.front(), 'A');
  EXPECT_EQ(f.Current().UserName.back(), 'Z');
  EXPECT_TRUE(f.prompter.boxes.empty());
  // The damaged name is written back without losing the text around it.
  EXPECT_NE(f.SettingsText().find("User1=A"), std::string::npos);
}

TEST(BadInput, DamagedPageFilesLoadWithTheDefaults) {
  LauncherFixture f;
  f.folder.Write("DATA/User11.dat", RandomBytes(64 * 1024, 9));
  f.Launcher().FormCreate();
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(f.Launcher().Button(k).Entry().path, "") << k;
  EXPECT_TRUE(f.prompter.boxes.empty());

  const std::string longTitle(64 * 1024, 'T');
  f.folder.Write("DATA/User11.dat",
                 Lines({"[PageTitle]", "PageTitle=" + longTitle, "[Button1]", "ProgPath=C:\\a.exe",
                        "IconNo=99999999999", "ProgState=-7", "[BUTTON1]", "ProgPath=C:\\second.exe", "[Button2]",
                        "ProgPath=C:\\b.exe", "IconNo=-5", "ProgState=2147483647", "IsIconSmall=abc"}));
  f.Launcher().Command(core::command::kFastTopButton);  // page 1 read again
  EXPECT_EQ(f.view.title, longTitle);
  const core::TLaunchButton& one = f.Launcher().Button(1);
  EXPECT_EQ(one.Entry().path, "C:\\a.exe");  // the first of the duplicated sections
  EXPECT_EQ(one.Entry().iconNo, 0);
  EXPECT_EQ(one.Entry().state, core::TProgState::psNormal);
  const core::TLaunchButton& two = f.Launcher().Button(2);
  EXPECT_EQ(two.Entry().iconNo, -5);
  EXPECT_EQ(f.view.buttons[1].glyph, (core::GlyphSource{"C:\\b.exe", -5, false}));
  EXPECT_FALSE(two.Entry().isIconSmall);
  EXPECT_TRUE(f.prompter.boxes.empty());
}

namespace {

// Reading one file fails, as when another program holds it locked.
class LockedFileSystem : public core::PosixFileSystem {
 public:
  std::string locked;

 protected:
  bool ReadAll(const std::string& path, std::string& bytes) const override {
    return path != locked && PosixFileSystem::ReadAll(path, bytes);
  }
};

size_t EntriesIn(const std::string& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

}  // namespace

// Ten thousand unrelated files, a folder named like a page file and a page file that
// cannot be read: the user dialog still opens at once, touches only the user's own
// files, and the unreadable page is reported with its path (read ahead, logged).
TEST(BadInput, CrowdedDataFolderLeavesTheUserOperationsQuickAndConfined) {
  testing_support::TempFolder folder;
  for (int i = 0; i < 10000; ++i) folder.Write("DATA/note" + std::to_string(i) + (i % 2 ? ".txt" : ".dat"), "x");
  std::filesystem::create_directory(folder.Path("DATA/User12.dat"));
  folder.Write("DATA/User11.dat", Lines({"[PageTitle]", "PageTitle=one"}));
  folder.Write("DATA/Ken1.dat", Lines({"[PageTitle]", "PageTitle=locked"}));
  folder.Write("zubi.ini", Lines({"[User1]", "PageNoControl=3", "[User]", "User2=Ken"}));
  LockedFileSystem files;
  files.locked = folder.Path("DATA/Ken1.dat");
  testing_support::FakePrompter prompter;
  testing_support::FakeShell shell;
  testing_support::FakeEnvironment environment;
  environment.exePath = folder.Path("zubi.exe");
  testing_support::FakeSound sound;
  testing_support::FakeProbe probe;
  testing_support::FakeFailureLog log;
  testing_support::FakeView view;
  core::TLauncher launcher(view, {files, testing_support::Cp932(), prompter, shell, environment, sound, probe, log});
  view.launcher = &launcher;
  testing_support::FakeUserView users;
  core::TUserDlg dialog(users, launcher.Hosts().users, prompter);
  users.dialog = &dialog;
  launcher.FormCreate();

  auto started = std::chrono::steady_clock::now();
  dialog.mUserClick();
  users.SetNameText("Neo");
  dialog.ChangeButtonClick();  // page 2's "file" is a folder: not a page, left alone
  auto took = std::chrono::steady_clock::now() - started;
  EXPECT_LT(took, std::chrono::milliseconds(100));
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_TRUE(folder.Exists("DATA/Neo1.dat"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("DATA/User12.dat")));
  EXPECT_EQ(EntriesIn(folder.Path("DATA")), 10000u + 3u);

  dialog.ListBox1Click(1);  // Ken, whose first page cannot be read
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "ファイル " + folder.Path("DATA/Ken1.dat") + " は開けません");
  EXPECT_EQ(users.closed, 1);
  EXPECT_EQ(folder.Read("DATA/Ken1.dat"), Lines({"[PageTitle]", "PageTitle=locked"}));
  EXPECT_EQ(EntriesIn(folder.Path("DATA")), 10000u + 3u);
  // Read ahead, the page that cannot be read is logged, not shown.
  launcher.ReadAhead();
  EXPECT_EQ(launcher.Current().UserName, "Ken");
  EXPECT_EQ(log.lines, std::vector<std::string>{"reading the pages ahead: ファイル " + folder.Path("DATA/Ken1.dat") +
                                                " は開けません"});
  EXPECT_EQ(prompter.boxes.size(), 1u);
}
