#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "launch/launcher.h"
#include "support.h"

using testing_support::LauncherFixture;

namespace {

// Every call of the three services, in order, in one log.
using Log = std::vector<std::string>;

class FakeToken : public core::AccessToken {
 public:
  FakeToken(Log& log, unsigned error) : log_(log), error_(error) {}
  ~FakeToken() override { log_.push_back("close token"); }
  unsigned EnablePrivilege(std::uint64_t privilege) override {
    log_.push_back("enable " + std::to_string(privilege));
    return error_;
  }

 private:
  Log& log_;
  unsigned error_;
};

class FakeSession : public core::Session {
 public:
  explicit FakeSession(Log& log) : log_(log) {}
  bool NeedsPrivileges() override { return nt; }
  std::unique_ptr<core::AccessToken> OpenOwnToken() override {
    log_.push_back("open token");
    if (!tokenOpens) return nullptr;
    return std::make_unique<FakeToken>(log_, adjustError);
  }
  std::optional<std::uint64_t> LookUpPrivilege(const std::string& name) override {
    log_.push_back("look up " + name);
    if (!privilegeKnown) return std::nullopt;
    return 19;
  }
  void RequestSessionEnd(unsigned flags) override { log_.push_back("exit " + std::to_string(flags)); }
  std::string SystemErrorText() override { return "Access is denied.\r\n"; }
  void ShowNotice(const std::string& text, const std::string& caption) override {
    log_.push_back("notice " + caption + ": " + text);
  }
  void StartScreenSaver() override { log_.push_back("screen saver"); }

  bool nt = true, tokenOpens = true, privilegeKnown = true;
  unsigned adjustError = 0;

 private:
  Log& log_;
};

struct FakeWindow {
  std::string className;
  bool visible = true, minimised = false;
};

class FakeDesktop : public core::Desktop {
 public:
  explicit FakeDesktop(Log& log) : log_(log) {}
  void ForEachTopLevelWindow(const std::function<void(std::uintptr_t)>& visit) override {
    log_.push_back("enumerate");
    for (const auto& [handle, window] : windows) visit(handle);
  }
  bool IsVisible(std::uintptr_t w) override { return windows.at(w).visible; }
  bool IsMinimised(std::uintptr_t w) override { return windows.at(w).minimised; }
  std::string ClassNameOf(std::uintptr_t w) override { return windows.at(w).className; }
  void PostClose(std::uintptr_t w) override {
    log_.push_back("close " + std::to_string(w));
    closed.push_back(w);
  }
  void SendKey(int key, bool release) override { log_.push_back((release ? "up " : "down ") + std::to_string(key)); }
  void RunLater(unsigned milliseconds, std::function<void()> step) override {
    log_.push_back("wait " + std::to_string(milliseconds));
    later.push_back(std::move(step));
  }

  std::map<std::uintptr_t, FakeWindow> windows;
  std::vector<std::uintptr_t> closed;
  std::vector<std::function<void()>> later;

 private:
  Log& log_;
};

class FakeDde : public core::DdeConversation {
 public:
  explicit FakeDde(Log& log) : log_(log) {}
  bool SetLink(const std::string& service, const std::string& topic) override {
    log_.push_back("link " + service + " " + topic);
    return answers;
  }
  void SetServiceApplication(const std::string& program) override { log_.push_back("service app " + program); }
  bool OpenLink() override {
    log_.push_back("open");
    return answers || answersAfterStart;
  }
  bool ExecuteMacro(const std::string& command) override {
    log_.push_back("execute " + command);
    return true;
  }
  void CloseLink() override { log_.push_back("close"); }

  bool answers = true, answersAfterStart = false;

 private:
  Log& log_;
};

struct DesktopFixture : LauncherFixture {
  DesktopFixture() { Launcher().SetDesktopPorts({session, desktop, dde}); }
  Log log;
  FakeSession session{log};
  FakeDesktop desktop{log};
  FakeDde dde{log};
};

const std::string kNotice = "notice アクセストークンエラー: ";

}  // namespace

TEST(DesktopCommands, EachEndOfSessionCommandAsksForItsOwnExitFlagsAfterEnablingThePrivilege) {
  struct Case {
    int command;
    const char* exit;
  };
  const Case cases[] = {
      {core::command::kWindowsExit, "exit 9"},
      {core::command::kWindowsReboot, "exit 2"},
      {core::command::kWindowsLogoff, "exit 0"},
  };
  for (const auto& c : cases) {
    DesktopFixture f;
    f.Launcher().Command(c.command);
    ASSERT_GE(f.log.size(), 5u) << c.exit;
    EXPECT_EQ((Log{f.log.begin(), f.log.begin() + 5}),
              (Log{"open token", "look up SeShutdownPrivilege", "enable 19", "close token", c.exit}));
    EXPECT_TRUE(f.prompter.boxes.empty());
  }
}

TEST(DesktopCommands, OnlyTheLogOffAsksTheLauncherWindowToClose) {
  DesktopFixture f;
  f.Launcher().Command(core::command::kWindowsExit);
  f.Launcher().Command(core::command::kWindowsReboot);
  EXPECT_TRUE(f.desktop.closed.empty());
  f.Launcher().Command(core::command::kWindowsLogoff);
  EXPECT_EQ(f.desktop.closed, std::vector<std::uintptr_t>{f.view.NativeHandle()});
  EXPECT_EQ(f.log.back(), "close " + std::to_string(f.view.NativeHandle()));
}

TEST(DesktopCommands, AFailedPrivilegeStepIsReportedAndTheExitIsRequestedAllTheSame) {
  struct Case {
    bool opens, known;
    unsigned adjustError;
    Log expected;
  };
  const Case cases[] = {
      {false, true, 0, {"open token", kNotice + "Cannot open process token. [Access is denied.\r\n]", "exit 2"}},
      {true,
       false,
       0,
       {"open token", "look up SeShutdownPrivilege", kNotice + "Cannot find privilege value. [Access is denied.\r\n]",
        "close token", "exit 2"}},
      {true,
       true,
       1300,
       {"open token", "look up SeShutdownPrivilege", "enable 19", kNotice + "Error adjusting process privileges.",
        "close token", "exit 2"}},
  };
  for (const auto& c : cases) {
    DesktopFixture f;
    f.session.tokenOpens = c.opens;
    f.session.privilegeKnown = c.known;
    f.session.adjustError = c.adjustError;
    f.Launcher().Command(core::command::kWindowsReboot);
    EXPECT_EQ(f.log, c.expected);
  }
}

TEST(DesktopCommands, OutsideTheNtFamilyTheExitIsRequestedWithoutPrivilegeSteps) {
  DesktopFixture f;
  f.session.nt = false;
  f.session.tokenOpens = false;
  f.Launcher().Command(core::command::kWindowsExit);
  EXPECT_EQ(f.log, Log{"exit 9"});
}

TEST(DesktopCommands, ScreenSaverIsOneRequestToTheSession) {
  DesktopFixture f;
  f.Launcher().Command(core::command::kScreen);
  EXPECT_EQ(f.log, Log{"screen saver"});
}

TEST(DesktopCommands, FindSendsFindFolderWithTheDocumentsFolderUnescaped) {
  DesktopFixture f;
  f.environment.documents = "C:\\Users\\a \"b\"\\文書";
  f.Launcher().Command(core::command::kFind);
  EXPECT_EQ(f.log, (Log{"link Folders AppProperties", "service app Explorer", "open",
                        "execute [FindFolder(\"C:\\Users\\a \"b\"\\文書\")]", "close"}));
}

TEST(DesktopCommands, FindSendsNothingWhenTheShellNeverAnswers) {
  DesktopFixture f;
  f.dde.answers = false;
  f.Launcher().Command(core::command::kFind);
  EXPECT_EQ(f.log, (Log{"link Folders AppProperties", "service app Explorer", "open", "close"}));
  EXPECT_TRUE(f.prompter.boxes.empty());

  // The started service application answers the second attempt.
  DesktopFixture g;
  g.dde.answers = false;
  g.dde.answersAfterStart = true;
  g.Launcher().Command(core::command::kFind);
  EXPECT_EQ(g.log[3], "execute [FindFolder(\"C:\\Users\\me\\Documents\")]");
}

TEST(DesktopCommands, CloseCommandsCloseVisibleWindowsOfExactlyTheListedClasses) {
  const std::map<std::uintptr_t, FakeWindow> windows = {
      {1, {"CabinetWClass"}}, {2, {"ExploreWClass"}},
      {3, {"cabinetwclass"}}, {4, {"CabinetWClass", false}},
      {5, {"IEFrame"}},       {6, {"MozillaWindowClass", true, true}},  // minimised but visible
      {7, {"OUIWINDOW"}},     {8, {"Opera Main Window"}},
      {9, {"OpWindow"}},      {10, {"IEFrame", false}},
      {11, {"OpWindow "}},    {12, {"ieframe"}},
      {13, {"Notepad"}},      {14, {"Opera"}},
  };
  struct Case {
    int command;
    std::vector<std::uintptr_t> closed;
    int passes;
  };
  const Case cases[] = {
      {core::command::kCloseFolder, {1, 2}, 1},
      {core::command::kCloseIE, {5, 6, 7, 8, 9}, 1},
      {core::command::kCloseAll, {1, 2, 5, 6, 7, 8, 9}, 2},
  };
  for (const auto& c : cases) {
    DesktopFixture f;
    f.desktop.windows = windows;
    f.Launcher().Command(c.command);
    EXPECT_EQ(f.desktop.closed, c.closed);
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "enumerate"), c.passes);
  }
}

TEST(DesktopCommands, CloseEverythingMinimisesAllThenClosesVisibleMinimisedWindowsAfter700Ms) {
  DesktopFixture f;
  f.desktop.windows = {
      {1, {"Notepad", true, true}},
      {2, {"Notepad", true, false}},  // stayed un-minimised
      {3, {"Notepad", false, true}},  // hidden
      {4, {"IEFrame", true, true}},
  };
  f.Launcher().Command(core::command::kWholly);
  EXPECT_EQ(f.log, (Log{"down 91", "down 77", "up 77", "up 91", "wait 700"}));
  EXPECT_TRUE(f.desktop.closed.empty()) << "nothing is closed before the wait";
  ASSERT_EQ(f.desktop.later.size(), 1u);
  f.desktop.later.front()();
  EXPECT_EQ(f.desktop.closed, (std::vector<std::uintptr_t>{1, 4}));
}

TEST(DesktopCommands, WithoutDesktopServicesTheCommandsDoNothing) {
  LauncherFixture f;
  f.Launcher().Command(core::command::kWindowsLogoff);
  f.Launcher().Command(core::command::kScreen);
  f.Launcher().Command(core::command::kFind);
  f.Launcher().Command(core::command::kCloseAll);
  f.Launcher().Command(core::command::kWholly);
  EXPECT_TRUE(f.prompter.boxes.empty());
}
