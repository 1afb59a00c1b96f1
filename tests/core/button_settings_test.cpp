#include <gtest/gtest.h>

#include "launch_button/button_settings_dlg.h"
#include "support.h"

using core::GlyphSource;
using core::SettingsCheck;
using core::SettingsField;
using core::TButtonSettingsDlg;
using core::TProgState;
using testing_support::LauncherFixture;
using testing_support::Lines;
using testing_support::SettingsWindow;

namespace {

// A right-button release on button k, with `act` run in the open dialog, whose window
// shows into `window`.
void OpenSettings(LauncherFixture& f, SettingsWindow& window, const std::function<void(TButtonSettingsDlg&)>& act,
                  int k = 1) {
  window.whileShown = act;
  f.view.buttons[static_cast<size_t>(k - 1)].settings = &window;
  f.Launcher().Button(k).MouseDown(core::MouseButton::kRight);
  f.Launcher().Button(k).MouseUp(core::MouseButton::kRight);
  f.view.buttons[static_cast<size_t>(k - 1)].settings = nullptr;
}

SettingsWindow OpenSettings(LauncherFixture& f, const std::function<void(TButtonSettingsDlg&)>& act) {
  SettingsWindow window;
  OpenSettings(f, window, act);
  return window;
}

struct Fixture : LauncherFixture {
  Fixture() {
    shell.executables["C:\\doc\\memo.txt"] = "C:\\edit\\edit.exe";
    shell.executables["C:\\p.exe"] = "C:\\p.exe";
    shell.iconCounts["C:\\edit\\edit.exe"] = 5;
    shell.iconCounts["C:\\icons.dll"] = 8;
    shell.iconCounts["C:\\three.dll"] = 3;
    shell.iconCounts["C:\\p.exe"] = 9;
    Launcher().FormCreate();
  }
  core::TLaunchButton& B() { return Launcher().Button(1); }
};

}  // namespace

TEST(SettingsDialog, OpensBelowTheButtonAndStaysOnItsMonitor) {
  using core::SettingsDialogPosition;
  const core::ScreenRect primary{0, 0, 1280, 1024};
  EXPECT_EQ(SettingsDialogPosition({100, 200, 136, 236}, primary, 420), (core::ScreenPoint{100, 237}));
  EXPECT_EQ(SettingsDialogPosition({859, 0, 895, 36}, primary, 420), (core::ScreenPoint{859, 37}));
  EXPECT_EQ(SettingsDialogPosition({860, 0, 896, 36}, primary, 420), (core::ScreenPoint{860, 37}));
  EXPECT_EQ(SettingsDialogPosition({861, 0, 897, 36}, primary, 420), (core::ScreenPoint{860, 37}));
  EXPECT_EQ(SettingsDialogPosition({1240, 990, 1276, 1026}, primary, 420), (core::ScreenPoint{860, 1027}));
  // A button on a second monitor to the right: the dialog opens beside it, there.
  const core::ScreenRect second{1280, 0, 2560, 1024};
  EXPECT_EQ(SettingsDialogPosition({1500, 50, 1536, 86}, second, 420), (core::ScreenPoint{1500, 87}));
  EXPECT_EQ(SettingsDialogPosition({2500, 50, 2536, 86}, second, 420), (core::ScreenPoint{2140, 87}));
}

TEST(SettingsDialog, AnEmptyButtonOpensEmpty) {
  Fixture f;
  f.Launcher().Editor().IconSource(1) = "C:\\earlier.exe";
  SettingsWindow w = OpenSettings(f, nullptr);
  EXPECT_EQ(w.shown, 1);
  EXPECT_TRUE(w.texts.empty());
  EXPECT_EQ(w.state, 0);
  EXPECT_EQ(w.scrollMax, 0);
  EXPECT_FALSE(w.preview);
  EXPECT_EQ(f.Launcher().Editor().IconSource(1), "C:\\earlier.exe");
  EXPECT_EQ(w.position, (core::ScreenPoint{100, 237}));
}

TEST(SettingsDialog, ADocumentOffersTheIconsOfItsProgram) {
  Fixture f;
  testing_support::Set(f.B(), &core::ButtonEntry::title, "memo");
  testing_support::Set(f.B(), &core::ButtonEntry::state, TProgState::psMinimized);
  testing_support::SetPath(f.B(), "C:\\doc\\memo.txt");
  int glyphs = f.view.buttons[0].glyphsDrawn;
  SettingsWindow w = OpenSettings(f, [](TButtonSettingsDlg& d) {
    EXPECT_EQ(d.ScrollMax(), 4);
    EXPECT_EQ(d.ScrollPosition(), 0);
    d.ScrollBarChange(3);
  });
  EXPECT_EQ(w.texts[SettingsField::kTitle], "memo");
  EXPECT_EQ(w.texts[SettingsField::kPath], "C:\\doc\\memo.txt");
  EXPECT_EQ(w.texts.count(SettingsField::kDirectory), 0u);
  EXPECT_EQ(w.state, 1);
  EXPECT_EQ(f.Launcher().Editor().IconSource(1), "C:\\edit\\edit.exe");
  // The scroll bar chose icon 3 of the program at once; the button's glyph waits.
  EXPECT_EQ(w.preview, (GlyphSource{"C:\\edit\\edit.exe", 3, false}));
  EXPECT_EQ(f.B().Entry().iconNo, 3);
  EXPECT_EQ(f.B().Entry().iconPath, "C:\\edit\\edit.exe");
  EXPECT_EQ(f.view.buttons[0].glyphsDrawn, glyphs);
}

TEST(SettingsDialog, AnIconNumberBeyondTheFilesIconsIsPulledBack) {
  Fixture f;
  testing_support::Set(f.B(), &core::ButtonEntry::iconPath, "C:\\icons.dll");
  testing_support::Set(f.B(), &core::ButtonEntry::iconNo, 12);
  testing_support::SetPath(f.B(), "C:\\p.exe");
  SettingsWindow w = OpenSettings(f, [](TButtonSettingsDlg& d) {
    EXPECT_EQ(d.ScrollMax(), 7);
    EXPECT_EQ(d.ScrollPosition(), 7);
  });
  EXPECT_EQ(f.B().Entry().iconNo, 7);
  EXPECT_EQ(w.preview, (GlyphSource{"C:\\icons.dll", 7, false}));
  EXPECT_EQ(f.Launcher().Editor().IconSource(1), "C:\\icons.dll");
}

TEST(SettingsDialog, IconButtonTakesAFileWithIconsAndRefusesOneWithout) {
  Fixture f;
  testing_support::SetPath(f.B(), "C:\\p.exe");
  OpenSettings(f, [](TButtonSettingsDlg& d) { d.ScrollBarChange(6); });
  ASSERT_EQ(f.B().Entry().iconNo, 6);

  SettingsWindow three;
  three.chosenFile = "C:\\three.dll";
  OpenSettings(f, three, [](TButtonSettingsDlg& d) { d.IconClick(); });
  EXPECT_EQ(f.B().Entry().iconPath, "C:\\three.dll");
  EXPECT_EQ(f.Launcher().Editor().IconSource(1), "C:\\three.dll");
  EXPECT_EQ(three.scrollMax, 2);
  EXPECT_EQ(f.B().Entry().iconNo, 2);  // pulled back, not reset
  EXPECT_EQ(three.preview, (GlyphSource{"C:\\three.dll", 0, true}));

  SettingsWindow none;
  none.chosenFile = "C:\\readme.txt";
  OpenSettings(f, none, [](TButtonSettingsDlg& d) { d.IconClick(); });
  EXPECT_EQ(f.prompter.Texts().back(), "このファイルにはアイコンがありません！！");
  EXPECT_EQ(f.B().Entry().iconPath, "");
  EXPECT_EQ(none.closed, 0);

  // Without an icon file the next opening offers the program's own icons again, and
  // the icon number (2) chooses one of them; a cancelled file choice changes nothing.
  SettingsWindow cancelled;
  OpenSettings(f, cancelled, [](TButtonSettingsDlg& d) { d.IconClick(); });
  EXPECT_EQ(f.Launcher().Editor().IconSource(1), "C:\\p.exe");
  EXPECT_EQ(f.B().Entry().iconPath, "C:\\p.exe");
  EXPECT_EQ(f.B().Entry().iconNo, 2);
}

TEST(SettingsDialog, DefaultIconLeavesNoIconFileWhateverTheScrollBarDid) {
  Fixture f;
  testing_support::Set(f.B(), &core::ButtonEntry::iconPath, "C:\\icons.dll");
  testing_support::Set(f.B(), &core::ButtonEntry::iconNo, 4);
  testing_support::SetPath(f.B(), "C:\\p.exe");
  SettingsWindow w = OpenSettings(f, [](TButtonSettingsDlg& d) {
    d.DefaultIconClick();
    EXPECT_EQ(d.ScrollPosition(), 0);
  });
  EXPECT_EQ(f.B().Entry().iconPath, "");
  EXPECT_EQ(f.B().Entry().iconNo, 0);
  EXPECT_EQ(w.preview, (GlyphSource{"C:\\p.exe", 0, true}));
}

TEST(SettingsDialog, CancelKeepsWhatWasAlreadyWrittenIntoTheButtonButSavesNothing) {
  Fixture f;
  testing_support::SetPath(f.B(), "C:\\p.exe");
  f.Launcher().Editor().OnBtnUpdated(f.B());
  std::string saved = f.PageText("User11.dat");
  SettingsWindow w = OpenSettings(f, [](TButtonSettingsDlg& d) {
    d.StateChange(2);
    d.ScrollBarChange(5);
    d.CancelClick();
  });
  EXPECT_EQ(w.closed, 1);
  EXPECT_EQ(f.B().Entry().state, TProgState::psMaximized);
  EXPECT_EQ(f.B().Entry().iconNo, 5);
  EXPECT_EQ(f.PageText("User11.dat"), saved);
  SettingsWindow again = OpenSettings(f, nullptr);
  EXPECT_EQ(again.state, 2);
  EXPECT_EQ(again.scrollPosition, 5);
}

TEST(SettingsDialog, OkNeedsAnExistingPathAndThenAppliesTheTexts) {
  Fixture f;
  // Titles and folders come from Windows path rules: a file whose name holds a "\"
  // stands in for C:\...\Apps\calc.exe here.
  f.folder.Write("Apps\\calc.exe", "binary");
  const std::string program = f.folder.Path("Apps\\calc.exe");

  // A missing file, or a shell name the shell does not know, is refused; an address or
  // a known shell name is taken as it stands (the shell starts them).
  f.probe.shellItems = {"shell:Personal"};
  for (const char* refused : {"C:\\Apps\\gone.exe", "shell:NoSuchFolder"}) {
    SettingsWindow missing;
    missing.texts = {{SettingsField::kPath, refused}, {SettingsField::kTitle, "Gone"}};
    OpenSettings(f, missing, [](TButtonSettingsDlg& d) { d.OKClick(); });
    ASSERT_FALSE(f.prompter.Texts().empty());
    EXPECT_EQ(f.prompter.Texts().back(), "ファイル（ディレクトリ）が存在しません！！") << refused;
    EXPECT_EQ(missing.closed, 1);
    EXPECT_EQ(f.B().Entry().path, "") << refused;
    EXPECT_EQ(f.B().Entry().title, "") << refused;
  }

  SettingsWindow ok;
  ok.texts = {{SettingsField::kPath, program}, {SettingsField::kTitle, "Typed"}, {SettingsField::kOption, " -x "}};
  OpenSettings(f, ok, [](TButtonSettingsDlg& d) { d.OKClick(); });
  // A button empty in the file takes the title and folder of its path instead.
  EXPECT_EQ(f.B().Entry().path, program);
  EXPECT_EQ(f.B().Entry().title, "calc");
  EXPECT_EQ(f.B().Entry().dir, f.folder.Path("Apps"));
  EXPECT_EQ(f.B().Entry().option, " -x ");  // as typed
  EXPECT_NE(f.PageText("User11.dat").find("ProgTitle=calc\r\n"), std::string::npos);

  SettingsWindow folder;
  OpenSettings(f, folder, [&](TButtonSettingsDlg& d) {
    folder.texts[SettingsField::kPath] = f.folder.Path();
    folder.texts[SettingsField::kTitle] = "Folder";
    d.OKClick();
  });
  EXPECT_EQ(f.B().Entry().title, "Folder");  // registered now: the typed title stays
  EXPECT_EQ(f.B().Entry().path, f.folder.Path());

  // An empty path empties the button in memory only.
  std::string saved = f.PageText("User11.dat");
  SettingsWindow empty;
  OpenSettings(f, empty, [&](TButtonSettingsDlg& d) {
    empty.texts[SettingsField::kPath] = "";
    d.OKClick();
  });
  EXPECT_EQ(f.prompter.Texts().back(), "パス名は必ず必要です！！");
  EXPECT_EQ(f.B().Entry().path, "");
  EXPECT_EQ(f.PageText("User11.dat"), saved);
  EXPECT_EQ(empty.closed, 1);

  f.Launcher().Editor().OnBtnUpdated(f.B());  // the button empty in the file too
  const size_t messages = f.prompter.Texts().size();
  for (const char* taken : {"x-app:hello/world?x=1", "shell:Personal"}) {
    SettingsWindow address;
    address.texts = {{SettingsField::kPath, taken}, {SettingsField::kTitle, "Typed"}};
    OpenSettings(f, address, [](TButtonSettingsDlg& d) { d.OKClick(); });
    // Empty in the file: the title is the address itself (no host), and no folder.
    EXPECT_EQ(f.B().Entry().path, taken);
    EXPECT_EQ(f.B().Entry().title, taken);
    EXPECT_EQ(f.B().Entry().dir, "");
    f.B().Clear();
    f.Launcher().Editor().OnBtnUpdated(f.B());
  }
  EXPECT_EQ(f.prompter.Texts().size(), messages);
}

TEST(SettingsDialog, DeleteAsksAndOnlyYesEmptiesAndSavesTheButton) {
  Fixture f;
  testing_support::SetPath(f.B(), "C:\\p.exe");
  f.Launcher().Editor().OnBtnUpdated(f.B());
  f.prompter.answerYes = false;
  SettingsWindow no = OpenSettings(f, [](TButtonSettingsDlg& d) { d.DeleteClick(); });
  EXPECT_EQ(f.prompter.boxes.back().text, "このアイコンを削除してよろしいですか？");
  EXPECT_EQ(no.closed, 0);
  EXPECT_EQ(f.B().Entry().path, "C:\\p.exe");
  f.prompter.answerYes = true;
  SettingsWindow yes = OpenSettings(f, [](TButtonSettingsDlg& d) {
    d.ScrollBarChange(2);
    d.DeleteClick();
  });
  EXPECT_EQ(yes.closed, 1);
  EXPECT_EQ(f.B().Entry().path, "");
  EXPECT_EQ(f.B().Entry().iconPath, "");
  EXPECT_EQ(f.view.buttons[0].hint, "未登録");
  EXPECT_FALSE(yes.preview);
  EXPECT_NE(f.PageText("User11.dat").find(Lines({"[Button1]", "ProgPath=", ""})), std::string::npos);
}

TEST(SettingsDialog, BrowseFillsOnlyThePath) {
  Fixture f;
  SettingsWindow w;
  w.chosenFile = "C:\\chosen.exe";
  OpenSettings(f, w, [](TButtonSettingsDlg& d) { d.BrowseClick(); });
  EXPECT_EQ(w.texts[SettingsField::kPath], "C:\\chosen.exe");
  EXPECT_EQ(f.B().Entry().path, "");
  EXPECT_FALSE(w.preview);
}

TEST(SettingsDialog, IconsAreLookedForWhereThePathsLeadAndThePathsGoBackAsStored) {
  Fixture f;
  f.environment.variables["SYS"] = "C:";
  f.probe.drives = {{'C', core::DriveKind::kFixed}};
  f.probe.present = {"C:\\icons.dll", "C:\\p.exe"};
  testing_support::Set(f.B(), &core::ButtonEntry::iconPath, "%SYS%\\icons.dll");
  testing_support::Set(f.B(), &core::ButtonEntry::iconNo, 2);
  testing_support::SetPath(f.B(), "%SYS%\\p.exe");
  SettingsWindow w = OpenSettings(f, [](TButtonSettingsDlg& d) {
    EXPECT_EQ(d.ScrollMax(), 7);
    d.ScrollBarChange(5);
  });
  EXPECT_EQ(w.preview, (GlyphSource{"C:\\icons.dll", 5, false}));
  EXPECT_EQ(f.B().Entry().iconPath, "%SYS%\\icons.dll");
  EXPECT_EQ(w.texts[SettingsField::kPath], "%SYS%\\p.exe");

  // A program offers its own icons under its stored path, so that a choice among them
  // keeps following the program.
  testing_support::Set(f.B(), &core::ButtonEntry::iconPath, "");
  testing_support::Set(f.B(), &core::ButtonEntry::iconNo, 0);
  w = OpenSettings(f, [](TButtonSettingsDlg& d) {
    EXPECT_EQ(d.ScrollMax(), 8);
    d.ScrollBarChange(4);
  });
  EXPECT_EQ(f.Launcher().Editor().IconSource(1), "%SYS%\\p.exe");
  EXPECT_EQ(w.preview, (GlyphSource{"C:\\p.exe", 4, false}));
  EXPECT_EQ(f.B().Entry().iconPath, "%SYS%\\p.exe");
  OpenSettings(f, [](TButtonSettingsDlg& d) { d.DefaultIconClick(); });
  EXPECT_EQ(f.B().Entry().iconPath, "");
}

TEST(SettingsDialog, OkTakesAPathThatLeadsToAFileAndKeepsItAsTyped) {
  Fixture f;
  f.folder.Write("Apps\\calc.exe", "binary");
  f.environment.variables["APPS"] = f.folder.Path("Apps");
  SettingsWindow nowhere;
  nowhere.texts = {{SettingsField::kPath, "%NOPE%\\calc.exe"}};
  OpenSettings(f, nowhere, [](TButtonSettingsDlg& d) { d.OKClick(); });
  EXPECT_EQ(f.prompter.Texts().back(), "ファイル（ディレクトリ）が存在しません！！");
  EXPECT_EQ(f.B().Entry().path, "");

  SettingsWindow ok;
  ok.texts = {{SettingsField::kPath, "%APPS%\\calc.exe"}};
  OpenSettings(f, ok, [](TButtonSettingsDlg& d) { d.OKClick(); });
  EXPECT_EQ(f.B().Entry().path, "%APPS%\\calc.exe");
  EXPECT_NE(f.PageText("User11.dat").find("ProgPath=%APPS%\\calc.exe\r\n"), std::string::npos);
  EXPECT_NE(f.PageText("User11.dat").find("ProgDir=%APPS%\r\n"), std::string::npos);
}

// A refused key keeps the dialog open and changes nothing; a taken one is kept in its
// text form with the switch and the pause, and the dialog shows them again.
TEST(SettingsDialog, ARefusedKeyKeepsTheDialogOpenAndATakenOneIsStoredInItsTextForm) {
  Fixture f;
  f.folder.Write("DATA/User11.dat",
                 Lines({"[Button7]", "ProgPath=C:\\seven.exe", "ProgTitle=seven", "HotKey=Ctrl+Alt+S"}));
  f.folder.Write("p.exe", "binary");
  const std::string program = f.folder.Path("p.exe");
  const std::pair<const char*, std::string> refused[] = {
      {"Ctrl+NoKey", "「Ctrl+NoKey」はﾎｯﾄｷｰとして読み取れません。\r\n例: Alt+Ctrl+E"},
      {"Shift+F9", "ﾎｯﾄｷｰにはCtrl、AltまたはWindowsを含めてください。"},
      {"ctrl+alt+s", "Alt+Ctrl+Sは 1ﾍﾟｰｼﾞの「seven」で既に使用されています。"},
  };
  for (const auto& [typed, why] : refused) {
    SettingsWindow w;
    w.texts = {{SettingsField::kPath, program}, {SettingsField::kTitle, "p"}, {SettingsField::kHotKey, typed}};
    OpenSettings(f, w, [](TButtonSettingsDlg& d) { d.OKClick(); });
    EXPECT_EQ(w.closed, 0) << typed;
    EXPECT_EQ(f.prompter.boxes.back().kind, "information");
    EXPECT_EQ(f.prompter.boxes.back().text, why);
    EXPECT_EQ(w.focused, SettingsField::kHotKey) << "the keyboard back in the key's field";
    EXPECT_EQ(f.B().Entry().path, "") << typed;
  }

  SettingsWindow ok;
  ok.texts = {
      {SettingsField::kPath, program}, {SettingsField::kHotKey, "shift+ctrl+e"}, {SettingsField::kStartDelay, "70000"}};
  OpenSettings(f, ok, [&](TButtonSettingsDlg& d) {
    ok.checked[SettingsCheck::kSwitch] = ok.checked[SettingsCheck::kFolderMenu] = true;  // checked by the user
    d.OKClick();
  });
  EXPECT_EQ(ok.closed, 1);
  EXPECT_NE(
      f.PageText("User11.dat").find("HotKey=Ctrl+Shift+E\r\nSwitchIfRunning=1\r\nStartDelay=60000\r\nFolderMenu=1\r\n"),
      std::string::npos);
  SettingsWindow again = OpenSettings(f, nullptr);
  EXPECT_EQ(again.texts[SettingsField::kHotKey], "Ctrl+Shift+E");
  EXPECT_EQ(again.texts[SettingsField::kStartDelay], "60000");
  EXPECT_TRUE(again.checked[SettingsCheck::kSwitch]);
  EXPECT_TRUE(again.checked[SettingsCheck::kFolderMenu]);

  // Switched off, its key goes: a page without the setting stays as it was.
  SettingsWindow off;
  OpenSettings(f, off, [&](TButtonSettingsDlg& d) {
    off.checked[SettingsCheck::kFolderMenu] = false;
    d.OKClick();
  });
  EXPECT_EQ(f.PageText("User11.dat").find("FolderMenu"), std::string::npos);
}
