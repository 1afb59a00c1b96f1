#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "base/win.h"

#include <dbt.h>

#include "base/posted_closure.h"
#include "base/utf16.h"
#include "base/win_background.h"
#include "base/win_environment.h"
#include "base/win_file_probe.h"
#include "launch/launcher_layout.h"
#include "launch_button/icon_glyph.h"
#include "launch_button/target_path.h"
#include "support.h"

using testing_support::LauncherHarness;
using testing_support::PixelsShown;
using testing_support::WaitUntil;

namespace {

std::string TestFolder() {
  std::string self = win32::Narrow(win32::ModulePath());
  return self.substr(0, self.rfind('\\'));
}

// Pixels whose channels lie far apart: colour, not grey.
int ColouredPixels(const win32::Glyph& glyph) {
  int coloured = 0;
  for (int y = 0; y < glyph.size; ++y)
    for (int x = 0; x < glyph.size; ++x) {
      COLORREF c = win32::GlyphPixel(glyph, x, y);
      int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
      int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
      if (high - low > 40) ++coloured;
    }
  return coloured;
}

}  // namespace

TEST(ProgramPaths, VariablesExpandAsTheSystemExpandsThem) {
  SetEnvironmentVariableW(L"ZUBI_TEST_A", L"alpha");
  SetEnvironmentVariableW(L"ZUBI_TEST_B", L"C:\\b");
  SetEnvironmentVariableW(L"ZUBI_TEST_NEST", L"%ZUBI_TEST_A%");
  SetEnvironmentVariableW(L"ZUBI_TEST_UNSET", nullptr);
  win32::WinEnvironment environment;
  auto lookup = [&environment](const std::string& name) { return environment.Variable(name); };
  for (const char* text : {"%ZUBI_TEST_A%\\x.exe", "%zubi_test_b%\\y", "%ZUBI_TEST_A%%ZUBI_TEST_B%",
                           "%ZUBI_TEST_UNSET%\\x", "%ZUBI_TEST_UNSET%ZUBI_TEST_A%", "%%", "%%ZUBI_TEST_A%", "100%",
                           "%ZUBI_TEST_A", "a%b%c", "%ZUBI_TEST_NEST%", "日本語\\%ZUBI_TEST_A%\\ファイル.exe", ""}) {
    std::wstring wide = win32::Widen(text);
    std::wstring expanded(32768, L'\0');
    DWORD n = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    ASSERT_GT(n, 0u) << text;
    expanded.resize(n - 1);
    EXPECT_EQ(core::ExpandVariables(text, lookup), win32::Narrow(expanded)) << text;
  }
  EXPECT_EQ(environment.Variable("ZUBI_TEST_UNSET"), std::nullopt);
  SetEnvironmentVariableW(L"ZUBI_TEST_EMPTY", L"");
  EXPECT_EQ(environment.Variable("ZUBI_TEST_EMPTY"), std::optional<std::string>(""));
}

TEST(ProgramPaths, TheProgramFolderIsPublishedForPathsAndStartedPrograms) {
  win32::PublishProgramFolder("F:\\Portable\\Zubi\\zubi.exe");
  wchar_t value[MAX_PATH] = L"";
  ExpandEnvironmentStringsW(L"%ZUBI_DIR%\\Apps\\x.exe", value, MAX_PATH);
  EXPECT_STREQ(value, L"F:\\Portable\\Zubi\\Apps\\x.exe");
  win32::PublishProgramFolder("F:\\zubi.exe");  // at a drive's root: no doubled "\"
  ExpandEnvironmentStringsW(L"%ZUBI_DIR%\\Apps\\x.exe", value, MAX_PATH);
  EXPECT_STREQ(value, L"F:\\Apps\\x.exe");
  SetEnvironmentVariableW(L"ZUBI_DIR", nullptr);
}

TEST(ProgramPaths, TheProbeSeesFilesAndFoldersAndAsksNothing) {
  testing_support::TempFolder folder;
  folder.Write("a file.txt", "x");
  win32::WinFileProbe probe;
  EXPECT_TRUE(probe.Exists(folder.Path("a file.txt")));
  EXPECT_TRUE(probe.Exists(folder.Path()));
  EXPECT_FALSE(probe.Exists(folder.Path("gone.txt")));
  EXPECT_FALSE(probe.Exists(""));
  EXPECT_EQ(probe.KindOfDrive('C'), core::DriveKind::kFixed);
  // A letter no drive uses; the prefix maps only some of them.
  char unused = 0;
  for (char letter = 'Q'; letter <= 'Y' && !unused; ++letter)
    if (!(GetLogicalDrives() & (1u << (letter - 'A')))) unused = letter;
  ASSERT_NE(unused, 0);
  EXPECT_EQ(probe.KindOfDrive(unused), core::DriveKind::kAbsent);
  EXPECT_FALSE(probe.Exists(std::string(1, unused) + ":\\x.exe"));

  // The quiet mode lasts for its scope and leaves the thread's own mode as it was.
  SetThreadErrorMode(0, nullptr);
  {
    win32::QuietErrors quiet;
    EXPECT_TRUE(GetThreadErrorMode() & SEM_FAILCRITICALERRORS);
  }
  EXPECT_EQ(GetThreadErrorMode(), 0u);
}

TEST(ProgramPaths, BackgroundWorkRunsInOrderOnItsOwnThreadAndAnswersOnTheWindowsThread) {
  LauncherHarness h;
  h.Create();
  const DWORD windowThread = GetCurrentThreadId();
  const std::string folder = h.folder.Path();
  std::vector<std::pair<int, DWORD>> answers;  // (piece, thread it ran on), on the window's thread
  std::vector<DWORD> answeredOn;
  auto background = std::make_unique<win32::WinBackground>(h.window->Handle());
  for (int piece = 0; piece < 3; ++piece) {
    background->Run([&answers, &answeredOn, piece, folder](const core::FileProbe& probe) -> core::Background::Done {
      DWORD worker = GetCurrentThreadId();
      bool seen = probe.Exists(folder);
      return [&answers, &answeredOn, piece, worker, seen] {
        answers.emplace_back(seen ? piece : -1, worker);
        answeredOn.push_back(GetCurrentThreadId());
      };
    });
  }
  ASSERT_TRUE(WaitUntil([&] { return answers.size() == 3; }));
  for (int piece = 0; piece < 3; ++piece) {
    EXPECT_EQ(answers[static_cast<size_t>(piece)].first, piece);
    EXPECT_NE(answers[static_cast<size_t>(piece)].second, windowThread);
    EXPECT_EQ(answers[static_cast<size_t>(piece)].second, answers[0].second);  // one worker
    EXPECT_EQ(answeredOn[static_cast<size_t>(piece)], windowThread);
  }

  // Going while a piece waits on a sleeping drive: what was queued behind it never runs.
  HANDLE wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto later = std::make_shared<std::atomic<int>>(0);
  background->Run([wake](const core::FileProbe&) -> core::Background::Done {
    WaitForSingleObject(wake, 5000);
    return {};
  });
  background->Run([later](const core::FileProbe&) -> core::Background::Done {
    ++*later;
    return {};
  });
  background.reset();
  SetEvent(wake);
  Sleep(300);
  EXPECT_EQ(later->load(), 0);
  CloseHandle(wake);

  // An answer whose window went before it ran is freed unrun, at the latest with the
  // next answer posted to any window.
  auto captured = std::make_shared<int>(0);
  HWND gone = testing_support::MakeAnswerWindow().release();
  win32::PostClosure(gone, [captured] { ++*captured; });
  DestroyWindow(gone);
  win32::PostClosure(h.window->Handle(), [captured] { ++*captured; });
  EXPECT_EQ(captured.use_count(), 2) << "the first answer is freed";
  ASSERT_TRUE(WaitUntil([&] { return *captured == 1; }));
  EXPECT_EQ(captured.use_count(), 1);
}

TEST(ProgramPaths, ADimmedGlyphIsGreyAndShowsTheTypeOfAMissingFile) {
  const std::string icons = TestFolder() + "\\icons.exe";
  win32::Glyph plain = win32::DrawIconGlyph({icons, 1, false}, false, 96);
  win32::Glyph dimmed = win32::DrawIconGlyph({icons, 1, false}, false, 96, true);
  EXPECT_GT(ColouredPixels(plain), 20);
  EXPECT_EQ(ColouredPixels(dimmed), 0);
  EXPECT_GT(PixelsShown(dimmed), 20);
  // A missing file shows no icon of its own; dimmed, the icon of its type stands in.
  const core::GlyphSource gone{TestFolder() + "\\no such program.exe", 0, true};
  EXPECT_EQ(PixelsShown(win32::DrawIconGlyph(gone, false, 96)), 0);
  EXPECT_GT(PixelsShown(win32::DrawIconGlyph(gone, false, 96, true)), 20);
  EXPECT_EQ(ColouredPixels(win32::DrawIconGlyph(gone, true, 96, true)), 0);
}

TEST(ProgramPaths, TheWindowDimsMissingProgramsAndLooksAgainWhenADriveArrivesOrItShowsAgain) {
  LauncherHarness h;
  const std::string icons = TestFolder() + "\\icons.exe";
  h.folder.Write("present.exe", "x");
  const std::string away = "\\\\?\\" + h.folder.Path("away.exe");  // a UNC form: looked at in the background
  h.folder.Write("DATA\\User11.dat",
                 "[Button1]\r\nProgPath=" + h.folder.Path("present.exe") + "\r\nIconPath=" + icons +
                     "\r\nIconNo=1\r\n[Button2]\r\nProgPath=" + h.folder.Path("gone.exe") + "\r\nIconPath=" + icons +
                     "\r\nIconNo=1\r\n[Button3]\r\nProgPath=gone2.exe\r\n[Button4]\r\nProgPath=" + away +
                     "\r\n[Button5]\r\nProgPath=https://example.org/\r\n");
  h.Create();
  h.window->CompleteStart();
  auto dimmed = [&h](int k) { return h.window->ButtonControl(k).Dimmed(); };
  EXPECT_FALSE(dimmed(1));
  EXPECT_TRUE(dimmed(2));
  EXPECT_FALSE(dimmed(3));  // a bare name is the shell's to find
  EXPECT_FALSE(dimmed(5));
  EXPECT_TRUE(WaitUntil([&] { return dimmed(4); }));
  ASSERT_TRUE(h.window->ButtonControl(1).CurrentGlyph() && h.window->ButtonControl(2).CurrentGlyph());
  EXPECT_GT(ColouredPixels(*h.window->ButtonControl(1).CurrentGlyph()), 20);
  EXPECT_EQ(ColouredPixels(*h.window->ButtonControl(2).CurrentGlyph()), 0);
  EXPECT_GT(PixelsShown(*h.window->ButtonControl(2).CurrentGlyph()), 20);
  // The hint stays the plain one.
  EXPECT_EQ(h.launcher->Button(2).Hint(), "gone.exe");

  h.folder.Write("gone.exe", "x");
  h.folder.Write("away.exe", "x");
  SendMessageW(h.window->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  EXPECT_FALSE(dimmed(2));
  EXPECT_TRUE(WaitUntil([&] { return !dimmed(4); }));
  EXPECT_GT(ColouredPixels(*h.window->ButtonControl(2).CurrentGlyph()), 20);

  DeleteFileW(win32::Widen(h.folder.Path("gone.exe")).c_str());
  ShowWindow(h.window->Handle(), SW_HIDE);
  EXPECT_FALSE(dimmed(2));  // nothing is looked at while hidden
  ShowWindow(h.window->Handle(), SW_SHOW);
  EXPECT_TRUE(dimmed(2));
}
