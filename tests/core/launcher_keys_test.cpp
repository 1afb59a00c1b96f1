#include <gtest/gtest.h>

#include <set>

#include "support.h"

using core::KeyAction;
using core::KeyCommand;
using core::ShiftState;
using core::TProgState;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

constexpr ShiftState kNone{};
constexpr ShiftState kCtrl{false, true, false};
constexpr ShiftState kCtrlShift{true, true, false};
constexpr ShiftState kCtrlAlt{false, true, true};

struct Fixture : LauncherFixture {
  explicit Fixture(const std::string& options = "") {
    WriteSettings(Lines({"[User1]", "PageNoControl=3"}) + options);
    Launcher().FormCreate();
  }
  core::TLaunchButton& B(int k) { return Launcher().Button(k); }
  // Registered and saved on the current page.
  void Register(int k, const std::string& path) {
    testing_support::SetPath(B(k), path);
    Launcher().Editor().OnBtnUpdated(B(k));
  }
  bool Key(int key, ShiftState shift = kCtrl, bool repeat = false) { return Launcher().KeyDown({key, shift, repeat}); }
};

}  // namespace

TEST(LauncherKeys, CtrlDigitsStartTheTenButtonsCtrlPageKeysMoveAPageAndCtrlFFinds) {
  struct Case {
    int key;
    ShiftState shift;
    std::optional<KeyCommand> command;
  };
  const Case cases[] = {
      {'1', kCtrl, KeyCommand{KeyAction::kStartButton, 1}},
      {'5', kCtrl, KeyCommand{KeyAction::kStartButton, 5}},
      {'9', kCtrl, KeyCommand{KeyAction::kStartButton, 9}},
      {'0', kCtrl, KeyCommand{KeyAction::kStartButton, 10}},
      {core::kKeyPageDown, kCtrl, KeyCommand{KeyAction::kNextPage, 0}},
      {core::kKeyPageUp, kCtrl, KeyCommand{KeyAction::kPreviousPage, 0}},
      {'F', kCtrl, KeyCommand{KeyAction::kFind, 0}},
      {core::kKeyF3, kNone, KeyCommand{KeyAction::kFind, 0}},
      {'F', kNone, std::nullopt},
      {core::kKeyF3, ShiftState{true, false, false}, std::nullopt},
      // Plain digits are text; other modifiers belong to others (AltGr is Ctrl+Alt).
      {'3', kNone, std::nullopt},
      {'3', ShiftState{true, false, false}, std::nullopt},
      {'3', kCtrlShift, std::nullopt},
      {'3', kCtrlAlt, std::nullopt},
      {core::kKeyPageDown, kNone, std::nullopt},
      {core::kKeyPageUp, kCtrlShift, std::nullopt},
      // Ctrl with letters stays with the pop-up menu's shortcuts; the keypad is not bound.
      {'A', kCtrl, std::nullopt},
      {'C', kCtrl, std::nullopt},
      {0x63, kCtrl, std::nullopt},
  };
  for (const Case& c : cases) {
    const core::KeyBinding* binding = core::KeyBindingOf(c.key, c.shift);
    SCOPED_TRACE(c.key);
    ASSERT_EQ(binding != nullptr, c.command.has_value());
    if (binding) {
      EXPECT_EQ(binding->command, *c.command);
    }
  }
  // One binding per key, and each of the ten buttons has its key.
  std::set<int> keys, buttons;
  for (const core::KeyBinding& b : core::LauncherKeyBindings()) {
    EXPECT_TRUE(keys.insert(b.key).second) << b.key;
    if (b.command.action == KeyAction::kStartButton) buttons.insert(b.command.button);
  }
  EXPECT_EQ(buttons, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(LauncherKeys, AStartKeyDoesWhatAClickDoesSoundStartAndHiding) {
  Fixture f(Lines({"Sound=1", "BtnClk=1"}));
  f.Register(3, "C:\\Tools\\three.exe");
  testing_support::Set(f.B(3), &core::ButtonEntry::option, "-x \"y z\"");
  testing_support::Set(f.B(3), &core::ButtonEntry::dir, "C:\\Work");
  testing_support::Set(f.B(3), &core::ButtonEntry::state, TProgState::psMaximized);
  testing_support::SetPath(f.B(10), "C:\\ten.exe");  // in memory only, as a click would find it

  EXPECT_TRUE(f.Key('3'));
  ASSERT_EQ(f.shell.requests.size(), 1u);
  const core::ShellRequest& r = f.shell.requests[0];
  EXPECT_EQ(std::tuple(r.owner, r.verb, r.file, r.parameters, r.directory, r.showCommand, r.elevated),
            std::tuple(0x5678u, "open", "C:\\Tools\\three.exe", "-x \"y z\"", "C:\\Work", 3, false));
  EXPECT_EQ(f.sound.played, std::vector<std::string>{f.folder.Path("start.wav")});
  EXPECT_FALSE(f.view.shown) << "BtnClk hides the window after the start";

  // A click on a button the page file does not hold plays nothing; so does its key.
  f.view.shown = true;
  EXPECT_TRUE(f.Key('0'));
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[1].file, "C:\\ten.exe");
  EXPECT_EQ(f.sound.played.size(), 1u);

  // An empty button: nothing starts and the window stays, as for a click.
  f.view.shown = true;
  EXPECT_TRUE(f.Key('1'));
  EXPECT_EQ(f.shell.requests.size(), 2u);
  EXPECT_TRUE(f.view.shown);
}

TEST(LauncherKeys, AHeldStartKeyStartsOnceButIsStillTakenFromTheTitleBox) {
  Fixture f;
  f.Register(2, "C:\\two.exe");
  EXPECT_TRUE(f.Key('2'));
  EXPECT_TRUE(f.Key('2', kCtrl, true));
  EXPECT_TRUE(f.Key('2', kCtrl, true));
  EXPECT_EQ(f.shell.requests.size(), 1u);
  EXPECT_FALSE(f.Key('2', kNone)) << "a plain digit goes on to the title box";
  EXPECT_FALSE(f.Key('2', kCtrlShift));
  EXPECT_EQ(f.shell.requests.size(), 1u);
}

TEST(LauncherKeys, PageKeysMoveAsTheSingleStepsDoWrappingAtTheEnds) {
  Fixture f;
  f.Register(1, "C:\\first-page.exe");
  EXPECT_TRUE(f.Key(core::kKeyPageDown));
  EXPECT_EQ(f.Current().PageNo, 2);
  EXPECT_EQ(f.Current().CaptionText, "User1 - Page 2/3");
  EXPECT_TRUE(f.B(1).Entry().path.empty()) << "page 2 is loaded";
  EXPECT_TRUE(f.Key(core::kKeyPageDown, kCtrl, true)) << "held, it goes on";
  EXPECT_EQ(f.Current().PageNo, 3);
  EXPECT_TRUE(f.Key(core::kKeyPageDown));
  EXPECT_EQ(f.Current().PageNo, 1);
  EXPECT_EQ(f.B(1).Entry().path, "C:\\first-page.exe");
  EXPECT_TRUE(f.Key(core::kKeyPageUp));
  EXPECT_EQ(f.Current().PageNo, 3);
  EXPECT_TRUE(f.Key(core::kKeyPageUp));
  EXPECT_EQ(f.Current().PageNo, 2);
  EXPECT_FALSE(f.Key(core::kKeyPageUp, kNone));
  EXPECT_EQ(f.Current().PageNo, 2);
  EXPECT_TRUE(f.shell.requests.empty());
}
