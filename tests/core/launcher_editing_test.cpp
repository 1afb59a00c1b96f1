#include <gtest/gtest.h>

#include <functional>

#include "launch/folder_menu.h"
#include "support.h"

using core::MouseButton;
using core::TProgState;
using testing_support::FakeRunningPrograms;
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
    testing_support::SetPath(B(k), path);
    Launcher().Editor().OnBtnUpdated(B(k));
    testing_support::Set(B(k), &core::ButtonEntry::title, title);
    Launcher().Editor().OnBtnUpdated(B(k));
  }
};

}  // namespace

TEST(StartSound, PlaysOnlyForAProgramSavedOnThePageAndOnlyWithTheOption) {
  Fixture f(Lines({"Sound=1"}));
  f.B(1).KeyboardClick({});  // empty in the file
  EXPECT_TRUE(f.sound.played.empty());
  testing_support::SetPath(f.B(2), "C:\\unsaved.exe");  // only in memory
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
  f.Launcher().Command(core::command::kCopy1);
  testing_support::Set(f.B(5), &core::ButtonEntry::isIconSmall, true);
  f.B(5).ContextMenuKey();  // from the keyboard: at the button
  EXPECT_EQ(f.view.launchMenus.back(), (core::LaunchMenuState{false, false, true, false, false}));
  EXPECT_EQ(f.view.launchMenuAt, 5);
}

TEST(EditingMenu, CutOnOnePagePastedOnAnotherMovesTheProgram) {
  Fixture f;
  testing_support::Set(f.B(1), &core::ButtonEntry::dir, "C:\\Other");
  f.Register(1, "Editor", "C:\\Apps\\edit.exe");
  testing_support::Set(f.B(1), &core::ButtonEntry::dir, "C:\\Elsewhere");
  testing_support::Set(f.B(1), &core::ButtonEntry::state, TProgState::psMaximized);
  testing_support::Set(f.B(1), &core::ButtonEntry::option, "-n");
  testing_support::Set(f.B(1), &core::ButtonEntry::hotKey, "Alt+Ctrl+E");
  testing_support::Set(f.B(1), &core::ButtonEntry::startDelay, 400);
  testing_support::Set(f.B(1), &core::ButtonEntry::folderMenu, true);
  f.Launcher().Editor().OnBtnUpdated(f.B(1));
  f.Menu(1);
  f.Launcher().Command(core::command::kCut1);
  EXPECT_TRUE(f.prompter.boxes.empty());  // no question
  EXPECT_EQ(f.B(1).Entry().path, "");
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button1]", "ProgPath=", ""})), std::string::npos);

  f.Launcher().Command(core::command::kFwdButton);
  f.Menu(6);
  f.Launcher().Command(core::command::kPaste1);
  EXPECT_TRUE(f.prompter.boxes.empty());  // an empty target needs no question
  // On an empty button the title and folder come from the path, whatever was copied.
  EXPECT_EQ(f.B(6).Entry().title, "edit");
  EXPECT_EQ(f.B(6).Entry().dir, "C:\\Apps");
  EXPECT_EQ(f.B(6).Entry().state, TProgState::psMaximized);
  EXPECT_EQ(f.B(6).Entry().option, "-n");
  EXPECT_NE(
      f.PageText("User12.dat")
          .find(Lines({"[Button6]", "ProgPath=C:\\Apps\\edit.exe", "ProgTitle=edit", "ProgDir=C:\\Apps", "ProgState=1",
                       "ProgOption=-n", "HotKey=Alt+Ctrl+E", "StartDelay=400", "FolderMenu=1", ""})),
      std::string::npos);
  // The clipboard stays filled: a second paste gives the same program, but not the
  // key that button 6 has now.
  f.Menu(7);
  f.Launcher().Command(core::command::kPaste1);
  EXPECT_EQ(f.B(7).Entry().path, "C:\\Apps\\edit.exe");
  EXPECT_EQ(f.B(7).Entry().hotKey, "");
  EXPECT_EQ(f.B(7).Entry().startDelay, 400);
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].text,
            "貼り付けたﾎﾞﾀﾝのﾎｯﾄｷｰは外しました。\r\nAlt+Ctrl+Eは 2ﾍﾟｰｼﾞの「edit」で既に使用されています。");
}

TEST(EditingMenu, PastingOverAProgramAsksAtTheWindowCornerAndKeepsTheCopiedTexts) {
  Fixture f;
  f.view.position = {321, 45};
  f.Register(1, "B", "C:\\b.exe");
  testing_support::Set(f.B(1), &core::ButtonEntry::dir, "C:\\copied dir");
  testing_support::Set(f.B(1), &core::ButtonEntry::isIconSmall, true);
  f.Menu(1);
  f.Launcher().Command(core::command::kCopy1);
  f.Register(2, "A", "C:\\a.exe");
  f.prompter.answerYes = false;
  f.Menu(2);
  f.Launcher().Command(core::command::kPaste1);
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "confirm");
  EXPECT_EQ(f.prompter.boxes[0].text, "A のｱｲｺﾝを B\r\n\r\nに上書きして宜しいですか?");
  EXPECT_FALSE(f.prompter.boxes[0].placement.centred);
  EXPECT_EQ(f.prompter.boxes[0].placement.left, 321);
  EXPECT_EQ(f.prompter.boxes[0].placement.top, 45);
  EXPECT_EQ(f.B(2).Entry().path, "C:\\a.exe");
  f.prompter.answerYes = true;
  f.Launcher().Command(core::command::kPaste1);
  EXPECT_EQ(f.B(2).Entry().path, "C:\\b.exe");
  EXPECT_EQ(f.B(2).Entry().title, "B");
  EXPECT_EQ(f.B(2).Entry().dir, "C:\\copied dir");
  EXPECT_FALSE(f.B(2).Entry().isIconSmall);  // the target keeps its own selection mark
}

TEST(EditingMenu, DeleteAsksAndEmptiesTheButtonButNotTheClipboard) {
  Fixture f;
  f.Register(3, "表計算", "C:\\calc.exe");
  f.Menu(3);
  f.Launcher().Command(core::command::kCopy1);
  f.prompter.answerYes = false;
  f.Launcher().Command(core::command::kDelete1);
  EXPECT_EQ(f.prompter.boxes.back().text, "表計算 のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?");
  EXPECT_EQ(f.B(3).Entry().path, "C:\\calc.exe");
  f.prompter.answerYes = true;
  f.Launcher().Command(core::command::kDelete1);
  EXPECT_EQ(f.B(3).Entry().path, "");
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button3]", "ProgPath=", ""})), std::string::npos);
  f.Menu(5);
  EXPECT_TRUE(f.view.launchMenus.back().paste) << "the deleted program stays on the clipboard";
}

TEST(EditingMenu, SelectTogglesTheMarkSavesItAndRedrawsThePage) {
  Fixture f;
  f.Register(1, "", "C:\\one.exe");
  testing_support::Set(f.B(1), &core::ButtonEntry::title, "");
  f.Menu(1);
  f.Launcher().Command(core::command::kSelect1);
  EXPECT_TRUE(f.B(1).Entry().isIconSmall);
  EXPECT_TRUE(f.view.buttons[0].small);  // reloaded: the glyph has its new size
  EXPECT_NE(f.PageText("User11.dat").find("IsIconSmall=1"), std::string::npos);
  // Empty buttons take the mark too.
  f.Menu(9);
  f.Launcher().Command(core::command::kSelect1);
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button9]", "ProgPath=", "IsIconSmall=1", ""})), std::string::npos);
  f.Menu(1);
  f.Launcher().Command(core::command::kSelect1);
  EXPECT_FALSE(f.B(1).Entry().isIconSmall);
}

TEST(PageLaunch, EnablingFollowsTheSelectedAndRegisteredButtons) {
  Fixture f;
  f.Launcher().PopupMenu1Popup();
  EXPECT_EQ(f.view.pageCommands, std::make_pair(false, false));
  f.Register(2, "t", "C:\\t.exe");
  testing_support::Set(f.B(2), &core::ButtonEntry::isIconSmall, true);
  f.Launcher().PopupMenu1Popup();
  EXPECT_EQ(f.view.pageCommands, std::make_pair(false, true));
  testing_support::Set(f.B(2), &core::ButtonEntry::isIconSmall, false);
  f.Launcher().PopupMenu1Popup();
  EXPECT_EQ(f.view.pageCommands, std::make_pair(true, true));
}

TEST(PageLaunch, StartsButtonsInOrderThenPlaysOnceAndHides) {
  Fixture f(Lines({"Sound=1", "BtnClk=1", "Mouse=1"}));
  f.Register(7, "seven", "C:\\seven.exe");
  testing_support::Set(f.B(2), &core::ButtonEntry::state, TProgState::psMinimized);
  testing_support::Set(f.B(2), &core::ButtonEntry::option, "--x");
  f.Register(2, "two", "C:\\two.exe");
  f.Register(5, "five", "C:\\five.exe");
  testing_support::Set(f.B(5), &core::ButtonEntry::isIconSmall, true);
  f.Launcher().Command(core::command::kAllStart);
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
  f.Launcher().Command(core::command::kChoice);  // the unselected five stays
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[1].file, "C:\\seven.exe");
  EXPECT_EQ(f.sound.played.size(), 2u);
  EXPECT_TRUE(f.view.shown);  // the toggle showed it again

  Fixture empty(Lines({"Sound=1"}));
  empty.Launcher().Command(core::command::kChoice);  // nothing to start: the sound all the same
  EXPECT_TRUE(empty.shell.requests.empty());
  EXPECT_EQ(empty.sound.played.size(), 1u);
}

TEST(PageLaunch, StartsWhereThePathsLeadAndSavesThemAsStored) {
  Fixture f;
  f.environment.variables["APPS"] = "C:\\Apps";
  f.probe.drives = {{'C', core::DriveKind::kFixed}};
  f.probe.present = {"C:\\Apps\\two.exe"};
  testing_support::SetPath(f.B(2), "%APPS%\\two.exe");
  f.Launcher().Editor().OnBtnUpdated(f.B(2));  // a first save derives the folder from the stored text
  testing_support::SetPath(f.B(4), "%APPS%\\gone.exe");
  f.Launcher().Editor().OnBtnUpdated(f.B(4));
  EXPECT_NE(f.PageText("User11.dat").find("ProgPath=%APPS%\\two.exe\r\nProgTitle=two\r\nProgDir=%APPS%\r\n"),
            std::string::npos);
  f.Launcher().Command(core::command::kAllStart);
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[0].file, "C:\\Apps\\two.exe");
  EXPECT_EQ(f.shell.requests[0].directory, "C:\\Apps");
  EXPECT_EQ(f.shell.requests[1].file, "C:\\Apps\\gone.exe");  // started all the same
  EXPECT_TRUE(f.view.buttons[3].dimmed);
  EXPECT_FALSE(f.view.buttons[1].dimmed);
}

// In order: each start waits for the window of the one before (10 s at most, 1 s for a
// console program), then for its button's pause; empty, dimmed and failing buttons
// are passed over, and a running program is brought forward as the last. The run
// keeps the page as it began, a second launch starts nothing, and Esc ends it; the
// sound and hiding follow once.
TEST(PageLaunch, InOrderEachStartWaitsForTheWindowBeforeAndThePause) {
  Fixture f(Lines({"Sound=1", "BtnClk=1"}));
  f.probe.present = {"C:\\a.exe", "C:\\con.exe", "C:\\fail.exe", "C:\\e.exe", "C:\\run.exe"};
  f.shell.clock = &f.view.clock;
  f.shell.windowAfter = {{"C:\\a.exe", 500}, {"C:\\con.exe", 20000}, {"C:\\e.exe", 20000}};
  f.shell.consoles = {"C:\\con.exe"};  // its window is a terminal's: a second at most
  f.shell.failing = {"C:\\fail.exe"};
  f.Register(1, "a", "C:\\a.exe");
  f.Register(2, "con", "C:\\con.exe");
  f.Register(3, "b", "https://b.example/");
  testing_support::Set(f.B(3), &core::ButtonEntry::startDelay, 300);
  f.Launcher().Editor().OnBtnUpdated(f.B(3));
  f.Register(4, "gone", "C:\\gone.exe");
  f.Register(6, "d", "C:\\fail.exe");
  f.Register(7, "e", "C:\\e.exe");
  testing_support::Set(f.B(7), &core::ButtonEntry::startDelay, 200);
  f.Launcher().Editor().OnBtnUpdated(f.B(7));
  f.Register(8, "f", "C:\\run.exe");
  FakeRunningPrograms running;
  running.windows = {{"C:\\run.exe", 5}};
  f.Launcher().SetRunningPrograms(&running);
  f.B(4).SetTargetMissing(true);
  f.Launcher().Command(core::command::kInOrder);
  EXPECT_NE(f.PageText("User11.dat").find("[PageLaunch]\r\nInOrder=1\r\n"), std::string::npos);
  f.Launcher().PopupMenu1Popup();
  f.Launcher().MenuClosed();
  EXPECT_TRUE(f.view.checkedInOrder);

  auto step = [&](std::uint64_t at) {
    f.view.clock = at;
    f.Launcher().RunStep();
  };
  auto files = [&] {
    std::vector<std::string> started;
    for (const auto& request : f.shell.requests) started.push_back(request.file);
    return started;
  };
  f.view.clock = 1000;
  f.Launcher().Command(core::command::kAllStart);
  EXPECT_TRUE(f.view.stepping);
  step(1499);
  f.Launcher().Command(core::command::kAllStart);   // ignored
  f.Launcher().Command(core::command::kFwdButton);  // the run keeps its page
  EXPECT_EQ(files(), (std::vector<std::string>{"C:\\a.exe"}));
  step(1500);
  step(2499);
  EXPECT_EQ(files(), (std::vector<std::string>{"C:\\a.exe", "C:\\con.exe"}));
  step(2500);
  step(2799);
  EXPECT_EQ(files(), (std::vector<std::string>{"C:\\a.exe", "C:\\con.exe", "https://b.example/"}));
  step(2800);
  step(12799);
  EXPECT_EQ(files(),
            (std::vector<std::string>{"C:\\a.exe", "C:\\con.exe", "https://b.example/", "C:\\fail.exe", "C:\\e.exe"}));
  EXPECT_EQ(f.shell.startedAt, (std::vector<std::uint64_t>{1000, 1500, 2500, 2800, 2800}));
  step(12800);
  EXPECT_TRUE(running.brought.empty());
  EXPECT_TRUE(f.view.stepping);
  EXPECT_TRUE(f.sound.played.empty());
  step(13000);
  EXPECT_EQ(running.brought, (std::vector<std::uintptr_t>{5}));
  EXPECT_EQ(files().size(), 5u);
  EXPECT_FALSE(f.view.stepping);
  EXPECT_EQ(std::tuple(f.sound.played.size(), f.view.hides, f.view.shown), std::tuple(1u, 1, false));

  // Esc after the first start ends the run.
  f.Launcher().Command(core::command::kFastTopButton);
  f.view.shown = true;
  f.shell.requests.clear();
  f.Launcher().Command(core::command::kAllStart);
  EXPECT_TRUE(f.Launcher().KeyDown({core::kKeyEscape, {}, false}));
  step(30000);
  EXPECT_EQ(files(), (std::vector<std::string>{"C:\\a.exe"}));
  EXPECT_EQ(std::tuple(f.sound.played.size(), f.view.hides, f.view.stepping), std::tuple(2u, 2, false));
  EXPECT_FALSE(f.Launcher().KeyDown({core::kKeyEscape, {}, false})) << "no run: Esc is not taken";

  f.Launcher().Command(core::command::kInOrder);
  EXPECT_EQ(f.PageText("User11.dat").find("PageLaunch"), std::string::npos);
}

TEST(FolderMenu, ListsSubfoldersThenFilesInNameOrderWithoutHiddenOnes) {
  using core::FolderItemKind;
  const core::FolderListing listing{true,
                                    {{"file10.txt"},
                                     {"File2.txt"},
                                     {"b", true},
                                     {"A10", true},
                                     {"a9", true},
                                     {"Tool.LNK"},
                                     {"site.url"},
                                     {"R&D.txt"},
                                     {"desktop.ini", false, true},
                                     {"$hidden", true, true},
                                     {"file02.txt"}}};
  const auto menu = core::FolderMenuOf("C:\\Tools", listing);
  std::vector<std::pair<FolderItemKind, std::string>> shown;
  for (const core::FolderMenuItem& item : menu) shown.emplace_back(item.kind, item.text);
  EXPECT_EQ(shown, (std::vector<std::pair<FolderItemKind, std::string>>{{FolderItemKind::kOpen, "ﾌｫﾙﾀﾞを開く"},
                                                                        {FolderItemKind::kSeparator, ""},
                                                                        {FolderItemKind::kFolder, "a9"},
                                                                        {FolderItemKind::kFolder, "A10"},
                                                                        {FolderItemKind::kFolder, "b"},
                                                                        {FolderItemKind::kFile, "File2.txt"},
                                                                        {FolderItemKind::kFile, "file02.txt"},
                                                                        {FolderItemKind::kFile, "file10.txt"},
                                                                        {FolderItemKind::kFile, "R&&D.txt"},
                                                                        {FolderItemKind::kFile, "site"},
                                                                        {FolderItemKind::kFile, "Tool"}}));
  EXPECT_EQ(menu[0].path, "C:\\Tools");
  EXPECT_EQ(menu[2].path, "C:\\Tools\\a9");
  EXPECT_EQ(menu.back().path, "C:\\Tools\\Tool.LNK");
  EXPECT_EQ(core::FolderMenuOf("D:\\", {true, {{"x.txt"}}}).back().path, "D:\\x.txt");

  const auto texts = [](const std::vector<core::FolderMenuItem>& items) {
    std::vector<std::string> all;
    for (const auto& item : items) all.push_back(item.text);
    return all;
  };
  EXPECT_EQ(texts(core::FolderMenuOf("C:\\Empty", {true, {{"h", false, true}}})),
            (std::vector<std::string>{"ﾌｫﾙﾀﾞを開く", "", "(空)"}));
  EXPECT_EQ(texts(core::FolderMenuOf("\\\\gone\\share", {false, {}})),
            (std::vector<std::string>{"ﾌｫﾙﾀﾞを開く", "", "(開けません)"}));
  core::FolderListing many{true, {}};
  for (int i = 501; i >= 1; --i) many.files.push_back({"f" + std::to_string(i)});
  const auto capped = core::FolderMenuOf("C:\\Many", many);
  ASSERT_EQ(capped.size(), 2 + core::kFolderMenuLimit + 1);
  EXPECT_EQ(capped[2].text, "f1");
  EXPECT_EQ(capped[capped.size() - 2].text, "f500");
  EXPECT_EQ(capped.back().kind, FolderItemKind::kMore);
  EXPECT_EQ(capped.back().text, "残りはﾌｫﾙﾀﾞで表示…");
  EXPECT_EQ(capped.back().path, "C:\\Many");
}

// Only a click on the shown button, released over it or from the keyboard, without
// Shift, opens the menu; every other way opens the folder as before.
TEST(FolderMenu, OpensOnlyOnAClickOnTheShownButton) {
  Fixture f(Lines({"Sound=1"}));
  f.Register(1, "Tools", "%TOOLS%\\bin");
  f.environment.variables["TOOLS"] = "D:\\Tools";
  testing_support::Set(f.B(1), &core::ButtonEntry::folderMenu, true);
  f.Launcher().Editor().OnBtnUpdated(f.B(1));
  EXPECT_EQ(f.view.buttons[0].description, "ｸﾘｯｸでﾌｫﾙﾀﾞの中身をﾒﾆｭｰで表示");
  using core::ShiftState;
  struct Case {
    const char* how;
    std::function<void()> act;
    bool menu;
  } cases[] = {
      {"a click", [&] { f.B(1).MouseDown(MouseButton::kLeft), f.B(1).MouseUp(MouseButton::kLeft, {}); }, true},
      {"Ctrl+click",
       [&] {
         f.B(1).MouseDown(MouseButton::kLeft), f.B(1).MouseUp(MouseButton::kLeft, {false, true});
       },
       true},
      {"Enter", [&] { f.B(1).KeyboardClick({}); }, true},
      {"a release off it (no sound)",
       [&] { f.B(1).MouseDown(MouseButton::kLeft), f.B(1).MouseUp(MouseButton::kLeft, {}, false); }, false},
      {"Shift+click", [&] { f.B(1).MouseDown(MouseButton::kLeft), f.B(1).MouseUp(MouseButton::kLeft, {true}); }, false},
      {"Ctrl+Shift+click",
       [&] {
         f.B(1).MouseDown(MouseButton::kLeft), f.B(1).MouseUp(MouseButton::kLeft, {true, true});
       },
       false},
      {"Shift+Enter", [&] { f.B(1).KeyboardClick({true}); }, false},
      {"Ctrl+1",
       [&] {
         f.Launcher().KeyDown({'1', {false, true}, false});
       },
       false},
  };
  for (const Case& c : cases) {
    f.view.folderMenus.clear();
    f.shell.requests.clear();
    f.sound.played.clear();
    c.act();
    if (c.menu) {
      EXPECT_EQ(f.view.folderMenus, (std::vector<std::pair<int, std::string>>{{1, "D:\\Tools\\bin"}})) << c.how;
      EXPECT_TRUE(f.shell.requests.empty() && f.sound.played.empty()) << c.how << ": no start, no sound";
    } else {
      EXPECT_TRUE(f.view.folderMenus.empty()) << c.how;
      ASSERT_EQ(f.shell.requests.size(), 1u) << c.how;
      EXPECT_EQ(f.shell.requests[0].file, "D:\\Tools\\bin") << c.how;
      EXPECT_EQ(f.sound.played.size(), std::string(c.how).ends_with("(no sound)") ? 0u : 1u) << c.how;
    }
  }

  // A choice: an item starts in its own folder with the sound; "open" is the click.
  f.shell.requests.clear();
  f.sound.played.clear();
  f.Launcher().FolderMenuChosen(1, "D:\\Tools\\bin\\sub\\run.cmd", {true, true});
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.shell.requests[0].file, "D:\\Tools\\bin\\sub\\run.cmd");
  EXPECT_EQ(f.shell.requests[0].directory, "D:\\Tools\\bin\\sub");
  EXPECT_TRUE(f.shell.requests[0].elevated);
  f.Launcher().FolderMenuChosen(1, "", {});
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[1].file, "D:\\Tools\\bin");
  EXPECT_FALSE(f.shell.requests[1].elevated);
  EXPECT_EQ(f.sound.played.size(), 2u);
  // A file's own name is taken as it is: no variables in it.
  f.Launcher().FolderMenuChosen(1, "D:\\Tools\\bin\\%TOOLS%.cmd", {});
  ASSERT_EQ(f.shell.requests.size(), 3u);
  EXPECT_EQ(f.shell.requests[2].file, "D:\\Tools\\bin\\%TOOLS%.cmd");
  EXPECT_EQ(f.shell.requests[2].verb, "open");
  EXPECT_EQ(f.shell.requests[2].showCommand, core::kShowNormal);

  // Off, or for an address, a click starts as before and nothing describes a menu.
  for (const char* path : {"https://example.com/", "C:\\Apps"}) {
    testing_support::Set(f.B(2), &core::ButtonEntry::folderMenu, std::string(path) != "C:\\Apps");
    testing_support::SetPath(f.B(2), path);
    f.view.folderMenus.clear();
    f.B(2).KeyboardClick({});
    EXPECT_TRUE(f.view.folderMenus.empty()) << path;
    EXPECT_EQ(f.view.buttons[1].description, "") << path;
  }
}
