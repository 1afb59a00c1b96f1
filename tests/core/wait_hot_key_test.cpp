#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "components/key_names.h"
#include "components/wait_hot_key.h"
#include "fake_ports.h"
#include "support.h"

namespace {

using core::TKeyAssign;
using core::TWaitHotKey;

using testing_support::FakeRegistrar;

const std::string kId = std::to_string(FakeRegistrar::kAtom);

struct Component {
  FakeRegistrar registrar;
  testing_support::FakePrompter prompter;
  TWaitHotKey hotKey{registrar, prompter};
  int changes = 0, registered = 0, caught = 0;
  Component() {
    hotKey.OnChangeKey = [this](TWaitHotKey&) { ++changes; };
    hotKey.OnRegisterKey = [this](TWaitHotKey&) { ++registered; };
    hotKey.OnCatchHotKey = [this](TWaitHotKey&) { ++caught; };
    registrar.calls.clear();
  }
};

struct Flags {
  std::string key;
  bool shift, ctrl, alt, win;
  friend bool operator==(const Flags&, const Flags&) = default;
};

Flags FlagsOf(const TKeyAssign& a) { return {a.Key(), a.hkShift(), a.hkCtrl(), a.hkAlt(), a.hkWinKey()}; }

std::ostream& operator<<(std::ostream& out, const Flags& f) {
  return out << "key '" << f.key << "' shift " << f.shift << " ctrl " << f.ctrl << " alt " << f.alt << " win " << f.win;
}

TEST(KeyNames, TheTableHoldsItsHundredAndFiftyNamesAtTheirCodes) {
  const auto& names = core::KeyNames();
  int named = 0;
  for (auto name : names) named += !name.empty();
  EXPECT_EQ(named, 150);
  EXPECT_EQ(names[240], "AltShit");
  EXPECT_EQ(names[229], "Kanji");
  EXPECT_EQ(names[0], "");
  EXPECT_EQ(names[255], "");
  EXPECT_EQ(names[245], "");
  EXPECT_EQ(names[1], "LButton");
  EXPECT_EQ(names[27], "ESC");
  EXPECT_EQ(names[48], "0");
  EXPECT_EQ(names[65], "A");
  EXPECT_EQ(names[90], "Z");
  EXPECT_EQ(names[107], "Num+");
  EXPECT_EQ(names[112], "F1");
  EXPECT_EQ(names[135], "F24");
  EXPECT_EQ(names[136], "");
  EXPECT_EQ(names[192], "@");
  EXPECT_EQ(names[220], "\\");
  EXPECT_EQ(names[226], "_");
  EXPECT_EQ(names[254], "Oem_Clear");
}

TEST(KeyAssign, NamesBecomeCodesAndTheTablesSpellingIgnoringCase) {
  TKeyAssign a;
  struct Case {
    std::string name;
    int code;
    std::string normalised;
  };
  const Case cases[] = {
      {"", 0, ""},
      {"a", 65, "A"},
      {"F5", 116, "F5"},
      {"f5", 116, "F5"},
      {"esc", 27, "ESC"},
      {"oem_clear", 254, "Oem_Clear"},
      {"altshit", 240, "AltShit"},
      {"num+", 107, "Num+"},
      {"Shift", 16, "Shift"},
      {"nokey", -1, ""},
      {" A", -1, ""},
      {"Ａ", -1, ""},
      {"F25", -1, ""},
      {"Num", -1, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(a.KeyNameToCode(c.name), c.code) << c.name;
    EXPECT_EQ(a.NormalizeKeyName(c.name), c.normalised) << c.name;
  }
}

TEST(KeyAssign, EveryWriteReportsAChangeAndKeysAreNormalised) {
  TKeyAssign a;
  int changes = 0;
  a.OnChange = [&](TKeyAssign& sender) {
    EXPECT_EQ(&sender, &a);
    ++changes;
  };
  EXPECT_FALSE(a.CanUse());
  a.SetKey("f5");
  EXPECT_EQ(a.Key(), "F5");
  EXPECT_EQ(a.GetKeyCode(), 116);
  EXPECT_TRUE(a.CanUse());
  a.SetKey("nokey");
  EXPECT_EQ(a.Key(), "");
  EXPECT_FALSE(a.CanUse());
  EXPECT_EQ(a.GetKeyCode(), 0);
  EXPECT_EQ(changes, 2);
  a.SethkShift(true);
  a.SethkCtrl(true);
  a.SethkAlt(true);
  a.SethkWinKey(true);
  a.SethkWinKey(true);  // unchanged, still reported
  EXPECT_EQ(changes, 7);
  EXPECT_EQ(FlagsOf(a), (Flags{"", true, true, true, true}));
}

TEST(KeyAssign, AssignCopiesEverythingWithOneChangeAndKeepsTheTargetsHandler) {
  TKeyAssign source, target;
  source.SetKey("Z");
  source.SethkAlt(true);
  source.SethkWinKey(true);
  int sourceChanges = 0, targetChanges = 0;
  source.OnChange = [&](TKeyAssign&) { ++sourceChanges; };
  target.SethkCtrl(true);
  target.OnChange = [&](TKeyAssign& sender) {
    EXPECT_EQ(&sender, &target);
    EXPECT_EQ(FlagsOf(target), (Flags{"Z", false, false, true, true}));
    ++targetChanges;
  };
  target.Assign(source);
  EXPECT_EQ(targetChanges, 1);
  EXPECT_EQ(sourceChanges, 0);
  EXPECT_EQ(FlagsOf(target), FlagsOf(source));

  target.Assign(target);
  EXPECT_EQ(targetChanges, 2);
  EXPECT_EQ(FlagsOf(target), (Flags{"Z", false, false, true, true}));
}

TEST(WaitHotKey, ANewComponentHasNoKeyAndTakesAnAtomNamedAfterItsWindow) {
  FakeRegistrar registrar;
  testing_support::FakePrompter prompter;
  TWaitHotKey hotKey(registrar, prompter);
  EXPECT_EQ(hotKey.HotKey(), "(なし)");
  EXPECT_FALSE(hotKey.KeyAssign().CanUse());
  EXPECT_TRUE(hotKey.Enabled());
  EXPECT_FALSE(hotKey.Reentrant());
  EXPECT_FALSE(hotKey.Busy());
  EXPECT_FALSE(hotKey.Registered());
  EXPECT_EQ(hotKey.Identifier(), FakeRegistrar::kAtom);
  EXPECT_EQ(registrar.calls, std::vector<std::string>{"add 65602"});
}

TEST(WaitHotKey, AtomsThatAreTakenOrCannotBeMadeAreErrors) {
  testing_support::FakePrompter prompter;
  FakeRegistrar taken;
  taken.atoms.insert("65602");
  try {
    TWaitHotKey hotKey(taken, prompter);
    FAIL() << "no error";
  } catch (const core::EWaitHotKey_Atom& e) {
    EXPECT_STREQ(e.what(), "既存のアトムを使おうとしました(65602)");
  }
  EXPECT_TRUE(taken.calls.empty());

  FakeRegistrar full;
  full.canAddAtom = false;
  full.handleText = "4242";
  try {
    TWaitHotKey hotKey(full, prompter);
    FAIL() << "no error";
  } catch (const core::EWaitHotKey& e) {
    EXPECT_NE(dynamic_cast<const core::EWaitHotKey_Atom*>(&e), nullptr);
    EXPECT_STREQ(e.what(), "アトムが作成できません(4242)");
  }
  EXPECT_EQ(full.calls, std::vector<std::string>{"add 4242"});
}

TEST(WaitHotKey, DestructionWithdrawsTheRegistrationAndDeletesTheAtom) {
  FakeRegistrar registrar;
  testing_support::FakePrompter prompter;
  {
    TWaitHotKey hotKey(registrar, prompter);
    hotKey.SetHotKey("Alt+A");
    hotKey.RegisterKey();
    registrar.calls.clear();
  }
  EXPECT_EQ(registrar.calls, (std::vector<std::string>{"unregister " + kId, "delete " + kId}));
}

enum { kShift = 1, kCtrl = 2, kAlt = 4, kWin = 8 };

// Each case starts from Windows+Shift+Z, so that "changes nothing" shows.
TEST(WaitHotKey, TextFormsParseIntoTheAssignment) {
  struct Case {
    std::string text;
    const char* key;
    int modifiers;
    const char* readBack;
    int changes;
  };
  const std::string longName(10000, 'x');
  const Case cases[] = {
      {"alt+a", "A", kAlt, "Alt+A", 1},
      {"A", "A", 0, "A", 1},
      {"Shift+Ctrl+X", "X", kShift | kCtrl, "Ctrl+Shift+X", 1},
      {"shift+ctrl+alt+windows+z", "Z", kShift | kCtrl | kAlt | kWin, "Windows+Alt+Ctrl+Shift+Z", 1},
      {"Windows+Alt+Ctrl+Shift+F24", "F24", kShift | kCtrl | kAlt | kWin, "Windows+Alt+Ctrl+Shift+F24", 1},
      {"(なし)", "", 0, "(なし)", 1},
      {"Alt+NoKey", "", kAlt, "(なし)", 1},
      {"Alt+ A", "", kAlt, "(なし)", 1},
      {"Alt+B+C", "C", kAlt, "Alt+C", 1},
      {"A+Ctrl", "A", kCtrl, "Ctrl+A", 1},
      {"Alt+Menu", "Menu", kAlt, "Alt+Menu", 1},
      {"ALT+ESC", "ESC", kAlt, "Alt+ESC", 1},
      {"Ctrl+AltShit", "AltShit", kCtrl, "Ctrl+AltShit", 1},
      {"Alt+\\", "\\", kAlt, "Alt+\\", 1},
      {"Alt+-", "-", kAlt, "Alt+-", 1},
      {"Alt+Num+", "Num+", kAlt, "Alt+Num+", 1},
      {"ctrl+num+", "Num+", kCtrl, "Ctrl+Num+", 1},
      {"Num+", "Num+", 0, "Num+", 1},
      {"Alt+Num++", "", kAlt, "(なし)", 1},
      {"Alt+Num+A", "A", kAlt, "Alt+A", 1},
      {"Alt+" + longName, "", kAlt, "(なし)", 1},
      {longName, "", 0, "(なし)", 1},
      {"Alt+", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"Ctrl+Shift", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"Shift", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"Ctrl+Alt+Shift+Windows", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"+Alt+A", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"+A", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"Alt++A", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"Alt++", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"+", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {"+++", "Z", kShift | kWin, "Windows+Shift+Z", 0},
      {std::string(10000, '+'), "Z", kShift | kWin, "Windows+Shift+Z", 0},
  };
  for (const auto& c : cases) {
    Component k;
    k.hotKey.SetHotKey("Windows+Shift+Z");
    k.changes = 0;
    k.hotKey.SetHotKey(c.text);
    std::string shown = c.text.substr(0, 40);
    Flags expected{c.key, (c.modifiers & kShift) != 0, (c.modifiers & kCtrl) != 0, (c.modifiers & kAlt) != 0,
                   (c.modifiers & kWin) != 0};
    EXPECT_EQ(FlagsOf(k.hotKey.KeyAssign()), expected) << shown;
    EXPECT_EQ(k.hotKey.HotKey(), c.readBack) << shown;
    EXPECT_EQ(k.changes, c.changes) << shown;
    EXPECT_TRUE(k.registrar.calls.empty()) << shown << ": writing the text registers nothing";
  }
}

// "Shift" and "Ctrl" are always read as modifiers, so those two keys read back as a
// text without key, which changes nothing.
TEST(WaitHotKey, EveryKeyWithEveryModifierSurvivesItsTextFormButShiftAndCtrl) {
  const auto& names = core::KeyNames();
  int survived = 0, lost = 0;
  for (int code = 0; code < 256; ++code) {
    if (names[code].empty()) continue;
    for (int bits = 0; bits < 16; ++bits) {
      Component written;
      auto& a = written.hotKey.KeyAssign();
      a.SethkShift(bits & 1);
      a.SethkCtrl(bits & 2);
      a.SethkAlt(bits & 4);
      a.SethkWinKey(bits & 8);
      a.SetKey(std::string(names[code]));
      std::string text = written.hotKey.HotKey();
      Component read;
      read.hotKey.SetHotKey(text);
      if (code == 16 || code == 17) {
        EXPECT_EQ(read.hotKey.HotKey(), "(なし)") << text;
        EXPECT_EQ(read.changes, 0) << text;
        ++lost;
        continue;
      }
      EXPECT_EQ(FlagsOf(read.hotKey.KeyAssign()), FlagsOf(a)) << text;
      EXPECT_EQ(read.hotKey.HotKey(), text);
      EXPECT_EQ(read.hotKey.KeyAssign().GetKeyCode(), code) << text;
      ++survived;
    }
  }
  EXPECT_EQ(survived, 148 * 16);
  EXPECT_EQ(lost, 2 * 16);
}

TEST(WaitHotKey, TheTextFollowsEveryChangeOfTheAssignment) {
  Component k;
  auto& a = k.hotKey.KeyAssign();
  a.SethkAlt(true);
  EXPECT_EQ(k.hotKey.HotKey(), "(なし)") << "modifiers alone are no hot key";
  a.SetKey("a");
  EXPECT_EQ(k.hotKey.HotKey(), "Alt+A");
  a.SethkCtrl(true);
  a.SethkShift(true);
  EXPECT_EQ(k.hotKey.HotKey(), "Alt+Ctrl+Shift+A");
  a.SethkAlt(false);
  EXPECT_EQ(k.hotKey.HotKey(), "Ctrl+Shift+A");
  EXPECT_EQ(k.changes, 5);

  TKeyAssign other;
  other.SetKey("F5");
  other.SethkWinKey(true);
  k.hotKey.SetKeyAssign(other);
  EXPECT_EQ(k.hotKey.HotKey(), "Windows+F5");
  EXPECT_EQ(k.changes, 6);
  EXPECT_NE(&k.hotKey.KeyAssign(), &other);
}

TEST(WaitHotKey, RegisteringWithdrawsFirstThenRegistersTheMaskAndCode) {
  struct Case {
    std::string text;
    std::string call;
  };
  const Case cases[] = {
      {"Alt+A", "register " + kId + " 1 65"},
      {"Ctrl+A", "register " + kId + " 2 65"},
      {"Shift+A", "register " + kId + " 4 65"},
      {"Windows+A", "register " + kId + " 8 65"},
      {"Ctrl+Shift+F5", "register " + kId + " 6 116"},
      {"Windows+Alt+Ctrl+Shift+Oem_Clear", "register " + kId + " 15 254"},
      {"Num+", "register " + kId + " 0 107"},
  };
  for (const auto& c : cases) {
    Component k;
    k.hotKey.SetHotKey(c.text);
    k.hotKey.RegisterKey();
    EXPECT_EQ(k.registrar.calls, (std::vector<std::string>{"unregister " + kId, c.call})) << c.text;
    EXPECT_TRUE(k.hotKey.Registered());
    EXPECT_EQ(k.registered, 1);
  }
}

TEST(WaitHotKey, ARefusedCombinationIsAnErrorNamingItAndLeavesNothingRegistered) {
  Component k;
  k.hotKey.SetHotKey("Alt+A");
  k.hotKey.RegisterKey();
  k.hotKey.SetHotKey("shift+ctrl+f5");
  k.registrar.refuse = true;
  k.registrar.calls.clear();
  try {
    k.hotKey.RegisterKey();
    FAIL() << "no error";
  } catch (const core::EWaitHotKey_HotKey& e) {
    EXPECT_STREQ(e.what(), "ホットキーが登録できません(Ctrl+Shift+F5)");
  }
  EXPECT_EQ(k.registrar.calls, (std::vector<std::string>{"unregister " + kId, "register " + kId + " 6 116"}));
  EXPECT_FALSE(k.hotKey.Registered());
  EXPECT_EQ(k.registered, 1) << "only the successful registration is reported";
}

// An assignment that keeps names outside the table.
class AnyNameAssign : public TKeyAssign {
 public:
  std::string NormalizeKeyName(std::string_view name) const override { return std::string(name); }
};

TEST(WaitHotKey, AKeyOutsideTheTableIsAnErrorNamingItAndNotRegistered) {
  FakeRegistrar registrar;
  testing_support::FakePrompter prompter;
  TWaitHotKey hotKey(registrar, prompter, std::make_unique<AnyNameAssign>());
  int registered = 0;
  hotKey.OnRegisterKey = [&](TWaitHotKey&) { ++registered; };
  hotKey.SetHotKey("Alt+Bogus");
  registrar.calls.clear();
  try {
    hotKey.RegisterKey();
    FAIL() << "no error";
  } catch (const core::EWaitHotKey_HotKey& e) {
    EXPECT_STREQ(e.what(), "ホットキーが無効です(Alt+Bogus)");
  }
  EXPECT_EQ(registrar.calls, std::vector<std::string>{"unregister " + kId});
  EXPECT_EQ(registered, 0);
}

TEST(WaitHotKey, WithoutAKeyRegisteringOnlyWithdrawsTheEarlierRegistration) {
  for (std::string cleared : {"(なし)", "Alt+NoKey"}) {
    Component k;
    k.hotKey.SetHotKey("Alt+A");
    k.hotKey.RegisterKey();
    k.registrar.calls.clear();
    k.hotKey.SetHotKey(cleared);
    k.hotKey.RegisterKey();
    EXPECT_EQ(k.registrar.calls, std::vector<std::string>{"unregister " + kId}) << cleared;
    EXPECT_FALSE(k.hotKey.Registered());
    EXPECT_EQ(k.registered, 2);
  }
  Component modifiersOnly;
  modifiersOnly.hotKey.KeyAssign().SethkAlt(true);
  modifiersOnly.hotKey.RegisterKey();
  EXPECT_EQ(modifiersOnly.registrar.calls, std::vector<std::string>{"unregister " + kId});
  EXPECT_EQ(modifiersOnly.registered, 1);
}

TEST(WaitHotKey, UnregisteringWithdrawsAndIsHarmlessWhenNothingIsRegistered) {
  Component k;
  k.hotKey.UnregisterKey();
  k.hotKey.SetHotKey("Alt+A");
  k.hotKey.RegisterKey();
  k.hotKey.UnregisterKey();
  EXPECT_FALSE(k.hotKey.Registered());
  EXPECT_EQ(k.registrar.calls, (std::vector<std::string>{"unregister " + kId, "unregister " + kId,
                                                         "register " + kId + " 1 65", "unregister " + kId}));
}

TEST(WaitHotKey, PressesAreHandledWhenEnabledAndNotBusyUnlessReentrant) {
  struct Case {
    bool enabled, reentrant;
    int caughtIncludingNested;
  };
  // The handler presses again while it runs: the nested press counts only when
  // reentrant.
  const Case cases[] = {{true, false, 1}, {true, true, 2}, {false, false, 0}, {false, true, 0}};
  for (const auto& c : cases) {
    Component k;
    k.hotKey.SetEnabled(c.enabled);
    k.hotKey.SetReentrant(c.reentrant);
    int depth = 0;
    std::vector<bool> nestedHandled;
    k.hotKey.OnCatchHotKey = [&](TWaitHotKey& sender) {
      EXPECT_EQ(&sender, &k.hotKey);
      EXPECT_TRUE(sender.Busy());
      ++k.caught;
      if (depth++ == 0) nestedHandled.push_back(sender.HotKeyWindowProc(core::kWmHotKey));
    };
    bool handled = k.hotKey.HotKeyWindowProc(core::kWmHotKey);
    EXPECT_EQ(handled, c.enabled);
    EXPECT_EQ(k.caught, c.caughtIncludingNested) << c.enabled << c.reentrant;
    if (c.enabled) {
      EXPECT_EQ(nestedHandled, std::vector<bool>{c.reentrant});
    }
    EXPECT_FALSE(k.hotKey.Busy());
    EXPECT_FALSE(k.hotKey.HotKeyWindowProc(0x0100)) << "other messages go on";
    EXPECT_FALSE(k.hotKey.HotKeyWindowProc(0x0010));
  }
  Component noHandler;
  noHandler.hotKey.OnCatchHotKey = nullptr;
  EXPECT_TRUE(noHandler.hotKey.HotKeyWindowProc(core::kWmHotKey));
}

TEST(WaitHotKey, AnErrorFromTheHandlerIsShownAndTheComponentStaysUsable) {
  Component k;
  k.hotKey.OnCatchHotKey = [&](TWaitHotKey& sender) {
    ++k.caught;
    k.registrar.refuse = true;
    sender.SetHotKey("Ctrl+Shift+F5");
    sender.RegisterKey();
  };
  EXPECT_TRUE(k.hotKey.HotKeyWindowProc(core::kWmHotKey));
  EXPECT_FALSE(k.hotKey.Busy());
  ASSERT_EQ(k.prompter.boxes.size(), 1u);
  EXPECT_EQ(k.prompter.boxes[0].kind, "error");
  EXPECT_EQ(k.prompter.boxes[0].text, "ホットキーが登録できません(Ctrl+Shift+F5)");

  k.hotKey.OnCatchHotKey = [&](TWaitHotKey&) { throw std::runtime_error("壊れた"); };
  EXPECT_TRUE(k.hotKey.HotKeyWindowProc(core::kWmHotKey));
  EXPECT_FALSE(k.hotKey.Busy());
  EXPECT_EQ(k.prompter.Texts().back(), "壊れた");
  EXPECT_EQ(k.caught, 1);
}

}  // namespace
