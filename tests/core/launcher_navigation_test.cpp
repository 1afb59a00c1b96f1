#include <gtest/gtest.h>

#include "support.h"

using testing_support::FakeListView;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

using Command = core::command::Id;

struct Move {
  int count, from;
  Command command;
  int to;
};

constexpr Command kTop = core::command::kFastTopButton;
constexpr Command kFastBwd = core::command::kFastBwdButton;
constexpr Command kBwd = core::command::kBwdButton;
constexpr Command kFwd = core::command::kFwdButton;
constexpr Command kFastFwd = core::command::kFastFwdButton;
constexpr Command kFinal = core::command::kFastFinalButton;

}  // namespace

TEST(Navigation, CommandsStopOrWrapAtTheEnds) {
  const Move moves[] = {
      {1, 1, kTop, 1},      {1, 1, kFastBwd, 1},  {1, 1, kBwd, 1},   {1, 1, kFwd, 1},       {1, 1, kFastFwd, 1},
      {1, 1, kFinal, 1},    {2, 1, kBwd, 2},      {2, 2, kFwd, 1},   {2, 1, kFastFwd, 2},   {2, 2, kFastBwd, 1},
      {5, 3, kTop, 1},      {5, 3, kFastBwd, 1},  {5, 3, kBwd, 2},   {5, 3, kFwd, 4},       {5, 3, kFastFwd, 5},
      {5, 3, kFinal, 5},    {5, 5, kFwd, 1},      {5, 1, kBwd, 5},   {10, 9, kFastFwd, 10}, {10, 9, kFastBwd, 6},
      {10, 2, kFastBwd, 1}, {10, 3, kFastFwd, 6}, {10, 10, kFwd, 1}, {10, 1, kBwd, 10},     {10, 4, kFinal, 10},
  };
  for (const Move& m : moves) {
    LauncherFixture f;
    f.WriteSettings(Lines({"[User]", "User1=U", "[User1]", "PageNo=" + std::to_string(m.from),
                           "PageNoControl=" + std::to_string(m.count)}));
    f.Launcher().FormCreate();
    f.Launcher().Command(m.command);
    EXPECT_EQ(f.Current().PageNo, m.to) << "from " << m.from << " of " << m.count;
    EXPECT_EQ(f.Current().CaptionText, "U - Page " + std::to_string(m.to) + "/" + std::to_string(m.count));
  }
}

TEST(Navigation, MovingEmptiesTheButtonsAndLoadsThePage) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=3"}));
  f.folder.Write("DATA/User12.dat", Lines({"[PageTitle]", "PageTitle=Two", "[Button2]", "ProgPath=C:\\two.exe"}));
  f.Launcher().FormCreate();
  f.Launcher().Button(1).FilesDropped({"C:\\one.exe"});
  f.Launcher().Command(kFwd);
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "");
  EXPECT_EQ(f.view.buttons[0].hint, "未登録");
  EXPECT_EQ(f.Launcher().Button(2).Entry().path, "C:\\two.exe");
  EXPECT_EQ(f.view.buttons[1].hint, "two.exe");
  EXPECT_EQ(f.view.title, "Two");
  // The title is written back when it differs: page 2's file is rewritten whole.
  EXPECT_EQ(f.PageText("User12.dat"),
            Lines({"[PageTitle]", "PageTitle=Two", "", "[Button2]", "ProgPath=C:\\two.exe", ""}));
  // A titled page to a page without a file: that file holds only an empty title.
  f.Launcher().Command(kFwd);
  EXPECT_EQ(f.PageText("User13.dat"), Lines({"[PageTitle]", "PageTitle=", ""}));
  // Moving writes nothing to the settings file.
  EXPECT_NE(f.SettingsText().find("PageNo=1"), std::string::npos);
  // Between untitled pages without files nothing is created.
  f.view.pageCount = 5;
  f.Launcher().UpDown1Click();
  f.Launcher().Command(kFwd);
  EXPECT_FALSE(f.folder.Exists("DATA/User14.dat"));
}

TEST(Navigation, PageCountChangesSaveAndMoveOnlyWhenTheCurrentPageIsCut) {
  struct Case {
    int page, count, newCount, expectedPage;
    bool reloads;
  };
  const Case cases[] = {{5, 5, 4, 4, true}, {4, 5, 4, 4, true}, {1, 2, 1, 1, false}, {2, 5, 9, 2, false}};
  for (const Case& c : cases) {
    LauncherFixture f;
    f.WriteSettings(Lines({"[User1]", "PageNo=" + std::to_string(c.page), "PageNoControl=" + std::to_string(c.count)}));
    f.Launcher().FormCreate();
    // A program stored behind the launcher's back shows only when the page is reloaded.
    f.folder.Write("DATA/User1" + std::to_string(c.expectedPage) + ".dat", Lines({"[Button1]", "ProgPath=C:\\x.exe"}));
    f.view.pageCount = c.newCount;
    f.Launcher().UpDown1Click();
    EXPECT_EQ(f.Current().PageNoControl, c.newCount);
    EXPECT_EQ(f.Current().PageNo, c.expectedPage);
    EXPECT_EQ(f.Launcher().Button(1).Entry().path == "C:\\x.exe", c.reloads) << "page " << c.page;
    EXPECT_NE(f.SettingsText().find("PageNoControl=" + std::to_string(c.newCount)), std::string::npos);
    EXPECT_EQ(f.Current().CaptionText,
              "User1 - Page " + std::to_string(c.expectedPage) + "/" + std::to_string(c.newCount));
  }
}

TEST(PageList, ShowsOneTitlePerPageAtTheWindowPositionAndJumps) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=4", "FormColor=7"}));
  f.folder.Write("DATA/User11.dat", Lines({"[PageTitle]", "PageTitle=One"}));
  f.folder.Write("DATA/User13.dat", testing_support::Sjis(Lines({"[PageTitle]", "PageTitle=三"})));
  f.folder.Write("DATA/User15.dat", Lines({"[PageTitle]", "PageTitle=beyond the count"}));
  FakeListView list;
  core::TListDlg dialog(list, f.Launcher().Hosts().list, f.prompter);
  f.Launcher().FormCreate();
  f.view.position = {-20, 300};
  list.whileShown = [&] { dialog.ListBox1Click(2); };
  dialog.mListClick();
  EXPECT_EQ(list.items, (std::vector<std::string>{"One", "", "三", ""}));
  EXPECT_EQ(list.selected, 0);  // the page shown, so that keys move from there
  EXPECT_EQ(list.position, (core::ScreenPoint{0, 300}));
  EXPECT_EQ(list.colour, (core::PanelColour{core::PanelColour::Kind::kFixed, {166, 202, 240}}));
  EXPECT_EQ(list.closed, 1);
  EXPECT_EQ(f.Current().PageNo, 3);
  EXPECT_EQ(f.view.title, "三");
  EXPECT_NE(f.SettingsText().find("Left=-20"), std::string::npos);  // saved when the list opened

  list.whileShown = [&] { dialog.CancelButtonClick(); };
  dialog.mListClick();
  EXPECT_EQ(list.items.size(), 4u);
  EXPECT_EQ(list.selected, 2);
  EXPECT_EQ(f.Current().PageNo, 3);
  EXPECT_EQ(list.closed, 2);
}

TEST(PanelColours, TenColoursAndNothingOutsideThem) {
  using Kind = core::PanelColour::Kind;
  EXPECT_EQ(core::PanelColourOf(0)->kind, Kind::kButtonFace);
  EXPECT_EQ(core::PanelColourOf(9)->kind, Kind::kDesktop);
  const std::pair<int, core::Rgb> fixed[] = {{1, {192, 192, 192}}, {2, {0, 255, 0}},    {3, {255, 255, 0}},
                                             {4, {255, 0, 255}},   {5, {0, 255, 255}},  {6, {255, 255, 255}},
                                             {7, {166, 202, 240}}, {8, {255, 251, 240}}};
  for (auto [n, rgb] : fixed) EXPECT_EQ(core::PanelColourOf(n), (core::PanelColour{Kind::kFixed, rgb})) << n;
  EXPECT_FALSE(core::PanelColourOf(-1));
  EXPECT_FALSE(core::PanelColourOf(10));
  EXPECT_STREQ(core::PanelColourName(0), "標準色");
  EXPECT_STREQ(core::PanelColourName(9), "背景色");

  // The launcher takes the user's colour when the options load; 12 leaves it alone.
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "FormColor=12", "[User2]", "FormColor=3"}));
  f.Launcher().FormCreate();
  EXPECT_FALSE(f.view.colour);
  f.Launcher().Hosts().users.SwitchUser(2, "User2");
  EXPECT_EQ(f.view.colour, (core::PanelColour{Kind::kFixed, {255, 255, 0}}));
  f.Launcher().Hosts().users.SwitchUser(1, "User1");
  EXPECT_EQ(f.view.colour, (core::PanelColour{Kind::kFixed, {255, 255, 0}}));
}
