#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "storage/paths.h"
#include "support.h"

using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

// The settings file of the fixture's program, as the launcher keeps it.
core::LauncherSettings SettingsOf(LauncherFixture& f) {
  return core::LauncherSettings({f.files, testing_support::Cp932(), f.folder.Path("zubi.ini")}, f.environment);
}

}  // namespace

TEST(LauncherSettings, FirstRunWritesTheSettingsFileAndAnUntitledFirstPage) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  EXPECT_EQ(f.SettingsText(), Lines({"[Setting]", "Left=100", "Top=100", "UserNo=1", "", "[User1]", "PageNoControl=1",
                                     "ToDir=C:\\Desktop", "PageNo=1", "", "[User]", "User1=User1", ""}));
  EXPECT_EQ(f.PageText("User11.dat"), Lines({"[PageTitle]", "PageTitle=", ""}));
  EXPECT_EQ(f.Current().CaptionText, "User1 - Page 1/1");
  EXPECT_EQ(f.view.position, (core::ScreenPoint{100, 100}));
  EXPECT_EQ(f.view.title, "");
  EXPECT_EQ(f.view.pageCount, 1);
  EXPECT_EQ(f.Launcher().Hosts().options.StartSoundPath(), f.folder.Path("start.wav"));
  EXPECT_TRUE(f.prompter.boxes.empty());
}

TEST(LauncherSettings, StoredValuesAreUsedAsReadExceptNegativePositions) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[setting]", "left=-30", "TOP=250", "userno=4", "[User4]", "PageNo=0", "PageNoControl=150",
                         "ToDir=D:\\Backup"}));
  f.Launcher().FormCreate();
  EXPECT_EQ(f.view.position, (core::ScreenPoint{0, 250}));
  EXPECT_EQ(f.Current().UserNo, 4);
  EXPECT_EQ(f.Current().UserName, "User4");  // no name stored for user 4
  EXPECT_EQ(f.Current().PageNo, 0);
  EXPECT_EQ(f.Current().PageNoControl, 150);
  EXPECT_EQ(f.Launcher().Hosts().options.ToDir(), "D:\\Backup");
  EXPECT_EQ(f.environment.folderQueries, 0);  // the desktop is not asked for
  EXPECT_EQ(f.Current().CaptionText, "User4 - Page 0/150");
  EXPECT_EQ(f.view.pageCount, 150);
  EXPECT_TRUE(f.folder.Exists("DATA/User40.dat"));
  // Keys found in another letter case are written back in the case of the key name;
  // the section keeps the case it was read in.
  EXPECT_EQ(f.SettingsText(), Lines({"[setting]", "Left=0", "Top=250", "UserNo=4", "", "[User4]", "PageNo=0",
                                     "PageNoControl=150", "ToDir=D:\\Backup", "", "[User]", "User4=User4", ""}));
}

TEST(LauncherSettings, UnreadableNumbersTakeTheirDefaults) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[Setting]", "Left=", "Top=1e3", "UserNo=abc", "[User1]", "PageNo=x", "PageNoControl=$A"}));
  core::LauncherSettings settings = SettingsOf(f);
  const core::WindowState state = settings.LoadPosition();
  EXPECT_EQ(state.position, (core::ScreenPoint{100, 100}));
  EXPECT_EQ(std::tuple(state.userNo, state.pageNo, state.pageCount), std::tuple(1, 1, 10));
  EXPECT_EQ(settings.ToDir(), "C:\\Desktop");
}

TEST(LauncherSettings, UserNamesFallBackToUserAndTheirNumber) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User]", "User1=太郎", "User2=", "user3=Hanako"}));
  auto nameOf = [&](int n) { return SettingsOf(f).UserNameOf(n); };
  EXPECT_EQ(nameOf(1), "太郎");
  EXPECT_EQ(nameOf(2), "");  // stored empty: an empty name, not the default
  EXPECT_EQ(nameOf(3), "Hanako");
  EXPECT_EQ(nameOf(4), "User4");
  EXPECT_EQ(nameOf(10), "User10");
}

TEST(LauncherSettings, StoredNamesThatWouldLeaveTheDataFolderReadAsTheDefaultName) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User]", "User1=../evil", "User2=..\\x", "User3=CON", "User4=a:b", "User5=Taro"}));
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(SettingsOf(f).UserNameOf(n), "User" + std::to_string(n));
  EXPECT_EQ(SettingsOf(f).UserNameOf(5), "Taro");

  // The start writes the default user's page in DATA, and nothing beside the folder (where
  // "../evil" would have put its page).
  f.Launcher().FormCreate();
  EXPECT_EQ(f.Current().UserName, "User1");
  EXPECT_EQ(f.Current().CaptionText, "User1 - Page 1/1");
  EXPECT_TRUE(f.folder.Exists("DATA/User11.dat"));
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(f.folder.Path("")))
    written.push_back(entry.path().lexically_relative(f.folder.Path("")).generic_string());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{"DATA", "DATA/User11.dat", "zubi.ini"}));
}

TEST(LauncherSettings, SavesRewriteOnlyTheirKeysAndKeepTheRest) {
  LauncherFixture f;
  f.WriteSettings(Lines(
      {"; old comment", "[User2]", "Mouse=1", "PageNo=4", "[Setting]", "Top=5", "Extra=keep", "[User]", "User2=Jiro"}));
  core::LauncherSettings settings = SettingsOf(f);
  settings.SetToDir("E:\\");
  settings.SavePosition({{320, 40}, 2, 7, 9});
  settings.StoreUserName(2, "次郎");
  EXPECT_EQ(f.SettingsText(), Lines({"[User2]", "Mouse=1", "PageNo=7", "PageNoControl=9", "ToDir=E:\\", "", "[Setting]",
                                     "Top=40", "Extra=keep", "Left=320", "UserNo=2", "", "[User]", "User2=次郎", ""}));
}

TEST(LauncherSettings, OptionsReadWithTheirDefaults) {
  LauncherFixture f;
  core::Options s = SettingsOf(f).OptionsOf(1);
  EXPECT_EQ(std::tuple(s.Mouse, s.Tray, s.Hot, s.Shift, s.Ctrl, s.Alt, s.HotKey, s.Key, s.FormColor),
            std::tuple(0, 1, 0, 0, 0, 1, std::string("Alt+A"), 40, 0));
  EXPECT_EQ(std::tuple(s.BtnClk, s.TitleDbClk, s.Sound), std::tuple(false, false, false));

  f.WriteSettings(Lines({"[User3]", "Mouse=1", "Tray=0", "Hot=0x1", "Shift=1", "Ctrl=1", "Alt=0",
                         "HotKey=Ctrl+Shift+F5", "Key=$10", "FormColor=12", "BtnClk=2", "TitleDbClk=-1", "Sound=no"}));
  s = SettingsOf(f).OptionsOf(3);
  EXPECT_EQ(std::tuple(s.Mouse, s.Tray, s.Hot, s.Shift, s.Ctrl, s.Alt, s.HotKey, s.Key, s.FormColor),
            std::tuple(1, 0, 1, 1, 1, 0, std::string("Ctrl+Shift+F5"), 16, 12));
  EXPECT_EQ(std::tuple(s.BtnClk, s.TitleDbClk, s.Sound), std::tuple(true, true, false));
}

TEST(LauncherSettings, SettingsFileIsNamedAfterTheExecutable) {
  LauncherFixture f;
  // Only the last extension goes; a dot in a folder's name is no extension.
  const std::pair<const char*, const char*> names[] = {
      {"Launch.v2.exe", "Launch.v2.ini"}, {"noext", "noext.ini"}, {"v1.2/zubi", "v1.2/zubi.ini"}};
  for (const auto& [exe, ini] : names) EXPECT_EQ(core::ChangeExtension(f.folder.Path(exe), ".ini"), f.folder.Path(ini));
}
