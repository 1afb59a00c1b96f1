#include <gtest/gtest.h>

#include <filesystem>

#include "base/shell_path.h"
#include "base/utf16.h"
#include "launch/launcher_layout.h"
#include "launch_button/button_settings_window.h"
#include "storage/paths.h"
#include "storage/text_codec.h"
#include "support.h"

using namespace win32::launcher;
using testing_support::LauncherHarness;
using testing_support::WhenWindowAppears;
using W = win32::ButtonSettingsWindow;

namespace {

constexpr wchar_t kClass[] = L"ZubiButtonSettings";
constexpr wchar_t kCaption[] = L"アプリケーションの設定";

std::string BesideTheTests(const std::string& name) {
  std::string self = win32::Narrow(win32::ModulePath());
  return self.substr(0, self.rfind('\\') + 1) + name;
}

// Opens the settings dialog of launch button k by a right-button release and runs
// `act` on another thread with the dialog's window, which `act` must close.
void WithSettingsDialog(LauncherHarness& h, int k, const std::function<void(HWND)>& act) {
  auto actor = WhenWindowAppears(kClass, kCaption, [&](HWND dialog) {
    if (!dialog) return;
    act(dialog);
  });
  HWND button = h.window->Control(kLaunchButton1 + k - 1);
  SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));  // returns when the dialog closed
  actor.join();
}

void Type(HWND dialog, int id, const std::string& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::Widen(text).c_str()));
}

void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Wine's process start breaks on a working folder whose long form passes 260
// characters, whatever short form it is given (Windows takes the short form).
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

}  // namespace

TEST(SettingsWindow, OpensBelowItsButtonAndStopsAtTheScreensRightEdge) {
  LauncherHarness h;
  h.Create();
  h.window->Start();
  RECT nearLeft{}, atEdge{}, button{};
  GetWindowRect(h.window->Control(kLaunchButton1), &button);
  WithSettingsDialog(h, 1, [&](HWND dialog) {
    GetWindowRect(dialog, &nearLeft);
    Press(dialog, W::kCancelButton);
  });
  EXPECT_EQ(nearLeft.left, button.left);
  EXPECT_EQ(nearLeft.top, button.bottom + 1);
  EXPECT_EQ(nearLeft.right - nearLeft.left, 420);
  RECT client;
  WithSettingsDialog(h, 1, [&](HWND dialog) {
    GetClientRect(dialog, &client);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(client.bottom, 216);  // the key, the switch, the pause and the folder menu below the rest

  const int screen = GetSystemMetrics(SM_CXSCREEN);
  SetWindowPos(h.window->Handle(), nullptr, screen - 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  WithSettingsDialog(h, 5, [&](HWND dialog) {
    GetWindowRect(dialog, &atEdge);
    SendMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    Press(dialog, W::kCancelButton);
  });
  EXPECT_EQ(atEdge.right, screen);
  EXPECT_TRUE(IsWindowEnabled(h.window->Handle()));
}

TEST(SettingsWindow, OkRegistersAnExistingPathAndRefusesAnEmptyOrMissingOne) {
  LauncherHarness h;
  h.Create();
  const std::string recorder = BesideTheTests("recorder.exe");
  WithSettingsDialog(h, 2, [&](HWND dialog) {
    Type(dialog, W::kTitleEdit, "typed");
    Type(dialog, W::kPathEdit, recorder);
    Press(dialog, W::kOkButton);
  });
  core::TLaunchButton& b = h.launcher->Button(2);
  EXPECT_EQ(b.Entry().path, recorder);
  EXPECT_EQ(b.Entry().title, "recorder");  // derived: the button was empty in the file
  EXPECT_NE(h.folder.Read("DATA\\User11.dat").find("ProgTitle=recorder\r\n"), std::string::npos);
  EXPECT_TRUE(h.window->ButtonControl(2).HasGlyph());

  WithSettingsDialog(h, 2, [&](HWND dialog) {
    Type(dialog, W::kPathEdit, "C:\\no such folder\\nothing.exe");
    Press(dialog, W::kOkButton);
  });
  EXPECT_EQ(h.prompter.Texts().back(), "ファイル（ディレクトリ）が存在しません！！");
  EXPECT_EQ(b.Entry().path, recorder);

  WithSettingsDialog(h, 2, [&](HWND dialog) {
    Type(dialog, W::kPathEdit, "");
    Press(dialog, W::kOkButton);
  });
  EXPECT_EQ(h.prompter.Texts().back(), "パス名は必ず必要です！！");
  EXPECT_EQ(b.Entry().path, "");
  EXPECT_NE(h.folder.Read("DATA\\User11.dat").find("ProgTitle=recorder\r\n"), std::string::npos);  // not saved
}

TEST(SettingsWindow, IconButtonShowsAFilesIconsOrRefusesAFileWithout) {
  LauncherHarness h;
  h.Create();
  const std::string icons = BesideTheTests("icons.exe");
  core::TLaunchButton& b = h.launcher->Button(1);
  testing_support::SetPath(b, BesideTheTests("recorder.exe"));
  h.launcher->Editor().OnBtnUpdated(b);
  h.folder.Write("plain.txt", "no icons here");
  const std::string plain = h.folder.Path("plain.txt");

  std::vector<std::optional<std::string>> choices{icons, plain};
  W::FileChooser() = [&] {
    auto choice = choices.front();
    choices.erase(choices.begin());
    return choice;
  };
  int max = -1;
  bool previewAfterIcons = false, previewAfterPlain = false;
  WithSettingsDialog(h, 1, [&](HWND dialog) {
    Press(dialog, W::kIconButton);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(GetDlgItem(dialog, W::kIconScrollBar), SB_CTL, &info);
    max = info.nMax;
    previewAfterIcons = true;
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, W::kIconScrollBar)));
    Press(dialog, W::kIconButton);
    previewAfterPlain = true;
    Press(dialog, W::kCancelButton);
  });
  W::FileChooser() = nullptr;
  EXPECT_TRUE(previewAfterIcons && previewAfterPlain);
  EXPECT_EQ(max, 4);
  EXPECT_EQ(b.Entry().iconNo, 1);  // the scroll bar moved one icon on
  EXPECT_EQ(h.prompter.Texts().back(), "このファイルにはアイコンがありません！！");
  EXPECT_EQ(b.Entry().iconPath, "");
  EXPECT_EQ(h.launcher->Editor().IconSource(1), plain);
}

TEST(SettingsWindow, PreviewShowsTheChosenIcon) {
  LauncherHarness h;
  h.Create();
  const std::string icons = BesideTheTests("icons.exe");
  core::TLaunchButton& b = h.launcher->Button(1);
  testing_support::Set(b, &core::ButtonEntry::iconPath, icons);
  testing_support::Set(b, &core::ButtonEntry::iconNo, 3);
  testing_support::SetPath(b, icons);
  bool drawn = false;
  COLORREF middle = 0;
  auto observer = WhenWindowAppears(kClass, kCaption, [&](HWND dialog) {
    if (!dialog) return;
    Press(dialog, W::kCancelButton);
  });
  // The dialog is looked at from the inside: its window object is the one the button built.
  auto view = std::make_unique<W>(h.window->Control(kLaunchButton1), h.window->Handle());
  W* window = view.get();
  core::TButtonSettingsDlg dialog({b.Entry(), ""}, *view, {h.shell, h.prompter, h.files, {h.environment, h.probe}},
                                  nullptr);
  dialog.Execute();
  observer.join();
  ASSERT_NE(window->Preview(), nullptr);
  drawn = true;
  middle = win32::GlyphPixel(*window->Preview(), 16, 28);
  EXPECT_TRUE(drawn);
  EXPECT_NE(middle, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(dialog.ScrollMax(), 4);
  EXPECT_EQ(dialog.ScrollPosition(), 3);
}

TEST(SettingsWindow, AwkwardPathsRegisterAndStartOrAreRefusedWithoutLosingAnything) {
  const std::string recorder = BesideTheTests("recorder.exe");
  LauncherHarness h;
  h.useRealShell = true;
  h.Create();
  // Through "\\?\" paths: the standard library cannot reach past 260 characters here.
  auto longForm = [](const std::string& path) { return L"\\\\?\\" + win32::Widen(path); };
  std::vector<std::string> madeFolders;
  auto copyRecorder = [&](const std::string& relative) {
    std::string target = h.folder.Path(relative);
    for (size_t at = h.folder.Path().size() + 1; (at = target.find('\\', at)) != std::string::npos; ++at) {
      madeFolders.push_back(target.substr(0, at));
      CreateDirectoryW(longForm(madeFolders.back()).c_str(), nullptr);
    }
    CopyFileW(longForm(recorder).c_str(), longForm(target).c_str(), FALSE);
    return target;
  };
  const std::string spaced = copyRecorder("with space\\rec order.exe");
  const std::string foreign = copyRecorder("外字\\한글 도구.exe");
  const std::string deep = copyRecorder(std::string(130, 'd') + "\\" + std::string(120, 'e') + "\\deep.exe");
  ASSERT_GT(deep.size(), 260u);

  struct Case {
    std::string typed;
    bool registers;
    bool starts;
    std::string logFolder;  // where the started copy writes its log
  };
  const Case cases[] = {
      {spaced, true, true, h.folder.Path("with space")},
      {foreign, true, true, h.folder.Path("外字")},
      {deep, true, !UnderWine(), deep.substr(0, deep.rfind('\\'))},
      {spaced + " ", true, true, h.folder.Path("with space")},
      {"\"" + spaced + "\"", false, false, ""},
      {"https://example.com/tool", true, false, ""},  // an address goes to the shell as typed
      {spaced + " -x", false, false, ""},
      {h.folder.Path("with space"), true, false, ""},
  };
  int k = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    size_t messages = h.prompter.Texts().size();
    WithSettingsDialog(h, k, [&](HWND dialog) {
      Type(dialog, W::kPathEdit, c.typed);
      Press(dialog, W::kOkButton);
    });
    core::TLaunchButton& b = h.launcher->Button(k);
    std::string bytes;
    h.files.ReadWhole(h.folder.Path("DATA\\User11.dat"), bytes);
    const std::string page = core::DecodeText(bytes, h.codePage);
    if (!c.registers) {
      EXPECT_EQ(h.prompter.Texts().size(), messages + 1);
      EXPECT_EQ(b.Entry().path, "");
    } else {
      EXPECT_EQ(b.Entry().path, c.typed);
      EXPECT_NE(page.find("ProgPath=" + c.typed + "\r\n"), std::string::npos)
          << page << testing::PrintToString(h.prompter.Texts());
    }
    if (c.starts) {
      std::string log = c.logFolder + "\\recorder.log";
      DeleteFileW(win32::Widen(log).c_str());
      HWND button = h.window->Control(kLaunchButton1 + k - 1);
      SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
      EXPECT_TRUE(testing_support::WaitUntil([&] {
        return GetFileAttributesW(win32::Widen(log).c_str()) != INVALID_FILE_ATTRIBUTES;
      })) << "it did not start";
    }
    ++k;
  }
  // The shell gets paths it can take.
  EXPECT_LT(win32::ShellPath(deep).size(), static_cast<size_t>(MAX_PATH));
  EXPECT_LT(win32::ShellPath(deep.substr(0, deep.rfind('\\'))).size(), static_cast<size_t>(MAX_PATH));
  EXPECT_EQ(win32::ShellPath(spaced), win32::Widen(spaced));

  // What was registered is all still there after a reload.
  h.launcher->Command(core::command::kFastTopButton);
  EXPECT_EQ(h.launcher->Button(2).Entry().path, foreign);
  EXPECT_EQ(h.launcher->Button(3).Entry().path, deep);

  DeleteFileW(longForm(deep).c_str());
  DeleteFileW(longForm(deep.substr(0, deep.rfind('\\')) + "\\recorder.log").c_str());
  for (auto it = madeFolders.rbegin(); it != madeFolders.rend(); ++it) RemoveDirectoryW(longForm(*it).c_str());
}
