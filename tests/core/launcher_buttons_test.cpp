#include <gtest/gtest.h>

#include <filesystem>

#include "storage/paths.h"
#include "support.h"

using core::TProgState;
using testing_support::LauncherFixture;
using testing_support::Lines;
using testing_support::Sjis;

namespace {

// The ten empty button sections that follow a first write of a page.
std::vector<std::string> EmptyButtons(int from) {
  std::vector<std::string> lines;
  for (int k = from; k <= 10; ++k) {
    lines.push_back("[Button" + std::to_string(k) + "]");
    lines.push_back("ProgPath=");
    lines.push_back("");
  }
  return lines;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST(PageFile, WritingAPageGivesTheDocumentedFile) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNo=2", "PageNoControl=2"}));
  f.Launcher().FormCreate();  // DATA\User12.dat with an empty title
  f.view.TypeTitle("Tools");  // typed: the title is written first
  core::TLaunchButton& b = f.Launcher().Button(1);
  testing_support::Set(b, &core::ButtonEntry::title, "edit");
  testing_support::Set(b, &core::ButtonEntry::dir, "C:\\Apps");
  testing_support::Set(b, &core::ButtonEntry::state, TProgState::psMinimized);
  testing_support::SetPath(b, "C:\\Apps\\edit.exe");
  f.Launcher().Editor().OnBtnUpdated(b);
  EXPECT_EQ(f.PageText("User12.dat"),
            Lines(Join({"[PageTitle]", "PageTitle=Tools", "", "[Button1]", "ProgPath=C:\\Apps\\edit.exe",
                        "ProgTitle=edit", "ProgDir=C:\\Apps", "ProgState=2", ""},
                       EmptyButtons(2))));
}

TEST(PageFile, EveryKeyRoundTripsAndEmptyValuesLoseTheirKeys) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  core::TLaunchButton& b = f.Launcher().Button(4);
  testing_support::SetPath(b, "C:\\Office\\calc.exe");
  f.Launcher().Editor().OnBtnUpdated(b);  // a first save gives the title and folder of the path
  testing_support::Set(b, &core::ButtonEntry::title, "表計算");
  testing_support::Set(b, &core::ButtonEntry::dir, "C:\\Office");
  testing_support::Set(b, &core::ButtonEntry::state, TProgState::psMaximized);
  testing_support::Set(b, &core::ButtonEntry::option, "/n \"C:\\x y.xls\"");
  testing_support::Set(b, &core::ButtonEntry::iconPath, "C:\\icons.dll");
  testing_support::Set(b, &core::ButtonEntry::iconNo, 7);
  testing_support::Set(b, &core::ButtonEntry::isIconSmall, true);
  testing_support::Set(b, &core::ButtonEntry::hotKey, "Ctrl+Alt+E");
  testing_support::Set(b, &core::ButtonEntry::switchIfRunning, true);
  testing_support::Set(b, &core::ButtonEntry::startDelay, 1500);
  testing_support::SetPath(b, "C:\\Office\\calc.exe");
  f.Launcher().Editor().OnBtnUpdated(b);
  EXPECT_NE(f.PageText("User11.dat")
                .find(Lines({"[Button4]", "ProgPath=C:\\Office\\calc.exe", "ProgTitle=表計算", "ProgDir=C:\\Office",
                             "ProgState=1", "ProgOption=/n \"C:\\x y.xls\"", "IconPath=C:\\icons.dll", "IconNo=7",
                             "IsIconSmall=1", "HotKey=Ctrl+Alt+E", "SwitchIfRunning=1", "StartDelay=1500", ""})),
            std::string::npos);

  f.Launcher().Command(core::command::kFastTopButton);  // page 1 again
  const core::TLaunchButton& loaded = f.Launcher().Button(4);
  EXPECT_EQ(std::tuple(loaded.Entry().title, loaded.Entry().dir, loaded.Entry().option, loaded.Entry().iconPath,
                       loaded.Entry().iconNo, loaded.Entry().isIconSmall, loaded.Entry().path),
            std::tuple("表計算", "C:\\Office", "/n \"C:\\x y.xls\"", "C:\\icons.dll", 7, true, "C:\\Office\\calc.exe"));
  EXPECT_EQ(std::tuple(loaded.Entry().hotKey, loaded.Entry().switchIfRunning, loaded.Entry().startDelay),
            std::tuple("Ctrl+Alt+E", true, 1500));
  EXPECT_EQ(loaded.Entry().state, TProgState::psMaximized);
  EXPECT_EQ(f.view.buttons[3].glyph, (core::GlyphSource{"C:\\icons.dll", 7, false}));

  testing_support::Set(b, &core::ButtonEntry::title, "");
  testing_support::Set(b, &core::ButtonEntry::dir, "");
  testing_support::Set(b, &core::ButtonEntry::state, TProgState::psNormal);
  testing_support::Set(b, &core::ButtonEntry::option, "");
  testing_support::Set(b, &core::ButtonEntry::iconPath, "");
  testing_support::Set(b, &core::ButtonEntry::iconNo, 0);
  testing_support::Set(b, &core::ButtonEntry::isIconSmall, false);
  testing_support::Set(b, &core::ButtonEntry::hotKey, "");
  testing_support::Set(b, &core::ButtonEntry::switchIfRunning, false);
  testing_support::Set(b, &core::ButtonEntry::startDelay, 0);
  f.Launcher().Editor().OnBtnUpdated(b);
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button4]", "ProgPath=C:\\Office\\calc.exe", ""})),
            std::string::npos);
}

// Also: a key of "(なし)" is none, and a pause outside 0..60000 ms the nearest.
TEST(PageFile, StoredStartStatesCountMaximisedFirst) {
  LauncherFixture f;
  f.folder.Write(
      "DATA/User11.dat",
      Sjis(Lines({"[Button1]",  "ProgPath=a",  "ProgState=0",   "HotKey=(なし)", "StartDelay=99999", "[Button2]",
                  "ProgPath=b", "ProgState=1", "StartDelay=-5", "[Button3]",     "ProgPath=c",       "ProgState=2",
                  "[Button4]",  "ProgPath=d",  "ProgState=3",   "[Button5]",     "ProgPath=e",       "ProgState=x",
                  "[Button6]",  "ProgPath=f",  "IsIconSmall=0"})));
  f.Launcher().FormCreate();
  EXPECT_EQ(f.Launcher().Button(1).Entry().state, TProgState::psNormal);
  EXPECT_EQ(f.Launcher().Button(2).Entry().state, TProgState::psMaximized);
  EXPECT_EQ(f.Launcher().Button(3).Entry().state, TProgState::psMinimized);
  EXPECT_EQ(f.Launcher().Button(4).Entry().state, TProgState::psNormal);  // 3: the state of a button not loaded
  EXPECT_EQ(f.Launcher().Button(5).Entry().state, TProgState::psNormal);  // not a number: 0
  EXPECT_FALSE(f.Launcher().Button(6).Entry().isIconSmall);
  EXPECT_EQ(f.Launcher().Button(1).Entry().hotKey, "");
  EXPECT_EQ(f.Launcher().Button(1).Entry().startDelay, 60000);
  EXPECT_EQ(f.Launcher().Button(2).Entry().startDelay, 0);
}

TEST(PageFile, ADroppedProgramGetsTitleAndFolderOnlyWhenTheButtonWasEmpty) {
  LauncherFixture f;
  f.Launcher().FormCreate();
  f.Launcher().Button(1).FilesDropped({"C:\\Tools\\calc.exe"});
  EXPECT_EQ(f.Launcher().Button(1).Entry().title, "calc");
  EXPECT_EQ(f.Launcher().Button(1).Entry().dir, "C:\\Tools");
  EXPECT_NE(f.PageText("User11.dat")
                .find(Lines({"[Button1]", "ProgPath=C:\\Tools\\calc.exe", "ProgTitle=calc", "ProgDir=C:\\Tools", ""})),
            std::string::npos);
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button10]", "ProgPath=", ""})), std::string::npos);

  // A button that already had a program keeps the title and folder it has.
  core::TLaunchButton& b = f.Launcher().Button(1);
  testing_support::SetPath(b, "D:\\Other\\tool.exe");
  f.Launcher().Editor().OnBtnUpdated(b);
  EXPECT_EQ(b.Entry().title, "calc");
  EXPECT_EQ(b.Entry().dir, "C:\\Tools");

  f.Launcher().Button(2).FilesDropped({"C:\\root.exe"});
  EXPECT_EQ(f.Launcher().Button(2).Entry().dir, "C:\\");

  // A shell item takes the name the shell shows, an address its host; neither a folder.
  f.shell.displayNames = {{"shell:AppsFolder\\Calc_8wekyb3d8bbwe!App", "電卓"}};
  f.Launcher().Button(3).FilesDropped({"shell:AppsFolder\\Calc_8wekyb3d8bbwe!App"});
  f.Launcher().Button(4).FilesDropped({"https://example.com/docs"});
  EXPECT_NE(f.PageText("User11.dat")
                .find(Lines({"[Button3]", "ProgPath=shell:AppsFolder\\Calc_8wekyb3d8bbwe!App", "ProgTitle=電卓", ""})),
            std::string::npos);
  EXPECT_NE(f.PageText("User11.dat")
                .find(Lines({"[Button4]", "ProgPath=https://example.com/docs", "ProgTitle=example.com", ""})),
            std::string::npos);
}

TEST(PageFile, TheEmptinessCheckReadsTheCurrentPageEvenAfterTheListWasShown) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=3", "PageNo=2"}));
  f.folder.Write("DATA/User13.dat", Lines({"[Button1]", "ProgPath=C:\\busy.exe"}));
  testing_support::FakeListView list;
  core::TListDlg dialog(list, f.Launcher().Hosts().list, f.prompter);
  f.Launcher().FormCreate();
  dialog.mListClick();  // reads page 3 last, then cancelled
  f.Launcher().Button(1).FilesDropped({"C:\\Tools\\calc.exe"});
  EXPECT_EQ(f.Launcher().Button(1).Entry().title, "calc");
  EXPECT_NE(f.PageText("User12.dat").find("ProgTitle=calc"), std::string::npos);
}

TEST(PageFile, StartingAProgramWritesNothing) {
  LauncherFixture f;
  f.folder.Write("DATA/User11.dat", Lines({"[Button1]", "ProgPath=C:\\gone\\missing.exe"}));
  f.Launcher().FormCreate();
  std::string before = f.folder.Read("DATA/User11.dat");
  core::TLaunchButton& b = f.Launcher().Button(1);
  b.MouseDown(core::MouseButton::kLeft);
  b.MouseUp(core::MouseButton::kLeft);
  EXPECT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.folder.Read("DATA/User11.dat"), before);
  EXPECT_TRUE(f.prompter.boxes.empty());
}

// Another program rewrote the page shown (a copy of the launcher on another PC, through
// a sync service): an edit of one button here goes into the file as it is now, so that
// the other program's changes stay, and the window takes them in. The user's own change
// wins on the button it edited.
TEST(PageFile, AnEditOfOneButtonKeepsWhatAnotherProgramWroteSince) {
  struct Case {
    const char* what;
    std::vector<std::string> theirs;   // the page file as the other program left it
    std::vector<std::string> buttons;  // ProgPath of buttons 2, 3 and 5 afterwards, in the file and the window
    std::string title;
  };
  const std::vector<std::string> mine = {"[PageTitle]",          "PageTitle=mine", "[Button2]",
                                         "ProgPath=C:\\two.exe", "[Button5]",      "ProgPath=C:\\five.exe"};
  const Case cases[] = {
      {"another button added",
       {"[PageTitle]", "PageTitle=mine", "[Button2]", "ProgPath=C:\\two.exe", "[Button3]", "ProgPath=C:\\three.exe",
        "[Button5]", "ProgPath=C:\\five.exe"},
       {"C:\\two.exe", "C:\\three.exe", "C:\\five-new.exe"},
       "mine"},
      {"the same button changed",
       {"[PageTitle]", "PageTitle=mine", "[Button2]", "ProgPath=C:\\two.exe", "[Button5]", "ProgPath=C:\\theirs.exe"},
       {"C:\\two.exe", "", "C:\\five-new.exe"},
       "mine"},
      {"a button deleted and the title changed",
       {"[PageTitle]", "PageTitle=theirs", "[Button5]", "ProgPath=C:\\five.exe"},
       {"", "", "C:\\five-new.exe"},
       "theirs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LauncherFixture f;
    f.folder.Write("DATA/User11.dat", Lines(mine));
    std::filesystem::last_write_time(f.folder.Path("DATA/User11.dat"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    f.Launcher().FormCreate();
    f.folder.Write("DATA/User11.dat", Lines(c.theirs));
    testing_support::SetPath(f.Launcher().Button(5), "C:\\five-new.exe");
    f.Launcher().Editor().OnBtnUpdated(f.Launcher().Button(5));
    const std::string page = f.PageText("User11.dat");
    std::vector<std::string> inFile, shown;
    for (int k : {2, 3, 5}) {
      const std::string key = "[Button" + std::to_string(k) + "]\r\nProgPath=";
      const size_t at = page.find(key);
      inFile.push_back(at == std::string::npos
                           ? "?"
                           : page.substr(at + key.size(), page.find("\r\n", at + key.size()) - at - key.size()));
      shown.push_back(f.Launcher().Button(k).Entry().path);
    }
    EXPECT_EQ(inFile, c.buttons);
    EXPECT_EQ(shown, c.buttons);
    EXPECT_NE(page.find("PageTitle=" + c.title + "\r\n"), std::string::npos) << page;
  }
}

// Files written by another program while the window runs: the page shown and the
// settings file are taken in when they differ from what the window shows; the
// program's own writes, other files and a conflict copy change nothing; while a dialog
// or a menu is open, the change waits for it to close, and the menu's command acts on
// the button the user saw.
TEST(PageFile, ChangesFromElsewhereShowAtOnceButNotUnderAnOpenDialogOrMenu) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=3", "PageNo=2"}));
  f.folder.Write("DATA/User12.dat", Lines({"[PageTitle]", "PageTitle=two", "[Button1]", "ProgPath=C:\\one.exe"}));
  f.Launcher().FormCreate();
  const std::string page = f.folder.Path("DATA/User12.dat"), settings = f.folder.Path("zubi.ini");
  const int drawn = f.view.buttons[0].glyphsDrawn;
  testing_support::Set(f.Launcher().Button(1), &core::ButtonEntry::title, "one");
  f.Launcher().Editor().OnBtnUpdated(f.Launcher().Button(1));  // the program's own write
  f.Launcher().FilesChanged({page, settings});
  EXPECT_EQ(f.view.buttons[0].glyphsDrawn, drawn) << "nothing taken in: the file holds what the window shows";

  f.folder.Write("DATA/User12.dat", Lines({"[PageTitle]", "PageTitle=theirs", "[Button1]", "ProgPath=C:\\one.exe",
                                           "[Button3]", "ProgPath=C:\\three.exe"}));
  f.Launcher().FilesChanged({f.folder.Path("DATA/User12 (1).dat"), f.folder.Path("DATA/User13.dat")});
  EXPECT_EQ(f.Launcher().Button(3).Entry().path, "") << "other files do not matter";
  f.Launcher().FilesChanged({f.folder.Path("data/user12.DAT")});
  EXPECT_EQ(f.Launcher().Button(3).Entry().path, "C:\\three.exe");
  EXPECT_EQ(f.view.title, "theirs");

  // The options dialog is open: the new colour and count wait until it closes.
  f.WriteSettings(Lines({"[User1]", "PageNoControl=5", "PageNo=2", "FormColor=7"}));
  f.view.takesInput = false;
  f.Launcher().FilesChanged({settings});
  EXPECT_EQ(f.Current().PageNoControl, 3);
  f.view.takesInput = true;
  f.Launcher().Timer1Timer();
  EXPECT_EQ(std::tuple(f.Current().PageNoControl, f.Current().PageNo, f.view.pageCount), std::tuple(5, 2, 5));
  EXPECT_EQ(f.view.colour, core::PanelColourOf(7));
  // A whole folder changed (too many changes to name): it covers the page.
  f.folder.Write("DATA/User12.dat", Lines({"[PageTitle]", "PageTitle=again"}));
  f.Launcher().FilesChanged({f.folder.Path("DATA") + core::kPathSeparator});
  EXPECT_EQ(f.view.title, "again");

  // Button 1's editing menu is open when another program puts its own program there.
  testing_support::SetPath(f.Launcher().Button(1), "C:\\seen.exe");
  f.Launcher().Editor().OnBtnUpdated(f.Launcher().Button(1));
  f.Launcher().Button(1).MouseDown(core::MouseButton::kMiddle);
  f.folder.Write("DATA/User12.dat", Lines({"[PageTitle]", "PageTitle=again", "[Button1]", "ProgPath=C:\\theirs.exe",
                                           "[Button4]", "ProgPath=C:\\four.exe"}));
  f.Launcher().FilesChanged({page});
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "C:\\seen.exe");
  f.Launcher().Command(core::command::kCut1);
  f.Launcher().MenuClosed();
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "");
  EXPECT_EQ(f.Launcher().Button(4).Entry().path, "C:\\four.exe");
  f.Launcher().Button(2).MouseDown(core::MouseButton::kMiddle);
  f.Launcher().Command(core::command::kPaste1);
  f.Launcher().MenuClosed();
  EXPECT_EQ(f.Launcher().Button(2).Entry().path, "C:\\seen.exe") << "the cut took what the user saw";

  // Another PC deletes the page's data and the settings file: the page reads as an
  // absent file does, the count stays, and taking that in writes neither file again.
  std::filesystem::remove(page);
  std::filesystem::remove(settings);
  f.Launcher().FilesChanged({page, settings});
  EXPECT_EQ(f.view.title, "");
  for (int k = 1; k <= core::kLaunchButtonCount; ++k) EXPECT_EQ(f.Launcher().Button(k).Entry().path, "") << k;
  EXPECT_EQ(f.Current().PageNoControl, 5);
  EXPECT_FALSE(f.folder.Exists("DATA/User12.dat"));
  EXPECT_FALSE(f.folder.Exists("zubi.ini"));
}
