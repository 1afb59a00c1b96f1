// Finding buttons by typing: the search form of texts, the order of what is found, and
// the find box choosing one.
#include <gtest/gtest.h>

#include <filesystem>

#include "find/button_index.h"
#include "find/find_box.h"
#include "find/program_index.h"
#include "find/search_text.h"
#include "launch/launcher_keys.h"
#include "storage/paths.h"
#include "support.h"

using testing_support::LauncherFixture;
using testing_support::Lines;
using testing_support::Sjis;

TEST(SearchText, CaseWidthAndKanaMakeNoDifference) {
  struct Case {
    const char* text;
    const char* query;
    bool holds;
  };
  const Case cases[] = {
      {"Notepad", "NOTE", true},
      {"ＮＯＴＥＰＡＤ", "pad", true},
      {"メモ帳", "ﾒﾓ", true},
      {"ガイド", "ｶﾞｲﾄﾞ", true},
      {"パス", "ﾊﾟｽ", true},
      {"ヴォイス", "ｳﾞｫｲｽ", true},
      {"がいど", "ガイド", true},
      {"カ゛イト゛", "ガイド", true},
      {"ガイド", "カイト", false},
      {"パス", "ハス", false},
      {"バス", "パス", false},
      {"ツール 1", "ﾂｰﾙ　1", true},
      {"ｺﾝﾄﾛｰﾙ・ﾊﾟﾈﾙ", "コントロール・パネル", true},
      {"ゝゞ", "ヽヾ", true},
      {"C:\\Tools", "c:\\tools", true},
      {"abc", "abd", false},
      {"", "", true},
      {"\xff\xfe"
       "abc",
       "ABC", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::Holds(core::SearchForm(c.text), core::SearchForm(c.query)), c.holds) << c.text << " / " << c.query;
  EXPECT_EQ(core::SearchForm("\xff"
                             "A\xe3\x81"),
            "\xff"
            "a\xe3\x81");  // bytes that are no UTF-8 stay
}

// Pages 1 to 3 as files: a title in full-width katakana on page 3, a button without a
// title on page 1, an empty button and an empty page.
TEST(ButtonIndex, FindsTitlesAndFileNamesTheCurrentPageFirst) {
  LauncherFixture f;
  f.folder.Write("DATA/User11.dat", Sjis(Lines({"[Button2]", "ProgPath=C:\\Apps\\Notepad.exe", "[Button3]", "ProgPath=",
                                                "ProgTitle=消えた", "[Button4]", "ProgPath=ms-settings:display"})));
  f.folder.Write("DATA/User13.dat", Sjis(Lines({"[Button1]", "ProgPath=C:\\x.exe", "ProgTitle=テキストエディタ",
                                                "[Button7]", "ProgPath=D:\\note.txt", "ProgTitle=覚え書き"})));
  const core::PageStore store(f.files, testing_support::Cp932(), core::DirectoryWithSeparator(f.environment.exePath));
  const core::ButtonIndex index(store.ReadPages("User1", 3));
  ASSERT_EQ(index.Size(), 4u);
  auto found = [&](const char* query, int current) {
    std::string list;
    for (const core::FoundButton* b : index.Find(query, current))
      list += "P" + std::to_string(b->page) + "/" + std::to_string(b->button) + " " + b->text + ";";
    return list;
  };
  EXPECT_EQ(found("", 1), "P1/2 Notepad.exe;P1/4 ms-settings:display;P3/1 テキストエディタ;P3/7 覚え書き;");
  EXPECT_EQ(found("", 3), "P3/1 テキストエディタ;P3/7 覚え書き;P1/2 Notepad.exe;P1/4 ms-settings:display;");
  EXPECT_EQ(found("settings", 1), "P1/4 ms-settings:display;");  // an address by its whole text
  EXPECT_EQ(found("ﾃｷｽﾄ", 1), "P3/1 テキストエディタ;");
  EXPECT_EQ(found("NOTE", 1), "P1/2 Notepad.exe;P3/7 覚え書き;");  // a title or a file name
  EXPECT_EQ(found("x.exe", 1), "P3/1 テキストエディタ;");
  EXPECT_EQ(found("消えた", 1), "");  // an empty button never shows

  // The pages are kept between readings (an hour old, their stamps prove them); a page
  // written since is read again.
  for (const char* name : {"DATA/User11.dat", "DATA/User13.dat"})
    std::filesystem::last_write_time(f.folder.Path(name),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  store.ReadPages("User1", 3);
  f.folder.Write("DATA/User13.dat", Sjis(Lines({"[Button1]", "ProgPath=C:\\y.exe", "ProgTitle=新しい"})));
  const std::vector<core::Page>& pages = store.ReadPages("User1", 3);
  EXPECT_EQ(pages[2].buttons[0].title, "新しい");
  EXPECT_EQ(pages[0].buttons[1].path, "C:\\Apps\\Notepad.exe");
}

namespace {

class FakeFindView : public core::FindBoxView {
 public:
  void Open() override { open = true; }
  void Close() override { open = false; }
  void ShowLines(int count) override { lines = count; }
  void SelectLine(int index) override { selected = index; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }
  bool open = false;
  int lines = -1, selected = -1;
  core::PanelColour colour;
};

}  // namespace

// The box opens from its key without writing anything, lists, and starts or shows the
// chosen button on its own page; the launcher's page follows.
// What the index makes of the files and apps found: names and stored texts, what is
// left out, and one line for a program found in several places.
TEST(ProgramIndex, NamesStoredTextsWhatIsLeftOutAndOneLineAProgram) {
  using core::ProgramPlace;
  const ProgramPlace user = ProgramPlace::kUserStart, common = ProgramPlace::kCommonStart,
                     desk = ProgramPlace::kUserDesktop, pub = ProgramPlace::kPublicDesktop;
  const std::vector<core::FoundFile> files = {
      {common, "C:\\All\\Programs\\Editor.lnk", "C:\\Apps\\edit.exe"},
      {user, "C:\\Me\\Programs\\Tools\\My Editor.lnk", "c:\\apps\\EDIT.EXE"},      // the same program: the user's wins
      {pub, "C:\\Public\\Desktop\\calc.exe", ""},                                  // a program: its own path
      {desk, "C:\\Me\\Desktop\\Calculator.lnk", "C:\\Public\\Desktop\\Calc.exe"},  // the user's desktop wins
      {user, "C:\\Me\\Programs\\Site.url", ""},  // a target that cannot be read: listed
      {user, "C:\\Me\\Programs\\Deploy.appref-ms", ""},
      {user, "C:\\Me\\Programs\\Readme.lnk", "C:\\Apps\\readme.TXT"},  // documents are left out
      {user, "C:\\Me\\Programs\\Manual.lnk", "C:\\Apps\\manual.chm"},
      {user, "C:\\Me\\Programs\\Ｕｎｉｎｓｔａｌｌ Editor.lnk", "C:\\Apps\\remove.exe"},  // uninstallers too
      {user, "C:\\Me\\Programs\\Remove.lnk", "C:\\Apps\\unins000.exe"},
      {user, "C:\\Me\\Programs\\ｱﾝｲﾝｽﾄｰﾙ.lnk", "C:\\Apps\\x.exe"},
      {user, "C:\\Me\\Programs\\notes.txt", ""},  // no program file
      {user, "C:\\Me\\Programs\\desktop.ini", ""},
  };
  const std::vector<core::FoundApp> apps = {
      {"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", "電卓"},
      {"::{4234D49B-0245-4DF3-B780-3893943456E1}\\Microsoft.WindowsTerminal_8wekyb3d8bbwe!App", "Terminal"},
      {"{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}\\cmd.exe", "Command Prompt"},  // no packaged app
  };
  const std::vector<core::InstalledProgram> expected = {
      {"My Editor", "C:\\Me\\Programs\\Tools\\My Editor.lnk", user, "c:\\apps\\EDIT.EXE"},
      {"Calculator", "C:\\Me\\Desktop\\Calculator.lnk", desk, "C:\\Public\\Desktop\\Calc.exe"},
      {"Site", "C:\\Me\\Programs\\Site.url", user, "C:\\Me\\Programs\\Site.url"},
      {"Deploy", "C:\\Me\\Programs\\Deploy.appref-ms", user, "C:\\Me\\Programs\\Deploy.appref-ms"},
      {"電卓", "shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", ProgramPlace::kApps,
       "shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"},
      {"Terminal", "shell:AppsFolder\\Microsoft.WindowsTerminal_8wekyb3d8bbwe!App", ProgramPlace::kApps,
       "shell:AppsFolder\\Microsoft.WindowsTerminal_8wekyb3d8bbwe!App"},
  };
  EXPECT_EQ(core::IndexPrograms(files, apps), expected);
}

// The programs found by a typed text: those that begin with it first, each group by
// name, at most fifty, none that a button holds already (by its stored text or as a
// shortcut's program).
TEST(ProgramIndex, FindsBeginningsFirstByNameCappedAndNotWhatAButtonHolds) {
  std::vector<core::InstalledProgram> programs = {
      {"Paint", "C:\\S\\Paint.lnk", core::ProgramPlace::kUserStart, "C:\\W\\mspaint.exe"},
      {"Notepad++", "C:\\S\\Notepad++.lnk", core::ProgramPlace::kUserStart, "C:\\N\\notepad++.exe"},
      {"my notes", "C:\\S\\my notes.lnk", core::ProgramPlace::kUserStart, "C:\\M\\notes.exe"},
      {"NOTEPAD", "C:\\W\\notepad.exe", core::ProgramPlace::kPublicDesktop, "C:\\W\\notepad.exe"},
      {"Ｎｏｔｅ", "C:\\S\\Note.lnk", core::ProgramPlace::kUserStart, "C:\\N\\note.exe"},
      {"Sticky Notes", "C:\\S\\Sticky.lnk", core::ProgramPlace::kUserStart, "C:\\S\\sticky.exe"},
  };
  for (int i = 0; i < 60; ++i)
    programs.push_back({"tool " + std::to_string(100 + i), "C:\\T\\" + std::to_string(i) + ".exe",
                        core::ProgramPlace::kUserStart, "C:\\T\\" + std::to_string(i) + ".exe"});
  const core::ProgramIndex index(programs);
  auto names = [&](std::string_view query, const std::unordered_set<std::string>& held) {
    std::vector<std::string> found;
    for (const core::InstalledProgram* program : index.Find(query, held)) found.push_back(program->name);
    return found;
  };
  EXPECT_EQ(names("note", {}),
            (std::vector<std::string>{"NOTEPAD", "Notepad++", "Ｎｏｔｅ", "my notes", "Sticky Notes"}));
  EXPECT_TRUE(names("", {}).empty());
  EXPECT_EQ(names("tool", {}).size(), core::ProgramIndex::kMostListed);
  EXPECT_EQ(names("tool", {}).front(), "tool 100");
  core::Page page;
  page.buttons[3].path = "c:\\s\\Notepad++.LNK";  // the shortcut itself
  page.buttons[5].path = "C:\\N\\NOTE.exe";       // the shortcut's program
  EXPECT_EQ(names("note", core::ProgramsOnButtons({page})),
            (std::vector<std::string>{"NOTEPAD", "my notes", "Sticky Notes"}));
}

// Ctrl+Enter on a program: the first empty button of the page shown, else of the
// pages after it up to the count, else of those before it.
TEST(ProgramIndex, AProgramGoesOnTheFirstEmptyButtonFromThePageShown) {
  auto full = [] {
    core::Page page;
    for (auto& entry : page.buttons) entry.path = "C:\\x.exe";
    return page;
  };
  core::Page third = full();
  third.buttons[6].path.clear();
  const std::vector<core::Page> pages = {core::Page{}, full(), third, full()};
  using P = core::ButtonPlace;
  EXPECT_EQ(core::FirstEmptyButton(pages, 3, 4), (P{3, 7}));
  EXPECT_EQ(core::FirstEmptyButton(pages, 4, 4), (P{1, 1}));
  EXPECT_EQ(core::FirstEmptyButton(pages, 2, 4), (P{3, 7}));
  EXPECT_EQ(core::FirstEmptyButton(pages, 4, 5), (P{5, 1})) << "a page not yet written is empty";
  EXPECT_EQ(core::FirstEmptyButton({full(), full()}, 2, 2), std::nullopt);
}

TEST(FindBox, ChoosingALineShowsItsPageAndStartsOrFlashesTheButton) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=3", "Sound=1", "FormColor=7"}));
  f.folder.Write("DATA/User11.dat", Sjis(Lines({"[Button2]", "ProgPath=C:\\Apps\\Notepad.exe"})));
  f.folder.Write("DATA/User13.dat", Sjis(Lines({"[Button1]", "ProgPath=C:\\x.exe", "ProgTitle=テキストエディタ",
                                                "[Button7]", "ProgPath=D:\\note.txt", "ProgTitle=覚え書き"})));
  f.probe.drives = {{'C', core::DriveKind::kFixed}, {'D', core::DriveKind::kFixed}};
  f.probe.present = {"C:\\x.exe", "D:\\note.txt"};
  f.Launcher().FormCreate();
  FakeFindView view;
  core::TFindBox box(view, f.Launcher().Hosts().find, f.prompter);
  f.dialogs.find = &box;
  const std::string settings = f.SettingsText(), page1 = f.PageText("User11.dat"), page3 = f.PageText("User13.dat");

  ASSERT_TRUE(f.Launcher().KeyDown({core::kKeyF3, {}, false}));
  EXPECT_TRUE(view.open);
  EXPECT_EQ(std::tuple(view.lines, view.selected), std::tuple(3, 0));
  EXPECT_EQ(view.colour, *core::PanelColourOf(7));
  const core::FindLine first = box.Line(0);
  EXPECT_EQ(std::tuple(first.text, first.page, first.glyph.file, first.dimmed),
            std::tuple("Notepad.exe", "P1", "C:\\Apps\\Notepad.exe", true));
  EXPECT_FALSE(box.Line(1).dimmed);
  EXPECT_EQ(std::tuple(box.LineName(0), box.LineName(1), box.LineName(3)),
            std::tuple("Notepad.exe P1、見つかりません", "テキストエディタ P3", ""));
  EXPECT_EQ(std::tuple(f.SettingsText(), f.PageText("User11.dat"), f.PageText("User13.dat"), f.Current().PageNo),
            std::tuple(settings, page1, page3, 1));

  box.TextChanged("zzz");
  EXPECT_EQ(std::tuple(view.lines, view.open, box.LineName(0)), std::tuple(0, true, "見つかりません"));
  box.Choose({});  // nothing found: nothing happens
  EXPECT_TRUE(view.open);
  box.TextChanged("ｴﾃﾞｨﾀ");
  ASSERT_EQ(view.lines, 1);
  box.Choose({});
  EXPECT_FALSE(view.open);
  EXPECT_EQ(f.Current().PageNo, 3);
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(std::tuple(f.shell.requests[0].file, f.shell.requests[0].elevated), std::tuple("C:\\x.exe", false));
  EXPECT_EQ(f.sound.played.size(), 1u) << "the start sound, as a click plays it";

  // Shift alone only shows the page and the button; Ctrl+Shift starts as administrator.
  box.Open();
  box.TextChanged("NOTE");
  box.MoveSelection(5);
  EXPECT_EQ(view.selected, 1) << "the last line";
  box.MoveSelection(-3);
  EXPECT_EQ(view.selected, 0) << "the current page's note.txt";
  box.Choose({true, false, false});
  EXPECT_EQ(std::tuple(f.Current().PageNo, f.view.buttons[6].flashes, f.shell.requests.size()), std::tuple(3, 1, 1u));
  box.Open();
  box.TextChanged("notepad");
  box.Choose({true, true, false});
  EXPECT_EQ(f.Current().PageNo, 1);
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_TRUE(f.shell.requests[1].elevated);

  // Another program gave Notepad's button another program while the box was open:
  // Enter starts nothing, and the list is made from the pages as they are now.
  box.Open();
  box.TextChanged("NOTE");
  ASSERT_EQ(view.lines, 2);
  f.folder.Write("DATA/User11.dat", Sjis(Lines({"[Button2]", "ProgPath=C:\\Apps\\Wordpad.exe"})));
  box.Choose({});
  EXPECT_EQ(std::tuple(view.open, view.lines, f.shell.requests.size()), std::tuple(true, 1, 2u));
  EXPECT_EQ(box.Line(0).text, "覚え書き");
}

// Once text is typed, the installed programs follow the buttons found, none a button
// holds; Enter starts one as a button would, Ctrl+Enter puts it on the first empty
// button from the page shown, Shift+Enter does nothing.
TEST(FindBox, ProgramsFollowTheButtonsAndStartOrGoOnAnEmptyButton) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=2", "Sound=1", "BtnClk=1"}));
  std::vector<std::string> full;
  for (int k = 1; k <= core::kLaunchButtonCount; ++k)
    for (std::string line : {"[Button" + std::to_string(k) + "]", "ProgPath=C:\\Apps\\b" + std::to_string(k) + ".exe"})
      full.push_back(k == 2 && line.starts_with("ProgPath") ? "ProgPath=C:\\Apps\\Notepad.exe" : line);
  f.folder.Write("DATA/User11.dat", Sjis(Lines(full)));
  f.Launcher().FormCreate();
  f.Launcher().SetPrograms(std::make_shared<core::ProgramIndex>(std::vector<core::InstalledProgram>{
      {"Notepad", "C:\\S\\Notepad.lnk", core::ProgramPlace::kUserStart, "C:\\Apps\\Notepad.exe"},
      {"Note Maker", "C:\\S\\Note Maker.lnk", core::ProgramPlace::kCommonStart, "C:\\NM\\nm.exe"},
      {"OneNote", "shell:AppsFolder\\Note_8we!App", core::ProgramPlace::kApps, "shell:AppsFolder\\Note_8we!App"}}));
  FakeFindView view;
  core::TFindBox box(view, f.Launcher().Hosts().find, f.prompter);
  f.dialogs.find = &box;
  auto find = [&](const char* text, int line) {
    box.Open();
    box.TextChanged(text);
    box.MoveSelection(line);
  };

  find("", 0);
  EXPECT_EQ(view.lines, core::kLaunchButtonCount) << "an empty box lists the buttons only";
  find("NOTE", 0);
  ASSERT_EQ(view.lines, 3);
  EXPECT_EQ(std::tuple(box.LineName(0), box.LineName(1), box.LineName(2)),
            std::tuple("Notepad.exe P1、見つかりません", "Note Maker ｽﾀｰﾄ", "OneNote ｱﾌﾟﾘ"));
  EXPECT_EQ(box.Line(1).glyph, (core::GlyphSource{"C:\\S\\Note Maker.lnk", 0, true}));
  box.MoveSelection(1);
  box.Choose({true, false, false});
  EXPECT_TRUE(view.open) << "Shift alone does nothing on a program";
  box.Choose({});
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(std::tuple(view.open, f.shell.requests[0].file, f.shell.requests[0].directory, f.sound.played.size(),
                       f.view.shown),
            std::tuple(false, "C:\\S\\Note Maker.lnk", "C:\\S", 1u, false));

  find("note", 2);
  box.Choose({true, true, false});
  EXPECT_EQ(f.prompter.Texts().back(), "「OneNote」は管理者として起動できません。");
  EXPECT_EQ(f.shell.requests.size(), 1u);

  // Page 1 is full: the program goes on page 2's first button, as a drop would put it.
  find("maker", 0);
  box.Choose({false, true, false});
  EXPECT_EQ(std::tuple(f.Current().PageNo, f.Launcher().Button(1).Entry().title, f.view.buttons[0].flashes),
            std::tuple(2, "Note Maker", 1));
  EXPECT_NE(
      f.PageText("User12.dat").find(Lines({"[Button1]", "ProgPath=C:\\S\\Note Maker.lnk", "ProgTitle=Note Maker"})),
      std::string::npos);
  find("maker", 0);
  EXPECT_EQ(view.lines, 1) << "listed as its button now";
  f.folder.Write("DATA/User12.dat", Sjis(Lines(full)));
  find("onenote", 0);
  box.Choose({false, true, false});
  EXPECT_EQ(f.prompter.Texts().back(), "空いているﾎﾞﾀﾝがありません。");
}
