#include <gtest/gtest.h>

#include "support.h"

using core::MouseButton;
using core::TProgState;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

struct Fixture : LauncherFixture {
  explicit Fixture(const std::string& settings = "") {
    WriteSettings(Lines({"[User1]", "PageNoControl=2"}) + settings);
    Launcher().FormCreate();
  }
  // A middle press on button k opens its menu there.
  void Menu(int k) {
    Launcher().Button(k).MouseDown(MouseButton::kMiddle);
    Launcher().Button(k).MouseUp(MouseButton::kMiddle);
  }
  core::TLaunchButton& B(int k) { return Launcher().Button(k); }
  // Registered and saved, then titled (a first save takes the title from the path).
  void Register(int k, const std::string& title, const std::string& path) {
    B(k).SetProgramPath(path);
    B(k).DoUpdated();
    B(k).SetProgramTitle(title);
    B(k).DoUpdated();
  }
};

}  // namespace

TEST(StartSound, PlaysOnlyForAProgramSavedOnThePageAndOnlyWithTheOption) {
  Fixture f(Lines({"Sound=1"}));
  f.B(1).KeyboardClick({});  // empty in the file
  EXPECT_TRUE(f.sound.played.empty());
  f.B(2).SetProgramPath("C:\\unsaved.exe");  // only in memory
  f.B(2).KeyboardClick({});
  EXPECT_TRUE(f.sound.played.empty());
  f.Register(3, "t", "C:\\t.exe");
  f.B(3).KeyboardClick({});
  EXPECT_EQ(f.sound.played, (std::vector<std::string>{f.folder.Path("start.wav")}));

  Fixture quiet;
  quiet.Register(1, "t", "C:\\t.exe");
  quiet.B(1).KeyboardClick({});
  EXPECT_TRUE(quiet.sound.played.empty());
}

TEST(EditingMenu, OpensOnTheMiddleButtonWithTheItemsThatApply) {
  Fixture f;
  f.B(2).MouseDown(MouseButton::kLeft);
  f.B(2).MouseDown(MouseButton::kRight);
  EXPECT_TRUE(f.view.launchMenus.empty());
  f.Menu(4);
  ASSERT_EQ(f.view.launchMenus.size(), 1u);
  EXPECT_EQ(f.view.launchMenus[0], (core::LaunchMenuState{false, false, false, false, true}));
  f.Register(4, "four", "C:\\four.exe");
  f.Menu(4);
  EXPECT_EQ(f.view.launchMenuAt, 0) << "at the pointer";
  f.Launcher().Command(core::LauncherCommand::kCopy1Click);
  f.B(5).SetIsIconSmall(true);
  f.B(5).ContextMenuKey();  // from the keyboard: at the button
  EXPECT_EQ(f.view.launchMenus.back(), (core::LaunchMenuState{false, false, true, false, false}));
  EXPECT_EQ(f.view.launchMenuAt, 5);
}

TEST(EditingMenu, CutOnOnePagePastedOnAnotherMovesTheProgram) {
  Fixture f;
  f.B(1).SetProgramDir("C:\\Other");
  f.Register(1, "Editor", "C:\\Apps\\edit.exe");
  f.B(1).SetProgramDir("C:\\Elsewhere");
  f.B(1).SetProgramState(TProgState::psMaximized);
  f.B(1).SetProgramOption("-n");
  f.B(1).DoUpdated();
  f.Menu(1);
  f.Launcher().Command(core::LauncherCommand::kCut1Click);
  EXPECT_TRUE(f.prompter.boxes.empty());  // no question
  EXPECT_EQ(f.B(1).ProgramPath(), "");
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button1]", "ProgPath=", ""})), std::string::npos);

  f.Launcher().Command(core::LauncherCommand::kFwdButtonClick);
  f.Menu(6);
  f.Launcher().Command(core::LauncherCommand::kPaste1Click);
  EXPECT_TRUE(f.prompter.boxes.empty());  // an empty target needs no question
  // On an empty button the title and folder come from the path, whatever was copied.
  EXPECT_EQ(f.B(6).ProgramTitle(), "edit");
  EXPECT_EQ(f.B(6).ProgramDir(), "C:\\Apps");
  EXPECT_EQ(f.B(6).ProgramState(), TProgState::psMaximized);
  EXPECT_EQ(f.B(6).ProgramOption(), "-n");
  EXPECT_NE(f.PageText("User12.dat")
                .find(Lines({"[Button6]", "ProgPath=C:\\Apps\\edit.exe", "ProgTitle=edit", "ProgDir=C:\\Apps",
                             "ProgState=1", "ProgOption=-n", ""})),
            std::string::npos);
  // The clipboard stays filled: a second paste gives the same program.
  f.Menu(7);
  f.Launcher().Command(core::LauncherCommand::kPaste1Click);
  EXPECT_EQ(f.B(7).ProgramPath(), "C:\\Apps\\edit.exe");
}

TEST(EditingMenu, PastingOverAProgramAsksAtTheWindowCornerAndKeepsTheCopiedTexts) {
  Fixture f;
  f.view.position = {321, 45};
  f.Register(1, "B", "C:\\b.exe");
  f.B(1).SetProgramDir("C:\\copied dir");
  f.B(1).SetIsIconSmall(true);
  f.Menu(1);
  f.Launcher().Command(core::LauncherCommand::kCopy1Click);
  f.Register(2, "A", "C:\\a.exe");
  f.prompter.answerYes = false;
  f.Menu(2);
  f.Launcher().Command(core::LauncherCommand::kPaste1Click);
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "confirm");
  EXPECT_EQ(f.prompter.boxes[0].text, "A のｱｲｺﾝを B\r\n\r\nに上書きして宜しいですか?");
  EXPECT_FALSE(f.prompter.boxes[0].placement.centred);
  EXPECT_EQ(f.prompter.boxes[0].placement.left, 321);
  EXPECT_EQ(f.prompter.boxes[0].placement.top, 45);
  EXPECT_EQ(f.B(2).ProgramPath(), "C:\\a.exe");
  f.prompter.answerYes = true;
  f.Launcher().Command(core::LauncherCommand::kPaste1Click);
  EXPECT_EQ(f.B(2).ProgramPath(), "C:\\b.exe");
  EXPECT_EQ(f.B(2).ProgramTitle(), "B");
  EXPECT_EQ(f.B(2).ProgramDir(), "C:\\copied dir");
  EXPECT_FALSE(f.B(2).IsIconSmall());  // the target keeps its own selection mark
}

TEST(EditingMenu, DeleteAsksAndEmptiesTheButtonButNotTheClipboard) {
  Fixture f;
  f.Register(3, "表計算", "C:\\calc.exe");
  f.Menu(3);
  f.Launcher().Command(core::LauncherCommand::kCopy1Click);
  f.prompter.answerYes = false;
  f.Launcher().Command(core::LauncherCommand::kDelete1Click);
  EXPECT_EQ(f.prompter.boxes.back().text, "表計算 のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?");
  EXPECT_EQ(f.B(3).ProgramPath(), "C:\\calc.exe");
  f.prompter.answerYes = true;
  f.Launcher().Command(core::LauncherCommand::kDelete1Click);
  EXPECT_EQ(f.B(3).ProgramPath(), "");
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button3]", "ProgPath=", ""})), std::string::npos);
  f.Menu(5);
  EXPECT_TRUE(f.view.launchMenus.back().paste) << "the deleted program stays on the clipboard";
}

TEST(EditingMenu, SelectTogglesTheMarkSavesItAndRedrawsThePage) {
  Fixture f;
  f.Register(1, "", "C:\\one.exe");
  f.B(1).SetProgramTitle("");
  f.Menu(1);
  f.Launcher().Command(core::LauncherCommand::kSelect1Click);
  EXPECT_TRUE(f.B(1).IsIconSmall());
  EXPECT_TRUE(f.view.buttons[0].small);  // reloaded: the glyph has its new size
  EXPECT_NE(f.PageText("User11.dat").find("IsIconSmall=1"), std::string::npos);
  // Empty buttons take the mark too.
  f.Menu(9);
  f.Launcher().Command(core::LauncherCommand::kSelect1Click);
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button9]", "ProgPath=", "IsIconSmall=1", ""})), std::string::npos);
  f.Menu(1);
  f.Launcher().Command(core::LauncherCommand::kSelect1Click);
  EXPECT_FALSE(f.B(1).IsIconSmall());
}

TEST(PageLaunch, EnablingFollowsTheSelectedAndRegisteredButtons) {
  Fixture f;
  f.Launcher().PopupMenu1Popup();
  EXPECT_EQ(f.view.pageCommands, std::make_pair(false, false));
  f.Register(2, "t", "C:\\t.exe");
  f.B(2).SetIsIconSmall(true);
  f.Launcher().PopupMenu1Popup();
  EXPECT_EQ(f.view.pageCommands, std::make_pair(false, true));
  f.B(2).SetIsIconSmall(false);
  f.Launcher().PopupMenu1Popup();
  EXPECT_EQ(f.view.pageCommands, std::make_pair(true, true));
}

TEST(PageLaunch, StartsButtonsInOrderThenPlaysOnceAndHides) {
  Fixture f(Lines({"Sound=1", "BtnClk=1", "Mouse=1"}));
  f.Register(7, "seven", "C:\\seven.exe");
  f.B(2).SetProgramState(TProgState::psMinimized);
  f.B(2).SetProgramOption("--x");
  f.Register(2, "two", "C:\\two.exe");
  f.Register(5, "five", "C:\\five.exe");
  f.B(5).SetIsIconSmall(true);
  f.Launcher().Command(core::LauncherCommand::kpAllStartClick);
  ASSERT_EQ(f.shell.requests.size(), 3u);
  EXPECT_EQ(f.shell.requests[0].file, "C:\\two.exe");
  EXPECT_EQ(f.shell.requests[0].parameters, "--x");
  EXPECT_EQ(f.shell.requests[0].showCommand, 2);
  EXPECT_EQ(f.shell.requests[0].owner, 0x1234u);  // the launcher window
  EXPECT_EQ(f.shell.requests[1].file, "C:\\five.exe");
  EXPECT_EQ(f.shell.requests[2].file, "C:\\seven.exe");
  EXPECT_EQ(f.sound.played.size(), 1u);
  EXPECT_FALSE(f.view.shown);

  f.shell.requests.clear();
  f.Launcher().Command(core::LauncherCommand::kChoice1Click);  // the unselected five stays
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[1].file, "C:\\seven.exe");
  EXPECT_EQ(f.sound.played.size(), 2u);
  EXPECT_TRUE(f.view.shown);  // the toggle showed it again

  Fixture empty(Lines({"Sound=1"}));
  empty.Launcher().Command(core::LauncherCommand::kChoice1Click);  // nothing to start: the sound all the same
  EXPECT_TRUE(empty.shell.requests.empty());
  EXPECT_EQ(empty.sound.played.size(), 1u);
}

TEST(PageLaunch, StartsWhereThePathsLeadAndSavesThemAsStored) {
  Fixture f;
  f.environment.variables["APPS"] = "C:\\Apps";
  f.probe.drives = {{'C', core::DriveKind::kFixed}};
  f.probe.present = {"C:\\Apps\\two.exe"};
  f.B(2).SetProgramPath("%APPS%\\two.exe");
  f.B(2).DoUpdated();  // a first save derives the folder from the stored text
  f.B(4).SetProgramPath("%APPS%\\gone.exe");
  f.B(4).DoUpdated();
  EXPECT_NE(f.PageText("User11.dat").find("ProgPath=%APPS%\\two.exe\r\nProgTitle=two\r\nProgDir=%APPS%\r\n"),
            std::string::npos);
  f.Launcher().Command(core::LauncherCommand::kpAllStartClick);
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[0].file, "C:\\Apps\\two.exe");
  EXPECT_EQ(f.shell.requests[0].directory, "C:\\Apps");
  EXPECT_EQ(f.shell.requests[1].file, "C:\\Apps\\gone.exe");  // started all the same
  EXPECT_TRUE(f.view.buttons[3].dimmed);
  EXPECT_FALSE(f.view.buttons[1].dimmed);
}
