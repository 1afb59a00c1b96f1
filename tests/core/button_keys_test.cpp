#include <gtest/gtest.h>

#include "launch/button_keys.h"
#include "launch/button_keys_texts.h"
#include "ports/hot_key_registrar.h"
#include "support.h"

using core::KeyComboOf;
using testing_support::FakeGlobalKeys;
using testing_support::FakeRunningPrograms;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace t = core::texts;

TEST(ButtonKeys, TextsReadAsKeysAndTheRulesRefuseWhatNoButtonMayHave) {
  struct Case {
    std::string text;
    const char* form;  // the text form it is kept in; "" when it names no key
    std::string refusal;
  };
  const Case cases[] = {
      {"", "", ""},
      {"(なし)", "", ""},
      {"ctrl+shift+f9", "Ctrl+Shift+F9", ""},
      {"Shift+Ctrl+Alt+Windows+Z", "Windows+Alt+Ctrl+Shift+Z", ""},
      {"Ctrl+Alt+E", "Alt+Ctrl+E", ""},
      {"Windows+Num5", "Windows+Num5", ""},
      {"Alt+Num+", "Alt+Num+", ""},
      {"Ctrl+5", "Ctrl+5", ""},
      {"Ctrl+NoKey", "", "「Ctrl+NoKey」はﾎｯﾄｷｰとして読み取れません。\r\n例: Alt+Ctrl+E"},
      {"Ctrl+Shift", "", "「Ctrl+Shift」はﾎｯﾄｷｰとして読み取れません。\r\n例: Alt+Ctrl+E"},
      {"F9", "F9", t::kKeyWithoutModifier},
      {"Shift+F9", "Shift+F9", t::kKeyWithoutModifier},
      {"Ctrl+F12", "Ctrl+F12", t::kKeyF12},
      {"Windows+5", "Windows+5", t::kKeyWindowsDigit},
  };
  for (const Case& c : cases) {
    const auto key = KeyComboOf(c.text);
    EXPECT_EQ(key ? core::KeyComboText(*key) : "", c.form) << c.text;
    EXPECT_EQ(core::KeyRuleRefusal(c.text), c.refusal) << c.text;
  }
}

// Pages 1..3; a button holds its key only with a program.
TEST(ButtonKeys, TheFirstHolderHasAKeyOnlyChangesAreRegisteredAndProblemsAreToldOnce) {
  std::vector<core::Page> pages(3);
  auto put = [&](int page, int k, const std::string& key, const std::string& title) {
    core::ButtonEntry& entry = pages[static_cast<size_t>(page - 1)].buttons[static_cast<size_t>(k - 1)];
    entry.title = title;
    entry.path = "C:\\" + title + ".exe";
    entry.hotKey = key;
  };
  put(1, 3, "Ctrl+Alt+A", "a");
  put(2, 1, "ctrl+alt+a", "sec%sond");  // a title that reads like a place for a text
  put(2, 2, "Ctrl+Shift+F5", "hide");
  put(3, 9, "Ctrl+NoKey", "bad");
  put(3, 10, "Ctrl+Alt+B", "b");
  pages[0].buttons[4].hotKey = "Ctrl+Alt+C";  // no program
  FakeGlobalKeys keys;
  keys.taken = {{core::kModControl | core::kModAlt, 'B'}};
  core::ButtonHotKeys buttonKeys;
  buttonKeys.SetPort(&keys);
  buttonKeys.Use(pages, {*KeyComboOf("Ctrl+Shift+F5")});
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"+19 3 65", "+58 3 66"}));  // page * 16 + button
  EXPECT_EQ(buttonKeys.ButtonOf(19), (std::pair{1, 3}));
  EXPECT_FALSE(buttonKeys.ButtonOf(58)) << "refused by the system";
  for (auto [page, k] : {std::pair{2, 1}, {2, 2}, {3, 9}, {3, 10}}) EXPECT_TRUE(buttonKeys.Refused(page, k));
  EXPECT_FALSE(buttonKeys.Refused(1, 3));
  EXPECT_EQ(buttonKeys.TakeNotice(),
            Lines({"次のﾎｯﾄｷｰは使用できません。", "", "ctrl+alt+a（2ﾍﾟｰｼﾞ「sec%sond」）: 1ﾍﾟｰｼﾞ「a」と同じです",
                   "Ctrl+Shift+F5（2ﾍﾟｰｼﾞ「hide」）: 「ﾒｲﾝｳｨﾝﾄﾞｳの表示非表示」のﾎｯﾄｷｰと同じです",
                   "Ctrl+NoKey（3ﾍﾟｰｼﾞ「bad」）: ﾎｯﾄｷｰとして読み取れません"}) +
                "Ctrl+Alt+B（3ﾍﾟｰｼﾞ「b」）: 他のﾌﾟﾛｸﾞﾗﾑが使用しています");

  // The same pages again: only the refused key is tried again, and nothing is told twice.
  keys.calls.clear();
  buttonKeys.Use(pages, {*KeyComboOf("Ctrl+Shift+F5")});
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"+58 3 66"}));
  EXPECT_EQ(buttonKeys.TakeNotice(), "");

  // The key moves to the second button: withdrawn from the first before it is given.
  keys.calls.clear();
  pages[0].buttons[2].hotKey.clear();
  buttonKeys.Use(pages, {*KeyComboOf("Ctrl+Shift+F5")});
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"-19", "+33 3 65", "+58 3 66"}));

  // Another program holds the first key a button is given; the refusal comes back
  // after the button was given another key under the same identifier, which stands.
  keys.holdAnswers = true;
  keys.taken.insert({core::kModControl | core::kModAlt, 'D'});
  pages[0].buttons[2].hotKey = "Ctrl+Alt+D";
  buttonKeys.Use(pages, {*KeyComboOf("Ctrl+Shift+F5")});
  pages[0].buttons[2].hotKey = "Ctrl+Alt+E";
  buttonKeys.Use(pages, {*KeyComboOf("Ctrl+Shift+F5")});
  keys.Answer();
  EXPECT_EQ(buttonKeys.KeyOf(19), KeyComboOf("Ctrl+Alt+E"));
  EXPECT_FALSE(buttonKeys.Refused(1, 3));
  keys.calls.clear();
  buttonKeys.SetPort(nullptr);
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"-19", "-33"}));
}

// Button 3 of page 2 has Ctrl+Shift+F9 while page 1 shows.
TEST(ButtonKeys, APressActivatesItsButtonWhereverItIsAndFollowsTheFile) {
  LauncherFixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=3", "Sound=1", "BtnClk=1", "Hot=1", "HotKey=Ctrl+Shift+F5"}));
  const std::string page2 = f.folder.Path("DATA/User12.dat");
  f.folder.Write("DATA/User12.dat",
                 Lines({"[Button3]", "ProgPath=C:\\rec.exe", "ProgOption=three", "HotKey=Ctrl+Shift+F9"}));
  f.Launcher().FormCreate();
  FakeGlobalKeys keys;
  f.Launcher().SetGlobalKeys(&keys);
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"+35 6 120"}));

  f.view.shown = false;
  f.Launcher().HotKeyPressed(35);
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.shell.requests[0].file, "C:\\rec.exe");
  EXPECT_EQ(f.shell.requests[0].parameters, "three");
  EXPECT_EQ(f.sound.played.size(), 1u) << "page 2's file holds the program";
  EXPECT_EQ(std::tuple(f.view.shows, f.view.hides, f.Current().PageNo), std::tuple(0, 0, 1)) << "stays hidden";
  f.view.shown = true;
  f.Launcher().HotKeyPressed(35);
  EXPECT_EQ(std::tuple(f.shell.requests.size(), f.view.hides), std::tuple(2u, 1));
  f.Launcher().HotKeyPressed(36);
  EXPECT_EQ(f.shell.requests.size(), 2u) << "an identifier not given out";

  // What may not be a key: another button's (by page and title) and the show/hide key.
  EXPECT_EQ(f.Launcher().Editor().KeyRefusal(1, "ctrl+shift+f9"),
            "Ctrl+Shift+F9は 2ﾍﾟｰｼﾞの「rec.exe」で既に使用されています。");
  EXPECT_EQ(f.Launcher().Editor().KeyRefusal(1, "Ctrl+Shift+F5"),
            "Ctrl+Shift+F5はｵﾌﾟｼｮﾝ設定の「ﾒｲﾝｳｨﾝﾄﾞｳの表示非表示」のﾎｯﾄｷｰです。");
  EXPECT_EQ(f.Launcher().Editor().KeyRefusal(1, "Ctrl+Alt+F9"), "");

  // A dialog holds changes from elsewhere back: the key has moved to button 4 in the
  // file. A press starts nothing and registers the keys as they are now.
  f.folder.Write("DATA/User12.dat", Lines({"[Button3]", "ProgPath=C:\\rec.exe", "[Button4]", "ProgPath=C:\\four.exe",
                                           "HotKey=Ctrl+Shift+F9"}));
  keys.calls.clear();
  f.Launcher().HotKeyPressed(35);
  EXPECT_EQ(f.shell.requests.size(), 2u) << "button 3 no longer has the key";
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"-35", "+36 6 120"}));

  // Another program gives the button F8 and the switch to its running program.
  keys.calls.clear();
  f.folder.Write("DATA/User12.dat",
                 Lines({"[Button3]", "ProgPath=C:\\rec.exe", "HotKey=Ctrl+Shift+F8", "SwitchIfRunning=1"}));
  f.Launcher().FilesChanged({page2});
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"-36", "+35 6 119"}));
  FakeRunningPrograms running;
  running.windows = {{"C:\\rec.exe", 7}};
  f.Launcher().SetRunningPrograms(&running);
  f.Launcher().HotKeyPressed(35);
  EXPECT_EQ(running.brought, (std::vector<std::uintptr_t>{7}));
  EXPECT_EQ(f.shell.requests.size(), 2u) << "switched, not started";
  running.windows.clear();
  f.Launcher().HotKeyPressed(35);
  EXPECT_EQ(f.shell.requests.size(), 3u) << "nothing runs: started";

  // The options give the show/hide key the button's key: the button lets go of it
  // before the show/hide key takes it, and is told so; given back, it has it again.
  core::Options options = f.Launcher().Hosts().options.CurrentOptions();
  options.HotKey = "Ctrl+Shift+F8";
  keys.calls.clear();
  EXPECT_TRUE(f.Launcher().Hosts().options.ApplyOptions(options));
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"-35", "flush"}));
  EXPECT_EQ(f.prompter.boxes.back().text,
            "次のﾎｯﾄｷｰは使用できません。\r\n\r\nCtrl+Shift+F8（2ﾍﾟｰｼﾞ「rec.exe」）: "
            "「ﾒｲﾝｳｨﾝﾄﾞｳの表示非表示」のﾎｯﾄｷｰと同じです");
  options.HotKey = "Ctrl+Shift+F5";
  keys.calls.clear();
  f.Launcher().Hosts().options.ApplyOptions(options);
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"flush", "+35 6 119"}));

  // Deleted from its page, the button's key is withdrawn.
  keys.calls.clear();
  f.Launcher().Command(core::command::kFwdButton);
  f.Launcher().Button(3).MouseDown(core::MouseButton::kMiddle);
  f.Launcher().Command(core::command::kDelete1);
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"-35"}));
  EXPECT_EQ(f.PageText("User12.dat").find("HotKey"), std::string::npos);
  f.Launcher().SetGlobalKeys(nullptr);  // before the keys go
}

// Whatever changes the user's pages, the keys follow, and no command has to ask for
// it: page 2's button 1 holds Ctrl+Alt+K (identifier 33) before each change.
TEST(ButtonKeys, TheKeysFollowEveryChangeOfTheUsersPages) {
  struct Case {
    const char* change;
    std::function<void(LauncherFixture&)> make;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"a button saved",
       [](LauncherFixture& f) {
         testing_support::SetPath(f.Launcher().Button(2), "C:\\two.exe");
         testing_support::Set(f.Launcher().Button(2), &core::ButtonEntry::hotKey, "Ctrl+Alt+J");
         f.Launcher().Editor().OnBtnUpdated(f.Launcher().Button(2));
       },
       {"+18 3 74"}},
      {"the page's data deleted",
       [](LauncherFixture& f) {
         f.Launcher().Command(core::command::kFwdButton);
         f.Launcher().Command(core::command::kDelete);
       },
       {"-33"}},
      {"another user", [](LauncherFixture& f) { f.Launcher().Hosts().users.SwitchUser(2, "User2"); }, {"-33", "flush"}},
      {"fewer pages",
       [](LauncherFixture& f) {
         f.view.pageCount = 1;
         f.Launcher().UpDown1Click();
       },
       {"-33"}},
      {"a page written elsewhere",
       [](LauncherFixture& f) {
         f.folder.Write("DATA/User12.dat", Lines({"[Button1]", "ProgPath=C:\\one.exe"}));
         f.Launcher().FilesChanged({f.folder.Path("DATA/User12.dat")});
       },
       {"-33"}},
  };
  for (const Case& c : cases) {
    LauncherFixture f;
    f.WriteSettings(Lines({"[User1]", "PageNoControl=2"}));
    f.folder.Write("DATA/User12.dat", Lines({"[Button1]", "ProgPath=C:\\one.exe", "HotKey=Ctrl+Alt+K"}));
    f.Launcher().FormCreate();
    FakeGlobalKeys keys;
    f.Launcher().SetGlobalKeys(&keys);
    ASSERT_EQ(keys.calls, (std::vector<std::string>{"+33 3 75"}));
    keys.calls.clear();
    c.make(f);
    EXPECT_EQ(keys.calls, c.calls) << c.change;
    f.Launcher().SetGlobalKeys(nullptr);
  }
}
