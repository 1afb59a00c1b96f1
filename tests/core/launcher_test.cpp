#include <gtest/gtest.h>

#include <filesystem>

#include "storage/paths.h"
#include "support.h"

using testing_support::LauncherFixture;
using testing_support::Lines;

TEST(LauncherTimer, TickShowsDateAndTime) {
  LauncherFixture f;
  f.environment.now = {2007, 3, 4, 9, 5, 7};
  f.Launcher().Timer1Timer();
  EXPECT_EQ(f.view.date, "07/3/4");
  EXPECT_EQ(f.view.time, "9:05:07");
  f.environment.now = {2026, 12, 31, 23, 59, 59};
  f.Launcher().Timer1Timer();
  EXPECT_EQ(f.view.date, "26/12/31");
}

TEST(LauncherStatus, NavigationButtonsAndCaptionFollowThePageAndTheCount) {
  struct Case {
    int page, count;
    const char* states;  // T << < > >> F, '?' untouched
  };
  const Case cases[] = {
      {1, 1, "000000"}, {1, 5, "000111"}, {3, 5, "111111"},
      {5, 5, "111000"}, {0, 1, "???111"},  // outside the range: only the tests that hold act
      {7, 5, "111???"},
  };
  for (const auto& c : cases) {
    LauncherFixture f;
    f.WriteSettings(Lines({"[User1]", "PageNo=" + std::to_string(c.page), "PageNoControl=" + std::to_string(c.count)}));
    f.Launcher().FormCreate();
    EXPECT_EQ(f.view.NavStates(), c.states) << "page " << c.page << " of " << c.count;
    EXPECT_EQ(f.view.caption, "User1 - Page " + std::to_string(c.page) + "/" + std::to_string(c.count));
  }
}

// A pointer that cannot be read (a locked session, an elevation prompt) changes nothing.
TEST(LauncherTimer, MouseEdgeModeShowsAtTheCornerAndHidesOnTheEdges) {
  struct Case {
    int mouse;
    core::ScreenPoint cursor;
    bool shownBefore, shownAfter;
    bool read = true;
  };
  const Case cases[] = {
      {1, {0, 0}, false, true},         {1, {0, 400}, true, false},    {1, {400, 0}, true, false},
      {1, {400, 400}, true, true},      {1, {400, 400}, false, false}, {1, {-1, 0}, true, false},
      {1, {-5, -5}, true, true},        {0, {0, 0}, false, false},     {0, {0, 400}, true, true},
      {2, {0, 0}, false, true},         {-1, {0, 400}, true, true},    {1, {0, 0}, false, false, false},
      {1, {0, 400}, true, true, false},
  };
  for (const auto& c : cases) {
    LauncherFixture f;
    f.view.cursor = c.read ? std::optional(c.cursor) : std::nullopt;
    f.view.shown = c.shownBefore;
    core::WindowDisplay(f.view).FollowMouseEdge(c.mouse);
    EXPECT_EQ(f.view.shown, c.shownAfter)
        << "Mouse=" << c.mouse << " at " << c.cursor.x << "," << c.cursor.y << (c.read ? "" : " unread");
  }
}

TEST(LauncherTimer, TickReadsAndWritesNoFile) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  std::filesystem::remove_all(f.folder.Path());
  for (int i = 0; i < 5; ++i) f.Launcher().Timer1Timer();
  EXPECT_FALSE(std::filesystem::exists(f.folder.Path()));
  EXPECT_TRUE(f.prompter.boxes.empty());
}

TEST(LauncherWindow, ShowHideToggleAndTitleBarDoubleClick) {
  LauncherFixture f;
  core::WindowDisplay display(f.view);
  display.TrayIcon1Click();
  EXPECT_FALSE(f.view.shown);
  EXPECT_EQ(f.view.foregrounds, 0);
  display.TrayIcon1Click();
  EXPECT_TRUE(f.view.shown);
  EXPECT_EQ(f.view.foregrounds, 1);

  display.TitleBarDoubleClick(core::kHitCaption, false);  // TitleDbClk off
  EXPECT_TRUE(f.view.shown);
  display.TitleBarDoubleClick(20, true);  // the close box
  EXPECT_TRUE(f.view.shown);
  display.TitleBarDoubleClick(core::kHitCaption, true);
  EXPECT_FALSE(f.view.shown);
}

TEST(LauncherWindow, CloseRequestSavesThenAsksAndOnlyYesCloses) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  f.view.position = {300, 200};
  f.view.pageCount = 4;
  f.Launcher().UpDown1Click();
  f.Launcher().Command(core::command::kFwdButton);
  f.Launcher().Command(core::command::kFwdButton);
  f.prompter.answerYes = false;
  EXPECT_FALSE(f.Launcher().CloseRequest());
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "confirm");
  EXPECT_EQ(f.prompter.boxes[0].text, "ZUBIらんちゃを終了して宜しいですか?");
  EXPECT_TRUE(f.prompter.boxes[0].placement.centred);
  // Answered No: the settings written before the question stay written.
  EXPECT_EQ(f.SettingsText(), Lines({"[Setting]", "Left=300", "Top=200", "UserNo=1", "", "[User1]", "PageNoControl=4",
                                     "ToDir=C:\\Desktop", "PageNo=3", "", "[User]", "User1=User1", ""}));
  f.prompter.answerYes = true;
  EXPECT_TRUE(f.Launcher().CloseRequest());
}

TEST(LauncherWindow, EndOfSessionSavesWithoutAsking) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  std::filesystem::remove(f.folder.Path("zubi.ini"));
  f.Launcher().EndSession();
  EXPECT_TRUE(f.prompter.boxes.empty());
  EXPECT_NE(f.SettingsText().find("PageNo=1"), std::string::npos);
  EXPECT_NE(f.SettingsText().find("User1=User1"), std::string::npos);
}

TEST(LauncherWindow, UnwritableSettingsAreReportedAndNeverStopTheProgram) {
  LauncherFixture f;
  std::filesystem::create_directory(f.folder.Path("zubi.ini"));
  f.Launcher().FormCreate();
  const std::string error = "ファイル " + f.folder.Path("zubi.ini") + " を作成できません";
  // SavePosition and SaveUserName each fail once; the other steps still ran.
  EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>({error, error}));
  EXPECT_EQ(f.Current().CaptionText, "User1 - Page 1/1");
  EXPECT_TRUE(f.folder.Exists("DATA/User11.dat"));

  f.prompter.boxes.clear();
  EXPECT_TRUE(f.Launcher().CloseRequest());
  EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>({error, "ZUBIらんちゃを終了して宜しいですか?"}));
}

TEST(LauncherWindow, HelpOpensTheHelpPageBesideTheExecutable) {
  LauncherFixture f;
  f.Launcher().Command(core::command::kHelpOpen);
  ASSERT_EQ(f.shell.requests.size(), 1u);
  const core::ShellRequest& r = f.shell.requests[0];
  EXPECT_EQ(r.verb, "open");
  EXPECT_EQ(r.file, f.folder.Path("help") + core::kPathSeparator + "index.htm");
  EXPECT_EQ(r.parameters, "");
  EXPECT_EQ(r.directory, "");
  EXPECT_EQ(r.showCommand, 1);
  EXPECT_EQ(r.owner, 0x1234u);
}

// An idle window costs nothing: each tick changes only the clock, and only where it
// differs from the screen; a page shown changes only the caption and buttons that differ.
TEST(LauncherTimer, ChangesAControlOnlyWhenWhatItShowsDiffers) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=3"}));
  f.Launcher().FormCreate();
  f.environment.now = {2026, 12, 8, 9, 5, 7};
  f.Launcher().Timer1Timer();
  f.view.updates.clear();

  // Five ticks within one second: the time label changes once, nothing else.
  for (int second : {7, 7, 8, 8, 8}) {
    f.environment.now.second = second;
    f.Launcher().Timer1Timer();
  }
  EXPECT_EQ(f.view.updates, std::vector<std::string>{"time"});

  f.view.updates.clear();
  f.Launcher().Timer1Timer();  // nothing changed
  EXPECT_TRUE(f.view.updates.empty());

  // A move to page 2 of 3: the caption and the three backward buttons, at once.
  f.Launcher().Command(core::command::kFwdButton);
  EXPECT_EQ(f.view.updates, (std::vector<std::string>{"nav0", "nav1", "nav2", "caption"}));
  f.view.updates.clear();
  f.Launcher().Timer1Timer();
  EXPECT_TRUE(f.view.updates.empty());
  EXPECT_EQ(f.view.caption, "User1 - Page 2/3");

  // Midnight: the date and the time.
  f.view.updates.clear();
  f.environment.now = {2026, 12, 9, 0, 0, 0};
  f.Launcher().Timer1Timer();
  EXPECT_EQ(f.view.updates, (std::vector<std::string>{"date", "time"}));

  // A new date separator shows once the regional settings are said to have changed,
  // and the time, which kept its text, is not set again.
  f.view.updates.clear();
  f.environment.dateSeparator = "-";
  f.environment.now.second = 1;
  f.Launcher().Timer1Timer();
  EXPECT_EQ(f.view.updates, std::vector<std::string>{"time"});
  f.Launcher().RegionalSettingsChanged();
  f.Launcher().Timer1Timer();
  EXPECT_EQ(f.view.updates, (std::vector<std::string>{"time", "date"}));
  EXPECT_EQ(f.view.date, "26-12-9");
}
