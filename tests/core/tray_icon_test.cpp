#include "components/tray_icon.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "components/tray_icon_texts.h"
#include "support.h"

using core::TTrayIcon;
using testing_support::Cp932;

namespace {

// The notification area as the tests see it: every call lands in one trace, in order,
// together with the events the icon raised.
class FakeNotifyArea : public core::NotifyArea {
 public:
  bool Notify(core::NotifyCommand command, const core::NotifyRecord& record) override {
    static const char* const kNames[] = {"add", "modify", "delete"};
    Log(kNames[static_cast<int>(command)]);
    records.push_back(record);
    return command == core::NotifyCommand::kAdd ? acceptAdd : acceptModify;
  }
  std::uintptr_t CallbackWindow() override { return 0xC0; }
  std::uintptr_t CopyPicture(std::uintptr_t picture) override { return picture + 1000; }
  void FreePicture(std::uintptr_t picture) override { freed.push_back(picture); }
  std::uintptr_t OwnerPicture() const override { return ownerPicture; }
  std::uintptr_t ApplicationPicture() const override { return applicationPicture; }
  core::ScreenPoint CursorPosition() const override { return cursor; }
  void BringOwnerToForeground() override { Log("foreground"); }
  void PopupMenu(std::uintptr_t menu, core::ScreenPoint at) override {
    std::ostringstream s;
    s << "popup" << menu << "@" << at.x << "," << at.y;
    Log(s.str());
  }
  unsigned DoubleClickTime() const override { return 500; }
  void StartSingleClickWait(unsigned milliseconds) override {
    Log("wait" + std::to_string(milliseconds));
    ++waits;
  }

  void Log(const std::string& entry) { trace += (trace.empty() ? "" : " ") + entry; }

  std::string trace;
  std::vector<core::NotifyRecord> records;
  std::vector<std::uintptr_t> freed;
  int waits = 0;  // started and not yet ended
  bool acceptAdd = true, acceptModify = true;
  std::uintptr_t ownerPicture = 0, applicationPicture = 0x50;
  core::ScreenPoint cursor{10, 20};
};

struct Fixture {
  Fixture() : icon(std::make_unique<TTrayIcon>(list, area, Cp932())) {}

  // Every event of the icon goes into the trace, with its button and shift state.
  void Listen(bool click = true, bool mouseUp = false) {
    auto name = [](core::TMouseButton b) { return std::string(1, "LRM"[static_cast<int>(b)]); };
    if (click) icon->OnClick = [this](TTrayIcon&) { area.Log("click"); };
    icon->OnDblClick = [this](TTrayIcon&) { area.Log("dblclick"); };
    icon->OnMouseDown = [this, name](TTrayIcon&, core::TMouseButton b, core::TShiftState s, int x, int y) {
      area.Log("down" + name(b) + std::to_string(s) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    icon->OnMouseMove = [this](TTrayIcon&, core::TShiftState s, int, int) { area.Log("move" + std::to_string(s)); };
    if (mouseUp) {
      icon->OnMouseUp = [this, name](TTrayIcon&, core::TMouseButton b, core::TShiftState s, int, int) {
        area.Log("up" + name(b) + std::to_string(s));
      };
    }
  }

  // Runs space-separated steps: mouse messages on the icon, the end of a wait, a
  // message for an icon number nobody has, switching the icon off. A wait ends only
  // after it was started.
  void Run(const std::string& steps) {
    static const std::map<std::string, unsigned> kMessages = {
        {"move", core::kTrayMouseMove},     {"ldown", core::kTrayLButtonDown},
        {"lup", core::kTrayLButtonUp},      {"ldbl", core::kTrayLButtonDblClk},
        {"rdown", core::kTrayRButtonDown},  {"rup", core::kTrayRButtonUp},
        {"rdbl", core::kTrayRButtonDblClk}, {"mdown", core::kTrayMButtonDown},
        {"mup", core::kTrayMButtonUp},      {"other", 0x0209},
    };
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
      if (step == "end") {
        ASSERT_GT(area.waits, 0) << "no wait runs that could end";
        --area.waits;
        list.SingleClickEnded();
      } else if (step == "off") {
        icon->SetEnabled(false);
      } else if (step == "stranger") {
        list.Callback(icon->Number() + 7, core::kTrayLButtonUp);
      } else {
        list.Callback(icon->Number(), kMessages.at(step));
      }
    }
  }

  core::TrayIconList list;
  FakeNotifyArea area;
  std::unique_ptr<TTrayIcon> icon;
};

struct ClickCase {
  const char* name;
  bool click, mouseUp, enabled;
  const char* steps;
  const char* trace;
};

TEST(TrayIcon, MouseMessagesRaiseTheirEventsAndTellSingleFromDoubleClicks) {
  const ClickCase cases[] = {
      {"a single click, reported once the wait is over", true, false, true, "ldown lup end",
       "downL1@10,20 wait550 click"},
      {"a double click as the system sends it", true, false, true, "ldown lup ldbl lup end",
       "downL1@10,20 wait550 dblclick"},
      {"two slow clicks", true, false, true, "lup end lup end", "wait550 click wait550 click"},
      {"three quick releases: the first wait to end reports the click", true, false, true, "lup lup lup end end",
       "wait550 wait550 click"},
      {"a release handler takes the place of clicks", true, true, true, "lup ldbl lup", "upL1 dblclick upL1"},
      {"without a click handler no wait starts", false, false, true, "lup ldbl lup", "dblclick"},
      {"a disabled icon", true, true, false, "move ldown lup ldbl rdown rup mdown mup", ""},
      {"switching off drops a pending click", true, false, true, "lup off end", "wait550"},
      {"an icon number nobody has", true, false, true, "stranger", ""},
      {"right and middle buttons and moves", true, true, true, "rdown rup rdbl mdown mup move other",
       "downR2@10,20 upR2 downM4@10,20 upM4 move0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.Listen(c.click, c.mouseUp);
    f.icon->SetEnabled(c.enabled);
    f.Run(c.steps);
    EXPECT_EQ(f.area.trace, c.trace);
  }
}

TEST(TrayIcon, AWaitActsOnTheIconThatGotTheLastMessage) {
  Fixture f;
  f.Listen();
  TTrayIcon second(f.list, f.area, Cp932());
  second.OnClick = [&](TTrayIcon&) { f.area.Log("second click"); };
  f.Run("lup");
  f.list.Callback(second.Number(), core::kTrayLButtonUp);
  f.list.SingleClickEnded();
  f.list.SingleClickEnded();
  EXPECT_EQ(f.area.trace, "wait550 wait550 second click");
  EXPECT_TRUE(f.icon->ClickPending());

  // The current icon goes while its wait still runs.
  f.list.Callback(f.icon->Number(), core::kTrayLButtonUp);
  f.icon.reset();
  f.list.SingleClickEnded();
  EXPECT_EQ(f.area.trace, "wait550 wait550 second click");
}

TEST(TrayIcon, AutoPopupBringsTheOwnerForwardBeforeTheMenuOpens) {
  Fixture f;
  f.Listen();
  f.icon->SetRBPopupMenu(0x77);
  f.Run("rdown ldown");
  EXPECT_EQ(f.area.trace, "foreground popup119@10,20 downL1@10,20");

  f.area.trace.clear();
  f.icon->SetLBPopupMenu(0x66);
  f.area.cursor = {300, 400};
  f.Run("ldown");
  EXPECT_EQ(f.area.trace, "foreground popup102@300,400");

  f.area.trace.clear();
  f.icon->SetAutoPopup(false);
  f.Run("rdown ldown");
  EXPECT_EQ(f.area.trace, "downR2@300,400 downL1@300,400");
}

TEST(TrayIcon, NumbersFollowTheLastIconOfTheListAndAreLimited) {
  core::TrayIconList list;
  FakeNotifyArea area;
  std::vector<std::unique_ptr<TTrayIcon>> icons;
  for (int i = 0; i < 3; ++i) icons.push_back(std::make_unique<TTrayIcon>(list, area, Cp932()));
  EXPECT_EQ(icons[0]->Number(), 1u);
  EXPECT_EQ(icons[2]->Number(), 3u);

  icons[2] = std::make_unique<TTrayIcon>(list, area, Cp932());  // the new one is made before 3 goes
  EXPECT_EQ(icons[2]->Number(), 4u);
  icons.pop_back();
  EXPECT_EQ(TTrayIcon(list, area, Cp932()).Number(), 3u);
  icons.erase(icons.begin());
  EXPECT_EQ(TTrayIcon(list, area, Cp932()).Number(), 3u);
  EXPECT_EQ(list.Find(2), icons[0].get());
  EXPECT_EQ(list.Find(1), nullptr);

  while (list.Count() < core::kTrayIconLimit) icons.push_back(std::make_unique<TTrayIcon>(list, area, Cp932()));
  try {
    TTrayIcon tooMany(list, area, Cp932());
    ADD_FAILURE() << "an icon beyond the limit was made";
  } catch (const core::ENotifyIconError& e) {
    EXPECT_STREQ(e.what(), "タスクトレイにアイコンを登録できません。");
  }
  EXPECT_EQ(list.Count(), core::kTrayIconLimit);
  icons.erase(icons.begin());
  EXPECT_NO_THROW(TTrayIcon(list, area, Cp932()));
}

TEST(TrayIcon, TipKeepsItsFirst62BytesOfTheCodePageWithoutHalvingACharacter) {
  auto repeat = [](const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
  };
  const std::string a60(60, 'a'), a61(61, 'a');
  struct Case {
    std::string given, kept;
  };
  const Case cases[] = {
      {"ZUBIらんちゃ", "ZUBIらんちゃ"},
      {std::string(70, 'x'), std::string(62, 'x')},
      {a60 + "あい", a60 + "あ"},
      {a61 + "あ", a61},                   // the double-byte character would straddle the limit
      {repeat("ｱ", 70), repeat("ｱ", 62)},  // half-width katakana take one byte each
      {repeat("漢", 40), repeat("漢", 31)},
      {a61 + "한국", a61 + "한"},                          // outside the code page: counted as its one-byte replacement
      {std::string(10, '\xFF'), std::string(10, '\xFF')},  // not UTF-8: a byte each
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(core::CutToAnsiBytes(c.given, core::kTipHelpBytes, Cp932()), c.kept);
  }
  EXPECT_EQ(core::CutToAnsiBytes(std::string(10, '\xFF'), 4, Cp932()), std::string(4, '\xFF'));

  Fixture f;
  f.icon->SetTipHelp(a61 + "あ");
  EXPECT_EQ(f.icon->TipHelp(), a61);
}

TEST(TrayIcon, TipAndPictureChangesReachTheTrayOnlyWhileTheIconIsThere) {
  Fixture f;
  EXPECT_EQ(f.icon->TipHelp(), "TipHelp");
  f.icon->SetTipHelp("before");
  EXPECT_EQ(f.area.trace, "");

  f.icon->SetVisible(true);
  ASSERT_EQ(f.area.trace, "add");
  EXPECT_EQ(f.area.records.back().flags, 7u);
  EXPECT_EQ(f.area.records.back().tip, "before");
  EXPECT_EQ(f.area.records.back().id, f.icon->Number());
  EXPECT_EQ(f.area.records.back().window, 0xC0u);
  EXPECT_EQ(f.area.records.back().callbackMessage, 1224u);

  f.icon->SetTipHelp(std::string(62, 'q') + "more");
  f.icon->SetTipHelp(std::string(62, 'q') + "other");  // the same once cut
  EXPECT_EQ(f.area.trace, "add modify");
  f.icon->SetTipHelp("");
  EXPECT_EQ(f.area.records.back().flags, 3u);

  f.icon->SetIcon(0x10);
  EXPECT_EQ(f.area.records.back().icon, 0x10u + 1000);
  f.icon->SetIcon(0x20);
  EXPECT_EQ(f.area.freed, std::vector<std::uintptr_t>{0x10 + 1000});
  f.icon->SetIcon(0);
  EXPECT_EQ(f.area.records.back().icon, 0x50u);  // back to the program's icon
  EXPECT_EQ(f.area.trace, "add modify modify modify modify modify");

  f.icon->SetVisible(false);
  EXPECT_EQ(f.area.trace, "add modify modify modify modify modify delete");
  f.icon->SetTipHelp("hidden");
  f.icon->SetIcon(0x30);
  EXPECT_EQ(f.area.trace, "add modify modify modify modify modify delete");
  f.icon.reset();
  EXPECT_EQ(f.area.freed, (std::vector<std::uintptr_t>{0x10 + 1000, 0x20 + 1000, 0x30 + 1000}));
}

TEST(TrayIcon, VisibleNeedsAPictureAndTheIconGoesWithItsOwner) {
  Fixture f;
  f.area.applicationPicture = 0;
  f.icon->SetVisible(true);
  EXPECT_FALSE(f.icon->Visible());
  EXPECT_EQ(f.area.trace, "");

  f.area.ownerPicture = 0x40;
  f.icon->SetVisible(true);
  EXPECT_TRUE(f.icon->Visible());
  EXPECT_TRUE(f.icon->InTray());
  EXPECT_EQ(f.area.records.back().icon, 0x40u);
  f.icon->SetVisible(true);  // unchanged: nothing to do
  EXPECT_EQ(f.area.trace, "add");

  f.icon.reset();
  EXPECT_EQ(f.area.trace, "add delete");
}

TEST(TrayIcon, RefusedAddsAndChangesRaiseTheIconError) {
  Fixture f;
  f.area.acceptAdd = false;
  EXPECT_THROW(f.icon->SetVisible(true), core::ENotifyIconError);
  EXPECT_TRUE(f.icon->Visible());
  EXPECT_FALSE(f.icon->InTray());

  f.area.acceptAdd = true;
  f.icon->SetVisible(false);  // not in the tray: nothing to delete
  f.icon->SetVisible(true);
  EXPECT_EQ(f.area.trace, "add add");
  EXPECT_TRUE(f.icon->InTray());

  f.area.acceptModify = false;
  try {
    f.icon->SetTipHelp("new");
    ADD_FAILURE() << "a refused change went unreported";
  } catch (const core::Error& e) {
    EXPECT_EQ(std::string(e.what()), core::texts::kNotifyIconError);
  }
}

TEST(TrayIcon, StoredValuesTakeEffectOnceLoaded) {
  Fixture f;
  f.icon->BeginLoad();
  EXPECT_EQ(f.icon->TipHelp(), "");
  f.icon->SetTipHelp("ZUBIらんちゃ");
  f.icon->SetVisible(true);
  EXPECT_EQ(f.area.trace, "");
  f.icon->Loaded();
  EXPECT_EQ(f.area.trace, "add");
  EXPECT_EQ(f.area.records.back().tip, "ZUBIらんちゃ");

  Fixture hidden;
  hidden.icon->BeginLoad();
  hidden.icon->Loaded();
  EXPECT_EQ(hidden.area.trace, "");
}

TEST(TrayIcon, ComesBackWhenTheNotificationAreaIsRebuilt) {
  Fixture f;
  f.icon->Restore();
  EXPECT_EQ(f.area.trace, "");
  f.icon->SetVisible(true);
  f.icon->Restore();
  EXPECT_EQ(f.area.trace, "add delete add");
  EXPECT_TRUE(f.icon->InTray());
}

TEST(TrayIcon, AnimateRateHasAFloor) {
  Fixture f;
  EXPECT_EQ(f.icon->AnimateRate(), 500);
  f.icon->SetAnimateRate(20);
  EXPECT_EQ(f.icon->AnimateRate(), 100);
  f.icon->SetAnimateRate(250);
  EXPECT_EQ(f.icon->AnimateRate(), 250);
}

}  // namespace
