#include <gtest/gtest.h>

#include "support.h"

using core::DriveKind;
using core::MouseButton;
using testing_support::FakeBackground;
using testing_support::FakeProbe;
using testing_support::FakeRunningPrograms;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

// Two pages: C: is a fixed drive, E: a stick that answers only in the background.
struct Fixture : LauncherFixture {
  FakeBackground background;
  FakeProbe stick;  // what the background finds
  Fixture() {
    probe.drives = {{'C', DriveKind::kFixed}, {'E', DriveKind::kRemovable}};
    probe.present = {"C:\\Apps\\edit.exe"};
    stick.drives = probe.drives;
    WriteSettings(Lines({"[User1]", "PageNoControl=2"}));
    folder.Write(
        "DATA/User11.dat",
        Lines({"[Button1]", "ProgPath=C:\\Apps\\edit.exe", "[Button2]", "ProgPath=C:\\Apps\\gone.exe", "[Button3]",
               "ProgPath=E:\\Apps\\tool.exe", "[Button4]", "ProgPath=https://example.org/", "[Button5]",
               "ProgPath=notepad.exe", "[Button6]", "ProgPath=C:\\Apps\\gone.exe", "IconPath=C:\\Apps\\edit.exe"}));
    folder.Write("DATA/User12.dat", Lines({"[Button3]", "ProgPath=E:\\Apps\\other.exe"}));
    Launcher().SetBackground(&background);
  }
  // '1' for each dimmed button, in order.
  std::string Dimmed() const {
    std::string marks;
    for (const auto& button : view.buttons) marks += button.dimmed ? '1' : '0';
    return marks;
  }
};

}  // namespace

TEST(MissingTargets, APageShowsItsMissingProgramsDimmedAndLooksAtSlowDrivesInTheBackground) {
  Fixture f;
  f.Launcher().FormCreate();
  // At once: a missing file on the fixed drive, whatever icon it shows. Not an address,
  // not a bare name, not an empty button; the stick's answer comes later.
  EXPECT_EQ(f.Dimmed(), "0100010000");
  ASSERT_EQ(f.background.pending.size(), 1u);
  f.background.Finish(f.stick);
  EXPECT_EQ(f.Dimmed(), "0110010000");
  EXPECT_TRUE(f.Launcher().Button(3).TargetMissing());

  // The stick arrives: the next look finds the program.
  f.stick.present.insert("E:\\Apps\\tool.exe");
  f.Launcher().WindowShown();
  EXPECT_EQ(f.Dimmed(), "0110010000");  // unchanged until the answer comes
  f.background.Finish(f.stick);
  EXPECT_EQ(f.Dimmed(), "0100010000");

  // The missing file appears: the page shown again shows it plainly.
  f.probe.present.insert("C:\\Apps\\gone.exe");
  f.Launcher().Command(core::command::kFwdButton);
  f.Launcher().Command(core::command::kBwdButton);
  f.background.Finish(f.stick);
  EXPECT_EQ(f.Dimmed(), "0000000000");
}

TEST(MissingTargets, AnswersOvertakenByANewerLookOrAChangedPathAreDropped) {
  Fixture f;
  f.Launcher().FormCreate();
  f.background.Work(f.stick);  // the first answer is ready: E:\Apps\tool.exe is missing
  f.stick.present.insert("E:\\Apps\\tool.exe");
  f.Launcher().WindowShown();  // the stick came before the answer did
  f.background.Deliver();
  EXPECT_FALSE(f.view.buttons[2].dimmed);
  f.background.Finish(f.stick);
  EXPECT_FALSE(f.view.buttons[2].dimmed);

  // Page 2, page 1 and page 2 again before the background gets to them: only the last
  // is looked at, and only its answer counts.
  f.stick.present.clear();
  f.stick.looked.clear();
  f.Launcher().Command(core::command::kFwdButton);
  f.Launcher().Command(core::command::kBwdButton);
  f.Launcher().Command(core::command::kFwdButton);
  ASSERT_EQ(f.background.pending.size(), 3u);
  f.background.Finish(f.stick);
  EXPECT_EQ(f.stick.looked, std::vector<std::string>{"E:\\Apps\\other.exe"});
  EXPECT_EQ(f.Dimmed(), "0010000000");

  // A button given another path while its answer is on the way keeps no dimming.
  f.Launcher().WindowShown();
  f.background.Work(f.stick);
  testing_support::SetPath(f.Launcher().Button(3), "E:\\Apps\\third.exe");
  f.background.Deliver();
  EXPECT_FALSE(f.view.buttons[2].dimmed);
}

TEST(MissingTargets, EditedButtonsAreLookedAtAtOnceAndDimmedButtonsStillStart) {
  Fixture f;
  f.Launcher().FormCreate();
  // A dropped file that is gone by the time it is saved.
  f.Launcher().Button(7).FilesDropped({"C:\\Apps\\vanished.exe"});
  EXPECT_TRUE(f.view.buttons[6].dimmed);
  // Emptying a button ends its dimming; so does another path, until it is looked at.
  f.Launcher().Button(2).Clear();
  EXPECT_FALSE(f.view.buttons[1].dimmed);
  testing_support::SetPath(f.Launcher().Button(6), "C:\\Apps\\gone2.exe");
  EXPECT_FALSE(f.view.buttons[5].dimmed);

  // A click on a dimmed button starts it as stored: the shell decides, and says nothing.
  f.Launcher().Button(7).MouseDown(MouseButton::kLeft);
  f.Launcher().Button(7).MouseUp(MouseButton::kLeft);
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.shell.requests[0].file, "C:\\Apps\\vanished.exe");
  EXPECT_TRUE(f.prompter.boxes.empty());
}

namespace {

class NoHost : public core::LaunchButtonHost {
 public:
  void Activate(core::TLaunchButton&, const core::Activation&) override {}
  void OpenSettings(core::TLaunchButton&) override {}
  void FilesDropped(core::TLaunchButton&, const std::vector<std::string>&) override {}
};

}  // namespace

// The buttons draw their icons with a probe of their own, so that what the check
// looks at on the window's thread can be told apart.
TEST(MissingTargets, TheWindowsThreadNeverLooksAtASlowDrive) {
  testing_support::FakeEnvironment environment;
  environment.exePath = "C:\\Zubi\\zubi.exe";
  FakeProbe forIcons, here, away;
  for (FakeProbe* probe : {&forIcons, &here, &away})
    probe->drives = {{'C', DriveKind::kFixed}, {'E', DriveKind::kRemovable}, {'N', DriveKind::kNetwork}};
  NoHost host;
  std::array<testing_support::FakeButtonView, 4> views;
  std::vector<std::unique_ptr<core::TLaunchButton>> buttons;
  std::vector<core::TLaunchButton*> all;
  for (auto& view : views) {
    buttons.push_back(std::make_unique<core::TLaunchButton>(1, view, host, core::PathPorts{environment, forIcons}));
    all.push_back(buttons.back().get());
  }
  buttons[0]->Show({.path = "C:\\gone.exe"});
  buttons[1]->Show({.path = "E:\\gone.exe"});
  buttons[2]->Show({.path = "N:\\gone.exe"});
  buttons[3]->Show({.path = "\\\\srv\\share\\gone.exe"});
  core::MissingTargets targets(all, {environment, here});

  targets.Check();  // no background: only the fixed drive is looked at
  EXPECT_EQ(here.looked, std::vector<std::string>{"C:\\gone.exe"});
  EXPECT_TRUE(views[0].dimmed);
  EXPECT_FALSE(views[1].dimmed || views[2].dimmed || views[3].dimmed);

  FakeBackground background;
  targets.SetBackground(&background);
  targets.Check();
  EXPECT_EQ(here.looked, (std::vector<std::string>{"C:\\gone.exe", "C:\\gone.exe"}));
  background.Finish(away);
  EXPECT_EQ(away.looked.size(), 5u);  // E:, then C: for the program's drive; N:, then C:; the share
  EXPECT_TRUE(views[1].dimmed && views[2].dimmed && views[3].dimmed);

  // Answers reaching a checker that is gone are dropped.
  auto later = std::make_unique<core::MissingTargets>(all, core::PathPorts{environment, here});
  later->SetBackground(&background);
  away.present = {"E:\\gone.exe"};
  later->Check();
  background.Work(away);
  later.reset();
  background.Deliver();
  EXPECT_TRUE(views[1].dimmed);
}

TEST(MissingTargets, DriveKindsAreAskedOnceUntilADriveComesOrGoes) {
  Fixture f;
  f.Launcher().FormCreate();
  EXPECT_EQ(f.probe.kindsAsked, (std::vector<char>{'C', 'E'}));
  f.Launcher().Command(core::command::kFwdButton);
  f.Launcher().Command(core::command::kBwdButton);
  f.Launcher().WindowShown();
  EXPECT_EQ(f.probe.kindsAsked.size(), 2u);

  // E: comes back as a fixed disk: from now on it is looked at on the spot.
  f.probe.drives['E'] = DriveKind::kFixed;
  const size_t waiting = f.background.pending.size();
  f.Launcher().DrivesChanged();
  EXPECT_EQ(f.probe.kindsAsked, (std::vector<char>{'C', 'E', 'C', 'E'}));
  EXPECT_EQ(f.background.pending.size(), waiting);
  EXPECT_TRUE(f.view.buttons[2].dimmed);
}

// Letter case makes no difference as Windows compares file names: in any script and
// width, and nothing else does (ｱ is not ア).
TEST(RunningMarks, ProgramsAreKnownByTheirPathInAnyCaseOrByABareName) {
  EXPECT_EQ(core::ProgramKey("C:\\Apps\\Sub\\..\\.\\Edit.EXE"), "C:\\APPS\\EDIT.EXE");
  EXPECT_EQ(core::ProgramKey("c:/apps//edit.exe"), "C:\\APPS\\EDIT.EXE");
  EXPECT_EQ(core::ProgramKey("\\\\Server\\Share\\X.exe"), "\\\\SERVER\\SHARE\\X.EXE");
  EXPECT_EQ(core::ProgramKey("Notepad.exe"), "NOTEPAD.EXE");
  EXPECT_EQ(core::ProgramKey("C:\\ツール\\ａｐｐ.exe"), core::ProgramKey("C:\\ツール\\ＡＰＰ.exe"));
  EXPECT_EQ(core::ProgramKey("D:\\café\\Ωmega.exe"), core::ProgramKey("d:\\CAFÉ\\ωMEGA.EXE"));
  EXPECT_NE(core::ProgramKey("C:\\ｱ.exe"), core::ProgramKey("C:\\ア.exe"));
  for (const char* none : {"C:\\doc.txt", "C:\\Tools\\app.lnk", "https://example.org/setup.exe", "Apps\\x.exe",
                           "\\Apps\\x.exe", "C:\\Apps", ""})
    EXPECT_EQ(core::ProgramKey(none), "") << none;
  EXPECT_TRUE(core::IsSameProgram("NOTEPAD.EXE", "C:\\WINDOWS\\NOTEPAD.EXE"));
  EXPECT_FALSE(core::IsSameProgram("E:\\APPS\\TOOL.EXE", "D:\\OTHER\\TOOL.EXE"));
  EXPECT_FALSE(core::IsSameProgram("", "C:\\X.EXE"));
}

// Windows are looked for in the background when a page shows and two seconds after a
// start, never while nothing happens; Shift with a click brings a marked program
// forward and starts nothing, on an unmarked button it starts as a click does.
TEST(RunningMarks, AButtonIsMarkedWhileItsProgramShowsAWindowAndShiftClickBringsItForward) {
  Fixture f;
  f.WriteSettings(Lines({"[User1]", "PageNoControl=2", "Sound=1"}));
  FakeRunningPrograms running;
  running.windows = {{"C:\\APPS\\Edit.exe", 11}, {"C:\\Windows\\notepad.exe", 12}, {"D:\\Other\\tool.exe", 13}};
  f.Launcher().FormCreate();
  f.Launcher().SetRunningPrograms(&running);  // the window has shown
  auto marked = [&] {
    std::string marks;
    for (auto& button : f.view.buttons) marks += button.running ? '1' : '0';
    return marks;
  };
  EXPECT_EQ(std::tuple(marked(), running.looks), std::tuple("0000000000", 0)) << "not on the window's thread";
  f.background.Finish(f.stick);
  EXPECT_EQ(std::tuple(marked(), running.looks), std::tuple("1000100000", 1));

  auto shiftClick = [&](int k) {
    f.Launcher().Button(k).MouseDown(MouseButton::kLeft);
    f.Launcher().Button(k).MouseUp(MouseButton::kLeft, {true, false, false});
  };
  shiftClick(1);
  EXPECT_EQ(running.brought, (std::vector<std::uintptr_t>{11}));
  EXPECT_TRUE(f.shell.requests.empty());
  EXPECT_TRUE(f.sound.played.empty()) << "nothing started: no start sound";
  shiftClick(2);
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.shell.requests[0].file, "C:\\Apps\\gone.exe");
  EXPECT_EQ(f.sound.played.size(), 1u);

  // The program started shows its window a moment later.
  running.windows.push_back({"C:\\Apps\\gone.exe", 14});
  running.looks = 0;
  for (int tick = 1; tick < 10; ++tick) f.Launcher().Timer1Timer();
  EXPECT_EQ(running.looks, 0);
  f.Launcher().Timer1Timer();
  f.background.Finish(f.stick);
  EXPECT_EQ(running.looks, 1);
  EXPECT_TRUE(f.view.buttons[1].running && f.view.buttons[5].running);
  for (int tick = 0; tick < 50; ++tick) f.Launcher().Timer1Timer();
  EXPECT_EQ(running.looks, 1);

  // Another page is looked at as it shows; that does not take the place of the look
  // after a start.
  f.Launcher().Button(1).MouseDown(MouseButton::kLeft);
  f.Launcher().Button(1).MouseUp(MouseButton::kLeft);
  f.Launcher().Command(core::command::kFwdButton);
  f.background.Finish(f.stick);
  EXPECT_EQ(running.looks, 2);
  for (int tick = 0; tick < 10; ++tick) f.Launcher().Timer1Timer();
  f.background.Finish(f.stick);
  EXPECT_EQ(running.looks, 3);
  EXPECT_FALSE(f.view.buttons[2].running) << "E:\\Apps\\other.exe does not run";
}
