#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <thread>

#include "base/lazy_library.h"
#include "base/log.h"
#include "base/log_file.h"
#include "base/utf16.h"
#include "base/win_change_watch.h"
#include "base/win_environment.h"
#include "base/win_file_probe.h"
#include "base/win_shell.h"
#include "components/key_names.h"
#include "launch/app_window.h"
#include "launch/single_instance.h"
#include "storage/ini_store.h"
#include "storage/paths.h"
#include "support.h"

using testing_support::TempFolder;
using testing_support::WaitUntil;

TEST(WinCodePage, Code932RoundTripsAndRefusesWhatItCannotHold) {
  EXPECT_EQ(GetACP(), 932u) << "Wine must run with a Japanese locale";
  win32::WinCodePage cp(932);
  const std::string text = "ﾍﾟｰｼﾞ表示～";
  auto bytes = cp.FromUtf8(text);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, "\xCD\xDF\xB0\xBC\xDE\x95\x5C\x8E\xA6\x81\x60");
  EXPECT_EQ(cp.ToUtf8(*bytes), text);
  EXPECT_FALSE(cp.FromUtf8("한국어").has_value());
  EXPECT_FALSE(cp.FromUtf8("Ünïcode").has_value());
}

TEST(WinFileSystem, WritesReplaceWholeFilesAndFailuresLeaveNothingBehind) {
  TempFolder folder;
  win32::WinFileSystem files;
  win32::WinCodePage cp(932);
  core::IniStore store(files, cp);
  core::IniImage ini;
  ini.WriteString("User", "User1", "한국어の名前");
  store.Save(folder.Path("a.ini"), ini);
  EXPECT_EQ(folder.Read("a.ini").substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(store.Load(folder.Path("a.ini")).ReadString("User", "User1", ""), "한국어の名前");

  std::filesystem::create_directory(core::ToFsPath(folder.Path("b.ini")));
  EXPECT_FALSE(files.WriteWhole(folder.Path("b.ini"), "x"));
  EXPECT_FALSE(std::filesystem::exists(core::ToFsPath(folder.Path("b.ini.zubi-new"))));
  EXPECT_FALSE(files.WriteWhole(folder.Path("missing\\c.ini"), "x"));

  // Past the classic 260-character limit.
  std::string deep = folder.Path(std::string(120, 'd'));
  ASSERT_TRUE(files.CreateFolder(deep));
  std::string longPath = deep + "\\" + std::string(150, 'f') + ".dat";
  EXPECT_TRUE(files.WriteWhole(longPath, "[PageTitle]\r\n"));
  std::string back;
  EXPECT_EQ(files.ReadWhole(longPath, back), core::ReadStatus::kRead);
  EXPECT_EQ(back, "[PageTitle]\r\n");
}

namespace {

FILETIME WriteTimeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(win32::Widen(path).c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

bool SetWriteTime(const std::string& path, const FILETIME& time) {
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool set = SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
  return set;
}

core::IniImage Titled(const std::string& title) {
  core::IniImage ini;
  ini.WriteString("PageTitle", "PageTitle", title);
  return ini;
}

}  // namespace

// The file system's clock and the files' write times count alike: a file written an
// hour ago is read once and then taken as kept (even while another program holds it
// locked), while one written just now is read again, so that a change of the same
// size within the same write time (a coarse clock) is seen.
TEST(WinFileSystem, TheClockAndTheWriteTimesCountAlike) {
  TempFolder folder;
  win32::WinFileSystem files;
  win32::WinCodePage cp(932);
  core::IniStore mine(files, cp), theirs(files, cp);
  const std::string path = folder.Path("User11.dat");

  theirs.Save(path, Titled("old"));
  ULARGE_INTEGER anHourAgo{};
  anHourAgo.QuadPart = static_cast<ULONGLONG>(files.Now()) - 3600ULL * 10'000'000ULL;
  ASSERT_TRUE(SetWriteTime(path, {anHourAgo.LowPart, anHourAgo.HighPart}));
  EXPECT_EQ(mine.Load(path).ReadString("PageTitle", "PageTitle", ""), "old");
  HANDLE locked = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  std::string bytes;
  EXPECT_EQ(files.ReadWhole(path, bytes), core::ReadStatus::kFailed);  // a read would fail now
  EXPECT_EQ(mine.Load(path).ReadString("PageTitle", "PageTitle", ""), "old");
  CloseHandle(locked);

  theirs.Save(path, Titled("one"));
  const FILETIME written = WriteTimeOf(path);
  EXPECT_EQ(mine.Load(path).ReadString("PageTitle", "PageTitle", ""), "one");
  theirs.Save(path, Titled("two"));
  ASSERT_TRUE(SetWriteTime(path, written));
  EXPECT_EQ(mine.Load(path).ReadString("PageTitle", "PageTitle", ""), "two");
}

namespace {

// Another program's handle on `path`: held for `hold` ms, let go for `gap` ms, and
// taken again, until `total` ms have passed (held once when no total is given).
std::thread HoldOpen(const std::string& path, DWORD share, DWORD hold, DWORD gap = 0, DWORD total = 0) {
  const std::wstring name = win32::Widen(path);
  auto open = [=] { return CreateFileW(name.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr); };
  HANDLE first = open();
  EXPECT_NE(first, INVALID_HANDLE_VALUE) << path;
  return std::thread([=] {
    const ULONGLONG start = GetTickCount64();
    for (HANDLE file = first;; file = open()) {
      Sleep(hold);
      CloseHandle(file);
      if (GetTickCount64() - start + gap + hold > total) return;
      Sleep(gap);
    }
  });
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

}  // namespace

// A virus scanner, the search indexer or a sync client that has a file open makes a
// replace, rename or delete of it fail: each tries again until the reader lets go, be
// it for 40 ms between holds of 250 ms, and a save gives up after about two seconds,
// with the old file intact.
TEST(WinFileSystem, FileChangesWaitForAReaderToLetGo) {
  TempFolder folder;
  win32::WinFileSystem files;
  win32::WinCodePage cp(932);
  core::IniStore store(files, cp);
  const std::string path = folder.Path("User11.dat");
  store.Save(path, Titled("old"));

  std::thread reader = HoldOpen(path, kShareAll, 250, 40, 3000);
  const std::string typed = "twelve chars";
  for (size_t n = 1; n <= typed.size(); ++n) EXPECT_NO_THROW(store.Save(path, Titled(typed.substr(0, n)))) << n;
  EXPECT_NO_THROW(store.Save(path, Titled("new")));
  reader.join();
  EXPECT_EQ(folder.Read("User11.dat"), "[PageTitle]\r\nPageTitle=new\r\n\r\n");

  reader = HoldOpen(path, kShareAll, 3000);
  try {
    store.Save(path, Titled("lost"));
    ADD_FAILURE() << "a save over a file held for 3 s succeeded";
  } catch (const core::Error& e) {
    EXPECT_EQ(std::string(e.what()), core::Format("ファイル %s を作成できません", path));
  }
  reader.join();
  EXPECT_EQ(folder.Read("User11.dat"), "[PageTitle]\r\nPageTitle=new\r\n\r\n");
  EXPECT_FALSE(folder.Exists("User11.dat.zubi-new"));

  // A reader that does not share deleting holds off renames and deletes too.
  reader = HoldOpen(path, kShareReadWrite, 300);
  EXPECT_TRUE(files.RenameFile(path, folder.Path("Jo1.dat")));
  reader.join();
  reader = HoldOpen(folder.Path("Jo1.dat"), kShareReadWrite, 300);
  EXPECT_TRUE(files.RemoveFile(folder.Path("Jo1.dat")));
  reader.join();
  EXPECT_FALSE(folder.Exists("User11.dat") || folder.Exists("Jo1.dat"));
}

// A save replaces by handle first. A system without that replace (Wine, older Windows,
// FAT) is not asked again in this run; a refusal for a held file is asked again at the
// next save. Either way the classic replace saves the file.
TEST(WinFileSystem, AReplaceByHandleThatTheSystemLacksIsNotAskedAgain) {
  struct Case {
    DWORD answer;
    int asksOfTwoSaves;
  } cases[] = {{ERROR_INVALID_PARAMETER, 1}, {ERROR_NOT_SUPPORTED, 1},     {ERROR_INVALID_FUNCTION, 1},
               {ERROR_ACCESS_DENIED, 2},     {ERROR_SHARING_VIOLATION, 2}, {ERROR_SUCCESS, 2}};
  for (const Case& c : cases) {
    TempFolder folder;
    int asked = 0;
    win32::WinFileSystem files([&](const std::wstring& from, const std::wstring& to) -> unsigned long {
      ++asked;
      if (c.answer != ERROR_SUCCESS) return c.answer;
      return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? ERROR_SUCCESS : GetLastError();
    });
    for (const char* bytes : {"one", "two"}) EXPECT_TRUE(files.WriteWhole(folder.Path("User11.dat"), bytes));
    EXPECT_EQ(asked, c.asksOfTwoSaves) << c.answer;
    EXPECT_EQ(folder.Read("User11.dat"), "two") << c.answer;
    EXPECT_FALSE(folder.Exists("User11.dat.zubi-new")) << c.answer;
  }
}

TEST(WinFileSystem, AttributesAreTheSystemsOwn) {
  TempFolder folder;
  win32::WinFileSystem files;
  folder.Write("p.dat", "x");
  std::string path = folder.Path("p.dat");
  ASSERT_TRUE(files.SetAttributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  // Wine keeps the archive bit on every file; the two set here are what counts.
  EXPECT_EQ(files.Attributes(path).value_or(0) & ~core::kAttributeArchive,
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(files.SetAttributes(path, core::kAttributeArchive));
  EXPECT_EQ(files.Attributes(path), core::kAttributeArchive);
  EXPECT_EQ(files.Attributes(folder.Path("none")), std::nullopt);
}

TEST(WinEnvironment, ReportsTheDesktopTheDateSeparatorAndTheTime) {
  win32::WinEnvironment environment;
  std::string desktop = environment.FolderPath(core::kFolderDesktop);
  EXPECT_FALSE(desktop.empty());
  EXPECT_TRUE(std::filesystem::is_directory(core::ToFsPath(desktop))) << desktop;
  EXPECT_EQ(environment.DateSeparator(), "/");
  EXPECT_EQ(environment.LongTimeText({2026, 12, 8, 9, 5, 7}), "9:05:07");
  EXPECT_NE(environment.ExecutablePath().find("win32_tests.exe"), std::string::npos);
}

TEST(SingleInstance, SecondClaimFindsTheRunningOrStartingInstanceAndALeftAtomIsTakenOver) {
  using win32::InstanceCheck;
  // The running instance is a window of this process, so it runs under this file name.
  const std::wstring name = win32::FileNameOf(win32::ModulePath());
  win32::InstanceClaim first;
  ASSERT_EQ(win32::ClaimSingleInstance(name, first), InstanceCheck::kFirst);
  ASSERT_TRUE(GlobalFindAtomW(name.c_str()));
  ASSERT_TRUE(first.mutex);
  {
    win32::AppWindow running;
    win32::InstanceClaim second;
    EXPECT_EQ(win32::ClaimSingleInstance(name, second), InstanceCheck::kAnotherRuns);
    EXPECT_FALSE(second.atom);
    EXPECT_FALSE(second.mutex);

    // A copy under another name, whose atom a crash left behind, starts all the same:
    // the window with the title belongs to this copy, not to that one.
    const std::wstring other = L"zubi-instance-test-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    ATOM left = GlobalAddAtomW(other.c_str());
    win32::InstanceClaim copy;
    EXPECT_EQ(win32::ClaimSingleInstance(other, copy), InstanceCheck::kFirst);
    EXPECT_EQ(copy.atom.get(), left);
  }
  // The first copy is still starting: it holds the mutex and has no window yet. A
  // second start (also one at the same instant) looks for the window a while, then ends.
  win32::InstanceClaim second;
  ULONGLONG before = GetTickCount64();
  EXPECT_EQ(win32::ClaimSingleInstance(name, second, 300), InstanceCheck::kAnotherRuns);
  EXPECT_GE(GetTickCount64() - before, 250u);
  EXPECT_FALSE(second.atom);

  // A killed copy leaves its atom; the mutex went with it. The next start takes the
  // atom over at once.
  ATOM stale = first.atom.release();
  first.mutex.reset();
  win32::InstanceClaim third;
  before = GetTickCount64();
  EXPECT_EQ(win32::ClaimSingleInstance(name, third, 5000), InstanceCheck::kFirst);
  EXPECT_LT(GetTickCount64() - before, 1000u);
  EXPECT_EQ(third.atom.get(), stale);
  third.atom.reset();
  EXPECT_FALSE(GlobalFindAtomW(name.c_str()));

  EXPECT_EQ(win32::FileNameOf(L"C:\\Tools\\Launch.exe"), L"Launch.exe");

  // An atom name holds at most 255 characters: a longer file name cannot be marked.
  win32::InstanceClaim none;
  EXPECT_EQ(win32::ClaimSingleInstance(std::wstring(300, L'z') + L".exe", none), InstanceCheck::kCannotStart);
}

// The program restricts the search first thing. A library beside the program, found
// by its name before, is not found after (last here: the restriction stays).
TEST(LibrarySearch, ALibraryBesideTheProgramIsNoLongerFoundOnceTheSearchIsRestricted) {
  HMODULE before = LoadLibraryW(L"zubi_planted.dll");
  ASSERT_TRUE(before) << "the planted library lies beside the tests";
  FreeLibrary(before);
  ASSERT_TRUE(win32::RestrictLibrarySearch());
  HMODULE after = LoadLibraryW(L"zubi_planted.dll");
  EXPECT_FALSE(after);
  if (after) FreeLibrary(after);
  EXPECT_TRUE(LoadLibraryW(L"version.dll")) << "system libraries are still found";
}

// Names of the shell's namespace: the shell knows them, also on a thread of its own
// (where the missing-app check runs), and names the computer. Wine also takes names
// it does not know, and names no shell: folder, so the other answers are Windows' own.
TEST(WinShell, ShellNamesAreKnownAndNamedByTheShell) {
  win32::WinShell shell;
  win32::WinFileProbe probe;
  for (const char* known : {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "shell:Personal", "shell:Desktop"}) {
    EXPECT_TRUE(probe.ShellItemExists(known)) << known;
    bool onThread = false;
    std::thread([&] { onThread = probe.ShellItemExists(known); }).join();
    EXPECT_TRUE(onThread) << known;
  }
  EXPECT_FALSE(shell.DisplayName("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}").empty());
  EXPECT_FALSE(probe.ShellItemExists(""));
}

// A watched start tells a console program (whose window may be a terminal's, another
// process) from a program with windows of its own, by its executable's header.
TEST(WinShell, AWatchedStartTellsAConsoleProgramFromOneWithWindows) {
  win32::WinShell shell;
  const std::string tests = win32::Narrow(win32::ModulePath());
  for (const auto& [name, console] : {std::pair{"lingering_console.exe", true}, {"lingering_window.exe", false}}) {
    core::ShellRequest request;
    request.file = tests.substr(0, tests.rfind('\\') + 1) + name;
    core::WatchedStart start = shell.ExecuteWatched(request);
    ASSERT_TRUE(start.started && start.process) << name;
    EXPECT_EQ(start.process->IsConsoleProgram(), console) << name;
  }
}

// The watch reports removals, holds no change back behind a neighbour that writes its
// own file without end, never reports the log, and comes back when DATA goes and is
// made again (a restore, a sync client's conflict).
TEST(WinChangeWatch, ReportsRemovalsWithinASecondAndWatchesDataAgainOnceItIsBack) {
  TempFolder folder;
  folder.Write("DATA\\User11.dat", "[PageTitle]\r\n");
  const win32::UniqueHwnd answers = testing_support::MakeAnswerWindow();
  struct Report {
    ULONGLONG at;
    std::vector<std::string> paths;
  };
  std::vector<Report> reports;
  auto reported = [&](const std::string& name) -> std::optional<ULONGLONG> {
    for (const Report& report : reports)
      for (const std::string& path : report.paths)
        if (core::SameTextIgnoringCase(path, folder.Path(name))) return report.at;
    return std::nullopt;
  };
  win32::WinChangeWatch watch(answers.get(), {win32::Widen(folder.Path("zubi.log"))});
  watch.Watch({folder.Path(""), folder.Path("DATA")}, [&](const std::vector<std::string>& paths) {
    reports.push_back({GetTickCount64(), paths});
  });
  // Armed once a first write is seen.
  ASSERT_TRUE(WaitUntil([&] {
    folder.Write("DATA\\first.txt", "x");
    return reported("DATA\\first.txt").has_value();
  })) <<
      [&] {
        std::string all;
        for (const Report& report : reports)
          for (const std::string& path : report.paths) all += path + "\n";
        return all;
      }();

  ASSERT_TRUE(DeleteFileW(win32::Widen(folder.Path("DATA\\User11.dat")).c_str()));
  EXPECT_TRUE(WaitUntil([&] { return reported("DATA\\User11.dat").has_value(); }, 3000)) << "a removal";

  std::atomic<bool> busy{true};
  std::thread neighbour([&] {
    for (int i = 0; busy && i < 30; ++i, Sleep(100)) folder.Write("DATA\\sync.state", std::to_string(i));
  });
  Sleep(300);
  folder.Write("DATA\\User12.dat", "[PageTitle]\r\n");
  folder.Write("zubi.log", "a line\r\n");
  const ULONGLONG written = GetTickCount64();
  EXPECT_TRUE(WaitUntil([&] { return reported("DATA\\User12.dat").has_value(); }, 5000));
  busy = false;
  neighbour.join();
  EXPECT_LT(reported("DATA\\User12.dat").value_or(written + 9999) - written, 2000u)
      << "held back by the neighbour's writes";

  // Renamed away (a sync client's conflict copy), then made again. A removal is the
  // same to the watch, but under Wine a folder still watched stays delete pending.
  ASSERT_TRUE(MoveFileW(win32::Widen(folder.Path("DATA")).c_str(), win32::Widen(folder.Path("DATA.old")).c_str()));
  ASSERT_TRUE(CreateDirectoryW(win32::Widen(folder.Path("DATA")).c_str(), nullptr));
  EXPECT_TRUE(WaitUntil([&] { return reported("DATA\\").has_value(); }, 3000)) << "DATA back, all its files";
  EXPECT_TRUE(WaitUntil(
      [&] {
        folder.Write("DATA\\User13.dat", "[PageTitle]\r\n");
        return reported("DATA\\User13.dat").has_value();
      },
      3000))
      << "the new DATA is watched";
  EXPECT_FALSE(reported("zubi.log").has_value()) << "the log's lines wake nobody";
  std::filesystem::remove_all(std::filesystem::path(win32::Widen(folder.Path("DATA.old"))));
  EXPECT_FALSE(folder.Exists("DATA.old")) << "the old folder was let go";
  watch.Stop();
}

// Failures go to the log beside the program, a line each after the local time; past
// its cap the log becomes the old one and begins again; where the log cannot be
// written (a folder stands there, as on a read-only stick), nothing is logged and
// nothing fails.
TEST(LogFile, KeepsEachFailureTurnsOverAtItsCapAndWritesNothingWhereItCannot) {
  TempFolder folder;
  {
    win32::LogFile log(win32::Widen(folder.Path("tool.exe")), 400);
    win32::LogFailure("watching a folder", "error 5\r\ndenied");
    ASSERT_TRUE(log.Flush(3000));
    const std::string first = folder.Read("tool.log");
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(first.substr(0, 8), "\xEF\xBB\xBF" + std::to_string(now.wYear) + "-") << first;
    EXPECT_EQ(first.find("\r\n"), first.size() - 2) << "one line";
    EXPECT_NE(first.find(" watching a folder: error 5  denied\r\n"), std::string::npos) << first;
    for (int i = 1; i <= 10; ++i) win32::LogFailure("step " + std::to_string(i), std::string(40, 'x'));
    ASSERT_TRUE(log.Flush(3000));
    const std::string newer = folder.Read("tool.log"), older = folder.Read("tool.old.log");
    EXPECT_LE(newer.size(), 400u);
    EXPECT_LE(older.size(), 400u);
    EXPECT_NE(newer.find("step 10: "), std::string::npos);
    EXPECT_EQ((newer + older).find("watching"), std::string::npos) << "only one older log is kept";
  }
  folder.Write("stick\\tool.log\\inside", "");
  {
    win32::LogFile log(win32::Widen(folder.Path("stick\\tool.exe")));
    win32::LogFailure("reading", "nothing");
    EXPECT_TRUE(log.Flush(3000));
    EXPECT_FALSE(folder.Exists("stick\\tool.old.log"));
  }
}
