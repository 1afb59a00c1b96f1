#include <gtest/gtest.h>

#include "base/win.h"

#include <tlhelp32.h>

#include <atomic>
#include <set>
#include <thread>

#include "base/utf16.h"
#include "launch/daily_snapshot.h"
#include "launch/program.h"
#include "support.h"

using testing_support::FakePrompter;
using testing_support::TempFolder;
using testing_support::WaitUntil;

namespace {

std::set<DWORD> ThreadsOfThisProcess() {
  std::set<DWORD> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) threads.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return threads;
}

}  // namespace

// Quitting while the day's snapshot of thousands of pages is under way, another
// program writes pages and the page's buttons on a share are looked at: the program
// is gone within a second and a half, its threads with it; the settings file is whole,
// and no folder named for the day holds part of the pages.
TEST(Program, QuittingStopsEveryThreadAtOnceAndLeavesNoHalfSnapshot) {
  TempFolder folder;
  constexpr int kPages = 3000;
  folder.Write("zubi.ini", "[User1]\r\nPageNoControl=2\r\n");
  std::string buttons = "[PageTitle]\r\nPageTitle=share\r\n";
  for (int k = 1; k <= 10; ++k)
    buttons += "[Button" + std::to_string(k) + "]\r\nProgPath=\\\\nowhere" + std::to_string(k) + "\\share\\a.exe\r\n";
  folder.Write("DATA\\User11.dat", buttons);
  for (int page = 0; page < kPages; ++page) folder.Write("DATA\\Many" + std::to_string(page) + ".dat", "x");
  const std::string today = core::SnapshotName(win32::WinEnvironment().Now());
  const std::set<DWORD> before = ThreadsOfThisProcess();

  FakePrompter prompter;  // answers the quit question with Yes
  auto program = std::make_unique<win32::Program>(win32::Program::StandIns{folder.Path("zubi.exe"), &prompter});
  program->Start();
  ASSERT_TRUE(WaitUntil([&] { return folder.Exists("BACKUP\\" + today + ".partial\\Many1.dat"); }, 15000));
  std::atomic<bool> writing{true};
  std::thread other([&] {
    for (int i = 0; writing; ++i, Sleep(10)) folder.Write("DATA\\Other" + std::to_string(i % 5) + ".dat", "y");
  });
  Sleep(300);  // the watch has seen a burst begin

  const ULONGLONG start = GetTickCount64();
  SendMessageW(program->Window().Handle(), WM_CLOSE, 0, 0);
  ASSERT_FALSE(IsWindow(program->Window().Handle()));
  program.reset();
  const ULONGLONG took = GetTickCount64() - start;
  writing = false;
  other.join();

  EXPECT_LT(took, 1500u);
  std::set<DWORD> left;
  for (DWORD thread : ThreadsOfThisProcess())
    if (!before.count(thread)) left.insert(thread);
  EXPECT_TRUE(left.empty()) << left.size() << " threads left running";
  EXPECT_FALSE(folder.Exists("BACKUP\\" + today)) << "a day's folder with part of the pages";
  EXPECT_EQ(folder.Read("zubi.ini").substr(0, 9), "[User1]\r\n");
  EXPECT_FALSE(folder.Exists("zubi.ini.zubi-new"));
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"ZUBIらんちゃを終了して宜しいですか?"});
}
