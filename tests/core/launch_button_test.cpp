#include <gtest/gtest.h>

#include "launch_button/launch_button.h"
#include "launch_button/path_text.h"
#include "support.h"

using core::GlyphSource;
using core::MouseButton;
using core::TProgState;
using testing_support::FakeButtonView;
using testing_support::FakePrompter;
using testing_support::FakeShell;

namespace {

// What the button reports; the work is the launcher's.
class FakeHost : public core::LaunchButtonHost {
 public:
  void Activate(core::TLaunchButton&, const core::Activation& how) override { activations.push_back(how); }
  void OpenSettings(core::TLaunchButton&) override { ++settings; }
  void FilesDropped(core::TLaunchButton&, const std::vector<std::string>& paths) override { drops.push_back(paths); }
  std::vector<core::Activation> activations;
  std::vector<std::vector<std::string>> drops;
  int settings = 0;
};

struct ButtonFixture {
  FakeButtonView view;
  FakeHost host;
  testing_support::FakeEnvironment environment;
  testing_support::FakeProbe probe;
  core::TLaunchButton button{3, view, host, {environment, probe}};
  // The button's entry with `change` made to it.
  core::ButtonEntry Changed(const std::function<void(core::ButtonEntry&)>& change) const {
    core::ButtonEntry entry = button.Entry();
    change(entry);
    return entry;
  }
};

}  // namespace

// The hint follows the title or else the file name, in the order of changes; what a
// screen reader reads is never empty, and carries the states the face shows by its
// look, and the button's own key.
TEST(LaunchButton, HintFollowsTheTitleOrElseTheFileName) {
  ButtonFixture f;
  EXPECT_EQ(f.button.Number(), 3);
  f.button.Show({.path = "C:\\Apps\\edit.exe"});
  EXPECT_EQ(f.view.hint, "edit.exe");
  f.button.Keep(f.Changed([](core::ButtonEntry& e) { e.title = "Editor"; }));
  EXPECT_EQ(f.view.hint, "Editor");
  f.button.SetTargetMissing(true);
  EXPECT_EQ(f.view.name, "Editor、見つかりません");
  f.button.SetTargetMissing(false);
  f.button.SetRunning(true);
  EXPECT_EQ(f.view.name, "Editor、起動中");
  f.button.Keep(f.Changed([](core::ButtonEntry& e) { e.hotKey = "Alt+Ctrl+E"; }));
  f.button.SetHotKeyRefused(true);
  EXPECT_EQ(f.view.name, "Editor、起動中、ﾎｯﾄｷｰ Alt+Ctrl+E（使用できません）");
  f.button.Keep(f.Changed([](core::ButtonEntry& e) { e.hotKey.clear(); }));
  EXPECT_EQ(f.view.name, "Editor、起動中");
  // The same path again rebuilds the glyph but leaves the hint the title left.
  int drawn = f.view.glyphsDrawn;
  f.button.Show(f.Changed([](core::ButtonEntry& e) { e.title.clear(); }));
  EXPECT_EQ(f.view.hint, "");
  EXPECT_EQ(f.view.name, "edit.exe、起動中");
  EXPECT_EQ(f.view.glyphsDrawn, drawn + 1);
  // A new path takes the title when there is one.
  f.button.Show({.title = "Ed", .path = "D:\\calc.exe"});
  EXPECT_EQ(f.view.hint, "Ed");
  f.button.Show({.path = "E:notes.txt"});
  EXPECT_EQ(f.view.hint, "notes.txt");
  // Kept values change only what they change, letter case too.
  f.button.Keep(f.Changed([](core::ButtonEntry& e) { e.dir = "C:\\x"; }));
  int repaints = f.view.repaints;
  f.button.Keep(f.button.Entry());
  EXPECT_EQ(f.view.repaints, repaints);
  f.button.Keep(f.Changed([](core::ButtonEntry& e) { e.dir = "c:\\x"; }));
  EXPECT_EQ(f.button.Entry().dir, "c:\\x");
  EXPECT_EQ(f.view.repaints, repaints + 1);
  f.button.Clear();
  EXPECT_EQ(f.view.name, "未登録");
  f.button.SetAcceptDragFile(true);
  EXPECT_TRUE(f.view.acceptsFiles);
  f.button.SetAcceptDragFile(false);
  EXPECT_FALSE(f.view.acceptsFiles);
}

TEST(LaunchButton, GlyphSourceFollowsIconPathAndNumber) {
  EXPECT_EQ(core::GlyphSourceOf("C:\\i.dll", 3, "C:\\p.exe"), (GlyphSource{"C:\\i.dll", 3, false}));
  EXPECT_EQ(core::GlyphSourceOf("C:\\i.dll", 0, "C:\\p.exe"), (GlyphSource{"C:\\i.dll", 0, true}));
  EXPECT_EQ(core::GlyphSourceOf("", 2, "C:\\p.exe"), (GlyphSource{"C:\\p.exe", 2, false}));
  EXPECT_EQ(core::GlyphSourceOf("", 0, "C:\\p.exe"), (GlyphSource{"C:\\p.exe", 0, true}));

  ButtonFixture f;
  f.button.Show({.path = "C:\\p.exe", .iconPath = "C:\\icons.dll", .iconNo = 4, .isIconSmall = true});
  EXPECT_EQ(f.view.glyph, (GlyphSource{"C:\\icons.dll", 4, false}));
  EXPECT_TRUE(f.view.small);
  // A mark kept is drawn with the next showing.
  f.button.Keep(f.Changed([](core::ButtonEntry& e) { e.isIconSmall = false; }));
  EXPECT_TRUE(f.view.small);
  f.button.Show(f.button.Entry());
  EXPECT_FALSE(f.view.small);
}

TEST(LaunchButton, TransparentKeyMovesRedByOne) {
  EXPECT_EQ(core::TransparentKeyOf({255, 10, 20}), (core::Rgb{254, 10, 20}));
  EXPECT_EQ(core::TransparentKeyOf({0, 255, 255}), (core::Rgb{1, 255, 255}));
  EXPECT_EQ(core::TransparentKeyOf({212, 208, 200}), (core::Rgb{213, 208, 200}));
}

TEST(LaunchButton, EmptyingResetsEverythingButTheSelectionMark) {
  ButtonFixture f;
  f.button.Show({"t", "C:\\p.exe", "d", "o", "i", TProgState::psMaximized, 2, true, "Ctrl+F2", true, 500});
  f.button.Show({.path = "", .isIconSmall = true});
  EXPECT_EQ(f.button.Entry(), (core::ButtonEntry{.isIconSmall = true}));
  EXPECT_EQ(f.view.hint, "未登録");
  EXPECT_FALSE(f.view.hasGlyph);
}

// A start is made of the entry alone, in the entry's window state.
TEST(LaunchButton, AStartIsMadeOfTheEntryInItsWindowState) {
  const std::pair<TProgState, int> states[] = {
      {TProgState::psNormal, 1}, {TProgState::psMinimized, 2}, {TProgState::psMaximized, 3}};
  testing_support::FakeEnvironment environment;
  testing_support::FakeProbe probe;
  for (auto [state, show] : states) {
    const core::ButtonEntry entry{
        .path = "C:\\Program Files\\app.exe", .dir = "C:\\work", .option = "-a \"b c\"", .state = state};
    const core::ShellRequest r = core::StartRequestOf(entry, 0x5678u, false, {environment, probe});
    EXPECT_EQ(std::tuple(r.owner, r.verb, r.file, r.parameters, r.directory, r.showCommand),
              std::tuple(0x5678u, "open", "C:\\Program Files\\app.exe", "-a \"b c\"", "C:\\work", show));
  }
}

// Which parts of a click an event makes: a release over the button after a press on
// it both, a release off it the start alone, a click from the keyboard both (so that
// keyboard users can start a button); a release without a press, and the right
// button, nothing.
TEST(LaunchButton, EventsActivateTheButtonWithThePartsOfAClickTheyMake) {
  ButtonFixture f;
  const core::ShiftState shift{true, true, false};
  f.button.MouseUp(MouseButton::kLeft);
  f.button.MouseDown(MouseButton::kLeft);
  f.button.MouseUp(MouseButton::kLeft, shift, true);
  f.button.MouseDown(MouseButton::kLeft);
  f.button.MouseUp(MouseButton::kLeft, {}, false);
  f.button.KeyboardClick(shift);
  f.button.MouseDown(MouseButton::kRight);
  f.button.MouseUp(MouseButton::kRight, shift);
  f.button.SettingsKey();
  ASSERT_EQ(f.host.activations.size(), 3u);
  EXPECT_EQ(f.host.settings, 2);
  const core::Activation& click = f.host.activations[0];
  const core::Activation& aside = f.host.activations[1];
  const core::Activation& key = f.host.activations[2];
  EXPECT_EQ(std::tuple(click.shift, click.sound, click.start), std::tuple(shift, true, true));
  EXPECT_EQ(std::tuple(aside.shift, aside.sound, aside.start), std::tuple(core::ShiftState{}, false, true));
  EXPECT_EQ(std::tuple(key.shift, key.sound, key.start), std::tuple(shift, true, true));
}

// A left click with Ctrl+Shift starts as administrator; hiding after a start follows
// every start, and an empty button neither starts nor hides, nor does what cannot
// start as administrator.
TEST(LaunchButton, CtrlShiftWithTheLeftButtonStartsAsAdministrator) {
  struct Case {
    core::ShiftState shift;
    bool elevated;
  };
  const Case cases[] = {
      {{true, true, false}, true},     // Ctrl+Shift
      {{false, false, false}, false},  // none
      {{false, true, false}, false},   // Ctrl alone
      {{true, false, false}, false},   // Shift alone
      {{true, true, true}, false},     // with Alt as well
  };
  for (const Case& c : cases) {
    testing_support::LauncherFixture f;
    f.WriteSettings(testing_support::Lines({"[User1]", "BtnClk=1"}));
    f.Launcher().FormCreate();
    core::TLaunchButton& button = f.Launcher().Button(3);
    button.Show(
        {.path = "C:\\Tools\\setup.exe", .dir = "C:\\Tools", .option = "/quiet", .state = TProgState::psMinimized});
    button.MouseDown(MouseButton::kLeft);
    button.MouseUp(MouseButton::kLeft, c.shift);
    ASSERT_EQ(f.shell.requests.size(), 1u);
    const core::ShellRequest& r = f.shell.requests[0];
    // Everything else as for any start; the platform turns the flag into its verb.
    EXPECT_EQ(std::tuple(r.verb, r.file, r.parameters, r.directory, r.showCommand, r.elevated),
              std::tuple("open", "C:\\Tools\\setup.exe", "/quiet", "C:\\Tools", 2, c.elevated))
        << c.shift.shift << c.shift.ctrl << c.shift.alt;
    EXPECT_FALSE(f.view.shown) << "BtnClk hides after an elevated start too";
    f.view.shown = true;
    f.Launcher().Button(4).MouseDown(MouseButton::kLeft);
    f.Launcher().Button(4).MouseUp(MouseButton::kLeft, c.shift);
    EXPECT_EQ(f.shell.requests.size(), 1u);
    EXPECT_TRUE(f.view.shown);
  }
  // Run as administrator, a program does not see the user's drive mappings: a program
  // and a working folder on a mapped drive go by their network names, only then.
  for (bool elevated : {true, false}) {
    testing_support::LauncherFixture f;
    f.probe.drives['N'] = core::DriveKind::kNetwork;
    f.probe.networkPaths = {{"N:\\Tools\\setup.exe", "\\\\srv\\share\\Tools\\setup.exe"},
                            {"N:\\Tools", "\\\\srv\\share\\Tools"}};
    f.Launcher().FormCreate();
    core::TLaunchButton& button = f.Launcher().Button(3);
    button.Show({.path = "N:\\Tools\\setup.exe", .dir = "N:\\Tools"});
    button.MouseDown(MouseButton::kLeft);
    button.MouseUp(MouseButton::kLeft, {elevated, elevated, false});
    ASSERT_EQ(f.shell.requests.size(), 1u);
    const core::ShellRequest& r = f.shell.requests[0];
    if (elevated)
      EXPECT_EQ(std::tuple(r.file, r.directory),
                std::tuple("\\\\srv\\share\\Tools\\setup.exe", "\\\\srv\\share\\Tools"));
    else
      EXPECT_EQ(std::tuple(r.file, r.directory), std::tuple("N:\\Tools\\setup.exe", "N:\\Tools"));
  }
  // An address, an Internet shortcut or a packaged app cannot start so: it says so,
  // by its title, and starts nothing; without Ctrl+Shift it goes to the shell as stored.
  for (const char* stored : {"x-app:%ZUBI_DIR%", "C:\\Links\\site.url", "shell:AppsFolder\\Calc_8wekyb3d8bbwe!App"}) {
    testing_support::LauncherFixture f;
    f.WriteSettings(testing_support::Lines({"[User1]", "BtnClk=1"}));
    f.Launcher().FormCreate();
    core::TLaunchButton& button = f.Launcher().Button(3);
    button.Show({.title = "Site", .path = stored});
    button.MouseDown(MouseButton::kLeft);
    button.MouseUp(MouseButton::kLeft, {true, true, false});
    EXPECT_TRUE(f.shell.requests.empty()) << stored;
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{"「Site」は管理者として起動できません。"}) << stored;
    EXPECT_TRUE(f.view.shown) << "nothing started: the window stays";
    button.MouseDown(MouseButton::kLeft);
    button.MouseUp(MouseButton::kLeft);
    ASSERT_EQ(f.shell.requests.size(), 1u);
    EXPECT_EQ(f.shell.requests[0].file, stored);
  }
}

TEST(LaunchButton, DroppedFilesRegisterOpenOrAreRefused) {
  testing_support::LauncherFixture f;
  f.Launcher().FormCreate();
  core::TLaunchButton& button = f.Launcher().Button(3);
  button.FilesDropped({"C:\\Tools\\calc.exe"});
  EXPECT_EQ(button.Entry().path, "C:\\Tools\\calc.exe");
  EXPECT_EQ(f.view.buttons[2].glyph, (GlyphSource{"C:\\Tools\\calc.exe", 0, true}));
  const std::string saved = f.PageText("User11.dat");
  EXPECT_NE(saved.find("Path=C:\\Tools\\calc.exe"), std::string::npos);

  button.Keep({.dir = "C:\\Tools", .option = "-x", .state = TProgState::psMaximized});
  button.FilesDropped({"C:\\My Documents\\a b.txt"});
  ASSERT_EQ(f.shell.requests.size(), 1u);
  const core::ShellRequest& r = f.shell.requests[0];
  EXPECT_EQ(std::tuple(r.file, r.parameters, r.directory, r.showCommand),
            std::tuple("C:\\Tools\\calc.exe", "C:\\My Documents\\a b.txt", "C:\\Tools", 1));
  EXPECT_EQ(button.Entry().path, "C:\\Tools\\calc.exe");

  button.FilesDropped({"C:\\a.txt", "C:\\b.txt"});
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "information");
  EXPECT_EQ(f.prompter.boxes[0].text, "同時に２個以上のファイルのドラッグ＆ドロップはサポートしていません。");
  EXPECT_EQ(f.shell.requests.size(), 1u);

  // A shell item has no file to hand to the program: it changes nothing.
  button.FilesDropped({"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"});
  EXPECT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(button.Entry().path, "C:\\Tools\\calc.exe");
  EXPECT_EQ(f.PageText("User11.dat"), saved) << "only the registration is written";

  // An app of the Applications folder is stored as the find box's index stores it.
  f.Launcher().Button(4).FilesDropped({"::{4234D49B-0245-4DF3-B780-3893943456E1}\\Calc_8wekyb3d8bbwe!App"});
  EXPECT_EQ(f.Launcher().Button(4).Entry().path, "shell:AppsFolder\\Calc_8wekyb3d8bbwe!App");
}

TEST(PathText, WindowsPathPartsAsTheUserTypedThem) {
  struct Case {
    const char* path;
    const char* name;
    const char* dir;
    const char* title;
  };
  const Case cases[] = {
      {"C:\\Apps\\edit.exe", "edit.exe", "C:\\Apps", "edit"},
      {"C:\\edit.exe", "edit.exe", "C:\\", "edit"},
      {"C:\\Tools\\arc.tar.gz", "arc.tar.gz", "C:\\Tools", "arc.tar"},
      {"C:\\My Apps\\no extension", "no extension", "C:\\My Apps", "no extension"},
      {"\\\\server\\share\\x.exe", "x.exe", "\\\\server\\share", "x"},
      {"D:notes.txt", "notes.txt", "D:", "notes"},
      {"C:\\Folder\\", "", "C:\\Folder", ""},
      {"plain.exe", "plain.exe", "", "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(core::ExtractFileDir(c.path), c.dir) << c.path;
    EXPECT_EQ(core::FileTitle(c.path), c.title) << c.path;
  }
}

TEST(LaunchButton, StartsIconsAndDropsGoWhereThePathsLeadWhileTheStoredTextsStay) {
  testing_support::LauncherFixture f;
  f.environment.exePath = "F:\\Zubi\\zubi.exe";
  f.environment.variables["ZUBI_DIR"] = "F:\\Zubi";
  f.probe.drives = {{'F', core::DriveKind::kFixed}};
  f.probe.present = {"F:\\Zubi\\Apps\\x.exe", "F:\\Zubi\\Apps\\icons.dll", "F:\\Work\\in.txt"};
  f.Launcher().FormCreate();
  core::TLaunchButton& button = f.Launcher().Button(3);
  const testing_support::FakeButtonView& view = f.view.buttons[2];
  auto click = [&] {
    button.MouseDown(MouseButton::kLeft);
    button.MouseUp(MouseButton::kLeft);
  };
  button.Show({.path = "%ZUBI_DIR%\\Apps\\x.exe",
               .dir = "..\\Work",
               .iconPath = "Apps\\icons.dll",
               .state = TProgState::psMaximized,
               .iconNo = 2});
  EXPECT_EQ(view.glyph, (GlyphSource{"F:\\Zubi\\Apps\\icons.dll", 2, false}));
  EXPECT_EQ(view.hint, "x.exe");

  click();
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.shell.requests[0].file, "F:\\Zubi\\Apps\\x.exe");
  EXPECT_EQ(f.shell.requests[0].directory, "F:\\Work");
  EXPECT_EQ(f.shell.requests[0].showCommand, 3);
  button.FilesDropped({"C:\\in.txt"});
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[1].file, "F:\\Zubi\\Apps\\x.exe");
  EXPECT_EQ(f.shell.requests[1].parameters, "C:\\in.txt");
  EXPECT_EQ(f.shell.requests[1].directory, "F:\\Work");
  EXPECT_EQ(std::tuple(button.Entry().path, button.Entry().dir, button.Entry().iconPath),
            std::tuple("%ZUBI_DIR%\\Apps\\x.exe", "..\\Work", "Apps\\icons.dll"));

  // Without an icon file the glyph is the program's own, found on the program's drive
  // after the stick moved from E: to F:.
  button.Show({.path = "E:\\Zubi\\Apps\\x.exe", .dir = "..\\Work"});
  EXPECT_EQ(view.glyph, (GlyphSource{"F:\\Zubi\\Apps\\x.exe", 0, true}));
  // A path that leads nowhere is handed on as it stands.
  button.Show({.path = "E:\\Zubi\\Apps\\gone.exe", .dir = "..\\Work"});
  EXPECT_EQ(view.glyph, (GlyphSource{"E:\\Zubi\\Apps\\gone.exe", 0, true}));
  click();
  EXPECT_EQ(f.shell.requests.back().file, "E:\\Zubi\\Apps\\gone.exe");
}
