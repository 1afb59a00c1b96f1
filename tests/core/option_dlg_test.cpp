#include <gtest/gtest.h>

#include <map>

#include "components/wait_hot_key.h"
#include "option/option_dlg.h"
#include "support.h"

using core::OptionBox;
using testing_support::FakeRegistrar;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

// The options dialog as the tests see it.
class FakeOptionView : public core::OptionDlgView {
 public:
  bool Checked(OptionBox box) const override { return checked.count(box) && checked.at(box); }
  void SetChecked(OptionBox box, bool on) override { checked[box] = on; }
  void EnableBox(OptionBox box, bool on) override { enabled[box] = on; }
  std::string HotKeyText() const override { return hotKeyText; }
  void SetHotKeyText(const std::string& text) override { hotKeyText = text; }
  void SetKeyList(const std::vector<std::string>& names) override { keys = names; }
  int KeyIndex() const override { return keyIndex; }
  void SelectKey(int index) override { keyIndex = index; }
  void SetColourList(const std::vector<std::string>& names) override { colours = names; }
  int ColourIndex() const override { return colourIndex; }
  void SelectColour(int index) override { colourIndex = index; }
  std::optional<std::string> ChooseSoundFile(const std::string& folder) override {
    soundFolders.push_back(folder);
    return soundFile;
  }
  void ShowModal() override {
    ++shown;
    if (whileShown) whileShown();
  }
  void Close() override { ++closed; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }

  // The user clicks a box: it changes, then its handler runs.
  void Click(core::TOptionDlg& dialog, OptionBox box) {
    checked[box] = !Checked(box);
    dialog.BoxClicked(box);
  }

  std::map<OptionBox, bool> checked, enabled;
  std::string hotKeyText;
  std::vector<std::string> keys, colours;
  int keyIndex = -1, colourIndex = -1, shown = 0, closed = 0;
  std::vector<std::string> soundFolders;
  std::optional<std::string> soundFile;
  std::optional<core::PanelColour> colour;
  std::function<void()> whileShown;
};

// A started launcher with its hot key and options dialog.
struct Fixture : LauncherFixture {
  explicit Fixture(const std::vector<std::string>& settings = {}) {
    WriteSettings(Lines(settings));
    Launcher().SetComponents(nullptr, &hotKey);
    dialogs.options = &dialog;
    Launcher().FormCreate();
    dialog.FormCreate();
  }
  std::string UserSection() {
    std::string text = SettingsText();
    size_t at = text.find("[User1]");
    if (at == std::string::npos) return "";
    return text.substr(at, text.find("\r\n\r\n", at) + 4 - at);
  }
  FakeRegistrar registrar;
  core::TWaitHotKey hotKey{registrar, prompter};
  FakeOptionView options;
  core::TOptionDlg dialog{options, Launcher().Hosts().options, hotKey, files, prompter};
};

}  // namespace

TEST(OptionList, TheKeyListHas135NamesWithAAt40AndTheColoursInOrder) {
  const auto& keys = core::KeyListNames();
  ASSERT_EQ(keys.size(), 135u);
  EXPECT_EQ(keys[0], "Cancel");
  EXPECT_EQ(keys[9], "ESC");
  EXPECT_EQ(keys[40], "A");
  EXPECT_EQ(keys[65], "Z");
  EXPECT_EQ(keys[66], "Apps");
  EXPECT_EQ(keys.back(), "Oem_Clear");
  for (const char* left : {"LButton", "Shift", "Ctrl", "Menu", "LWinKey", "RMenu", "AltShit"})
    EXPECT_EQ(std::find(keys.begin(), keys.end(), left), keys.end()) << left;
  Fixture f;
  EXPECT_EQ(f.options.keys.size(), 135u);
  ASSERT_EQ(f.options.colours.size(), 10u);
  EXPECT_EQ(f.options.colours[7], "SkyBlue");
}

TEST(OptionDialog, AFreshSettingsFileOpensWithTheDefaultsAndTheHidingBoxesOff) {
  Fixture f;
  // Before the first opening every box is off, and the hiding boxes are disabled.
  EXPECT_FALSE(f.options.enabled[OptionBox::kBtnClk]);
  f.Launcher().Command(core::command::kOption);
  EXPECT_EQ(f.options.shown, 1);
  EXPECT_FALSE(f.options.Checked(OptionBox::kMouse));
  EXPECT_TRUE(f.options.Checked(OptionBox::kTray));
  EXPECT_FALSE(f.options.Checked(OptionBox::kHot));
  EXPECT_TRUE(f.options.Checked(OptionBox::kAlt));
  EXPECT_TRUE(f.options.enabled[OptionBox::kBtnClk]);
  EXPECT_EQ(f.options.hotKeyText, "Alt+A");
  EXPECT_EQ(f.options.keyIndex, 40);
  EXPECT_EQ(f.options.colourIndex, 0);
  EXPECT_TRUE(f.registrar.calls.size() <= 2);  // Hot is off: nothing registered
  EXPECT_FALSE(f.hotKey.Registered());
}

TEST(OptionDialog, WithoutADisplayModeTheHidingOptionsAreOffAndDisabled) {
  Fixture f({"[User1]", "Tray=0", "BtnClk=1", "TitleDbClk=1"});
  f.Launcher().Command(core::command::kOption);
  EXPECT_FALSE(f.options.Checked(OptionBox::kBtnClk));  // unchecked again by the rule
  EXPECT_FALSE(f.options.Checked(OptionBox::kTitleDbClk));
  EXPECT_FALSE(f.options.enabled[OptionBox::kBtnClk]);
  f.options.Click(f.dialog, OptionBox::kMouse);
  EXPECT_TRUE(f.options.enabled[OptionBox::kBtnClk]);
  EXPECT_FALSE(f.options.Checked(OptionBox::kBtnClk));
  f.options.Click(f.dialog, OptionBox::kMouse);
  f.dialog.OKButtonClick();
  std::string saved = f.UserSection();
  EXPECT_NE(saved.find("BtnClk=0\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("TitleDbClk=0\r\n"), std::string::npos);
}

TEST(OptionDialog, ModifierBoxesAndTheKeyListEditTheHotKeyText) {
  Fixture f;
  f.Launcher().Command(core::command::kOption);
  f.dialog.ComboBox1Change("A");
  f.options.Click(f.dialog, OptionBox::kAlt);  // off
  f.options.Click(f.dialog, OptionBox::kCtrl);
  f.options.Click(f.dialog, OptionBox::kShift);
  EXPECT_EQ(f.options.hotKeyText, "Ctrl+Shift+A");
  f.options.Click(f.dialog, OptionBox::kAlt);
  EXPECT_EQ(f.options.hotKeyText, "Alt+Ctrl+Shift+A");
  f.dialog.ComboBox1Change("f5");
  EXPECT_EQ(f.options.hotKeyText, "Alt+Ctrl+Shift+F5");
  f.dialog.ComboBox1Change("");  // cleared, or a text that is no key
  EXPECT_EQ(f.options.hotKeyText, "(なし)");
  f.dialog.ComboBox1Change("Nonsense");
  EXPECT_EQ(f.options.hotKeyText, "(なし)");

  // Cancel puts the stored options back, the hot key's modifiers with them.
  f.dialog.CancelButtonClick();
  EXPECT_EQ(f.options.closed, 1);
  EXPECT_EQ(f.options.hotKeyText, "Alt+A");
  EXPECT_TRUE(f.options.Checked(OptionBox::kAlt));
  EXPECT_FALSE(f.options.Checked(OptionBox::kCtrl));
  EXPECT_FALSE(f.hotKey.KeyAssign().hkCtrl());
  EXPECT_EQ(f.SettingsText().find("Mouse="), std::string::npos);  // nothing written
}

TEST(OptionDialog, OkSavesTheTwelveKeysInOrderAndRegistersTheHotKey) {
  Fixture f({"[User1]", "Hot=2", "HotKey=Alt+A", "Sound=2"});
  f.Launcher().Command(core::command::kOption);
  f.options.Click(f.dialog, OptionBox::kAlt);
  f.options.Click(f.dialog, OptionBox::kCtrl);
  f.options.Click(f.dialog, OptionBox::kShift);
  f.dialog.ComboBox1Change("F5");
  f.options.keyIndex = 97;
  f.options.colourIndex = 7;
  f.registrar.calls.clear();
  f.dialog.OKButtonClick();
  EXPECT_EQ(f.options.closed, 1);
  EXPECT_EQ(f.UserSection(), Lines({"[User1]", "Hot=1", "HotKey=Ctrl+Shift+F5", "Sound=1", "PageNoControl=1",
                                    "ToDir=C:\\Desktop", "PageNo=1", "Mouse=0", "Tray=1", "Shift=1", "Ctrl=1", "Alt=0",
                                    "Key=97", "FormColor=7", "BtnClk=0", "TitleDbClk=0", ""}));
  EXPECT_TRUE(f.hotKey.Registered());
  EXPECT_EQ(f.registrar.calls.back(),
            "register " + std::to_string(FakeRegistrar::kAtom) + " 6 " + std::to_string(0x74));
  EXPECT_EQ(f.view.colour, (core::PanelColour{core::PanelColour::Kind::kFixed, {166, 202, 240}}));

  // A press of the hot key toggles the window; shown, the keyboard is on the first
  // button that holds a program (button 1 when none does).
  f.hotKey.HotKeyWindowProc(core::kWmHotKey);
  EXPECT_FALSE(f.view.shown);
  f.hotKey.HotKeyWindowProc(core::kWmHotKey);
  EXPECT_EQ(std::tuple(f.view.shown, f.view.focused), std::tuple(true, 1));
  f.Launcher().Button(4).FilesDropped({"C:\\four.exe"});
  f.hotKey.HotKeyWindowProc(core::kWmHotKey);
  f.hotKey.HotKeyWindowProc(core::kWmHotKey);
  EXPECT_EQ(f.view.focused, 4);
}

TEST(OptionDialog, HotKeyErrorsAreShownAndTheDialogClosesAllTheSame) {
  Fixture f({"[User1]", "Hot=1"});
  f.Launcher().Command(core::command::kOption);
  f.options.hotKeyText = "Windows+F5";  // typed straight into the text box
  f.registrar.refuse = true;
  f.prompter.boxes.clear();
  f.dialog.OKButtonClick();
  EXPECT_EQ(f.options.closed, 1);
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "error");
  EXPECT_EQ(f.prompter.boxes[0].text, "ホットキーが登録できません(Windows+F5)");
  EXPECT_NE(f.UserSection().find("HotKey=Windows+F5\r\n"), std::string::npos);
  EXPECT_FALSE(f.hotKey.Registered());
}

TEST(OptionDialog, SwitchingTheHotKeyOffOrClearingItWithdrawsTheRegistration) {
  Fixture f({"[User1]", "Hot=1", "HotKey=Ctrl+F5"});
  EXPECT_TRUE(f.hotKey.Registered());
  f.WriteSettings(Lines({"[User1]", "Hot=0", "HotKey=Ctrl+F5"}));
  f.Launcher().FilesChanged({f.folder.Path("zubi.ini")});  // taken in as written elsewhere
  EXPECT_FALSE(f.hotKey.Registered());
  EXPECT_FALSE(f.hotKey.Enabled());

  f.WriteSettings(Lines({"[User1]", "Hot=1", "HotKey=Ctrl+F5"}));
  f.Launcher().FilesChanged({f.folder.Path("zubi.ini")});  // taken in as written elsewhere
  EXPECT_TRUE(f.hotKey.Registered());
  f.Launcher().Command(core::command::kOption);
  f.dialog.ComboBox1Change("");
  f.dialog.OKButtonClick();
  EXPECT_NE(f.UserSection().find("HotKey=(なし)\r\n"), std::string::npos);
  EXPECT_FALSE(f.hotKey.Registered());
}

TEST(OptionDialog, OutOfRangeValuesLeaveTheListsWithoutSelectionAndTheColoursAlone) {
  Fixture f({"[User1]", "Key=135", "FormColor=-3", "HotKey=" + std::string(10000, '+')});
  f.Launcher().Command(core::command::kOption);
  EXPECT_EQ(f.options.keyIndex, -1);
  EXPECT_EQ(f.options.colourIndex, -1);
  EXPECT_FALSE(f.options.colour);
  EXPECT_TRUE(f.prompter.boxes.empty());
}

TEST(StartSound, TheImportCopiesAWaveFileAndRefusesAnythingElse) {
  Fixture f({"[User1]", "ToDir=" + std::string("/music")});
  f.folder.Write("start.wav", std::string("RIFF\x04\0\0\0WAVEold", 15));
  f.folder.Write("chime.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + "new");
  f.folder.Write("notes.txt", "just text");
  f.options.soundFile = f.folder.Path("notes.txt");
  f.dialog.SelectSndButtonClick();
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].text.rfind(f.folder.Path("notes.txt") + " はWAVファイルではありません。", 0), 0u);
  EXPECT_EQ(f.folder.Read("start.wav"), std::string("RIFF\x04\0\0\0WAVEold", 15));

  f.options.soundFile = f.folder.Path("chime.wav");
  f.dialog.SelectSndButtonClick();
  EXPECT_EQ(f.prompter.boxes.back().text, "起動音ﾌｧｲﾙを取り込みました。");
  EXPECT_EQ(f.folder.Read("start.wav"), f.folder.Read("chime.wav"));
  EXPECT_EQ(f.options.soundFolders, (std::vector<std::string>{"/music", "/music"}));

  f.options.soundFile = std::nullopt;  // cancelled
  f.dialog.SelectSndButtonClick();
  EXPECT_EQ(f.prompter.boxes.size(), 2u);
}
