#include <gtest/gtest.h>

#include "base/utf16.h"
#include "launch/snapshot_thread.h"
#include "support.h"

using testing_support::FakePrompter;
using testing_support::TempFolder;
using testing_support::WaitUntil;

namespace {

constexpr core::LocalTime kToday{2026, 12, 8, 7, 0, 0};

struct ProgramFolder {
  ProgramFolder() {
    folder.Write("zubi.ini", "[Setting]\r\nLeft=100\r\n");
    folder.Write("DATA\\User11.dat", "[PageTitle]\r\nPageTitle=one\r\n");
  }
  std::string Exe() const { return folder.Path("zubi.exe"); }
  TempFolder folder;
  FakePrompter prompter;
};

}  // namespace

TEST(SnapshotThread, TakesTheDaysSnapshotBesideTheProgramWithoutAWord) {
  ProgramFolder p;
  win32::SnapshotThread snapshot(p.prompter);
  snapshot.Start(p.Exe(), kToday);
  ASSERT_TRUE(WaitUntil([&] { return !snapshot.Running(); }));
  EXPECT_EQ(p.folder.Read("BACKUP\\20261208\\zubi.ini"), p.folder.Read("zubi.ini"));
  EXPECT_EQ(p.folder.Read("BACKUP\\20261208\\User11.dat"), p.folder.Read("DATA\\User11.dat"));
  EXPECT_TRUE(p.prompter.boxes.empty());

  // Old snapshots beyond seven go; the program's own folders stay.
  for (int day = 1; day <= 7; ++day) p.folder.Write("BACKUP\\2026110" + std::to_string(day) + "\\zubi.ini", "old");
  snapshot.Start(p.Exe(), {2026, 12, 9});
  ASSERT_TRUE(WaitUntil([&] { return !snapshot.Running(); }));
  EXPECT_TRUE(p.folder.Exists("BACKUP\\20261209\\User11.dat"));
  EXPECT_TRUE(p.folder.Exists("BACKUP\\20261208"));
  EXPECT_TRUE(p.folder.Exists("BACKUP\\20261103"));
  EXPECT_FALSE(p.folder.Exists("BACKUP\\20261102"));
  EXPECT_FALSE(p.folder.Exists("BACKUP\\20261101"));
  EXPECT_TRUE(p.folder.Exists("DATA\\User11.dat"));
}

TEST(SnapshotThread, ADelayedSnapshotBeginsOnlyWhenTheLoopHasRunThatLong) {
  ProgramFolder p;
  win32::SnapshotThread snapshot(p.prompter);
  const DWORD started = GetTickCount();
  snapshot.Start(p.Exe(), kToday, 300);
  EXPECT_TRUE(snapshot.Running());
  Sleep(400);  // without the loop running, nothing begins
  EXPECT_FALSE(p.folder.Exists("BACKUP"));
  ASSERT_TRUE(WaitUntil([&] { return !snapshot.Running(); }));
  EXPECT_GE(GetTickCount() - started, 300u);
  EXPECT_TRUE(p.folder.Exists("BACKUP\\20261208\\User11.dat"));
  EXPECT_TRUE(p.prompter.boxes.empty());
}

TEST(SnapshotThread, AFailureIsShownOnceOnTheStartingThreadAndTheProgramGoesOn) {
  ProgramFolder p;
  // Another program holds a page file open for itself alone: it cannot be read.
  p.folder.Write("DATA\\User12.dat", "two");
  HANDLE locked = CreateFileW(win32::Widen(p.folder.Path("DATA\\User12.dat")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  win32::SnapshotThread snapshot(p.prompter);
  snapshot.Start(p.Exe(), kToday);
  ASSERT_TRUE(WaitUntil([&] { return !snapshot.Running(); }));
  CloseHandle(locked);
  ASSERT_EQ(p.prompter.boxes.size(), 1u);
  EXPECT_EQ(p.prompter.boxes[0].kind, "error");
  EXPECT_EQ(p.prompter.boxes[0].text,
            "ファイル " + p.folder.Path("BACKUP\\20261208\\User12.dat") + " を作成できません");
  EXPECT_FALSE(p.folder.Exists("BACKUP\\20261208")) << "the next start tries again";

  snapshot.Start(p.Exe(), kToday);
  ASSERT_TRUE(WaitUntil([&] { return !snapshot.Running(); }));
  EXPECT_EQ(p.prompter.boxes.size(), 1u);
  EXPECT_EQ(p.folder.Read("BACKUP\\20261208\\User12.dat"), "two");

  // BACKUP is a file: the folder is named.
  ProgramFolder q;
  q.folder.Write("BACKUP", "in the way");
  win32::SnapshotThread second(q.prompter);
  second.Start(q.Exe(), kToday);
  ASSERT_TRUE(WaitUntil([&] { return !second.Running(); }));
  ASSERT_EQ(q.prompter.Texts(), std::vector<std::string>{"ファイル " + q.folder.Path("BACKUP") + " を作成できません"});
  EXPECT_EQ(q.folder.Read("BACKUP"), "in the way");
}
