#include <gtest/gtest.h>

#include <atomic>

#include "base/folder_chooser.h"
#include "base/message_box.h"
#include "base/utf16.h"
#include "copy/copy_dlg_window.h"
#include "support.h"

using testing_support::ClientRectOf;
using testing_support::LauncherHarness;
using testing_support::WhenWindowAppears;
using win32::CopyDlgWindow;

namespace {

constexpr wchar_t kCopyClass[] = L"ZubiDataCopy";
constexpr wchar_t kCopyTitle[] = L"ﾃﾞｰﾀｺﾋﾟｰ";

bool Poll(const std::function<bool()>& done, int milliseconds = 30000) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

// A mouse click on one entry of a list box, as the user makes it.
void ClickEntry(HWND list, int index) {
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

void PressEscape(HWND control) {
  PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(control, WM_KEYUP, VK_ESCAPE, 0);
}

RECT ScreenOf(HWND window) {
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &mi);
  return mi.rcMonitor;
}

// Within a pixel of the middle of the screen.
bool IsCentred(const RECT& r, const RECT& screen) {
  int dx = (r.left + r.right) - (screen.left + screen.right);
  int dy = (r.top + r.bottom) - (screen.top + screen.bottom);
  return std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

TEST(CopyDlgWindow, ControlsSitWhereTheLayoutPutsThem) {
  LauncherHarness h;
  h.Create();
  CopyDlgWindow& w = *h.dialogs.CopyWindow();
  RECT client{};
  GetClientRect(w.Handle(), &client);
  EXPECT_EQ(client.right, 342);
  EXPECT_EQ(client.bottom, 184);
  EXPECT_EQ(testing_support::TextOf(w.Handle()), "ﾃﾞｰﾀｺﾋﾟｰ");
  struct Expected {
    int id;
    RECT rect;
    const char* text;
  };
  const Expected expected[] = {
      {CopyDlgWindow::kSrcLabel, {4, 4, 73, 20}, "ｺﾋﾟｰ元ﾘｽﾄ："},
      {CopyDlgWindow::kDstLabel, {180, 4, 257, 20}, "ｺﾋﾟｰ先ﾘｽﾄ："},
      {CopyDlgWindow::kLabel1, {161, 75, 183, 96}, "⇒"},
      {CopyDlgWindow::kSrcList, {4, 20, 159, 157}, ""},
      {CopyDlgWindow::kDstList, {183, 20, 338, 157}, ""},
      {CopyDlgWindow::kOKBtn, {85, 161, 140, 181}, "OK"},
      {CopyDlgWindow::kCancelBtn, {145, 161, 200, 181}, "ｷｬﾝｾﾙ"},
      {CopyDlgWindow::kHelpBtn, {205, 161, 260, 181}, "ﾍﾙﾌﾟ(&H)"},
  };
  for (const Expected& e : expected) {
    RECT r = ClientRectOf(w.Control(e.id));
    EXPECT_EQ(r.left, e.rect.left) << e.id;
    EXPECT_EQ(r.top, e.rect.top) << e.id;
    EXPECT_EQ(r.right, e.rect.right) << e.id;
    EXPECT_EQ(r.bottom, e.rect.bottom) << e.id;
    EXPECT_EQ(testing_support::TextOf(w.Control(e.id)), e.text) << e.id;
  }
  LOGFONTW arrow{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w.Control(CopyDlgWindow::kLabel1), WM_GETFONT, 0, 0)), sizeof arrow,
             &arrow);
  EXPECT_EQ(arrow.lfWeight, FW_BOLD);
  EXPECT_EQ(std::abs(arrow.lfHeight), 21);
  EXPECT_TRUE(GetWindowLongW(w.Control(CopyDlgWindow::kDstList), GWL_STYLE) & LBS_EXTENDEDSEL);
  EXPECT_FALSE(GetWindowLongW(w.Control(CopyDlgWindow::kSrcList), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL));
  EXPECT_FALSE(IsWindowEnabled(w.Control(CopyDlgWindow::kDstList)));
  EXPECT_EQ(w.Hint(CopyDlgWindow::kSrcList), "ｺﾋﾟｰ元を選択");
  EXPECT_EQ(w.Hint(CopyDlgWindow::kDstList), "ｺﾋﾟｰ先を選択");
}

// What the test saw of the open dialog, read from another thread.
struct Seen {
  RECT dialog{}, screen{}, box{};
  int sourceCount = 0;
  bool okAtStart = true, destinationEnabled = false, boxFound = false, sourceDeselected = false;
  std::string sourceHint, destinationHint;
};

TEST(CopyDlgWindow, OpensCentredAndASourceClickEnablesTheDestinationList) {
  LauncherHarness h;
  h.Create();  // gives User1 its first page
  CopyDlgWindow& w = *h.dialogs.CopyWindow();
  Seen seen;
  std::thread user = WhenWindowAppears(kCopyClass, kCopyTitle, [&](HWND dialog) {
    if (!dialog) return;
    GetWindowRect(dialog, &seen.dialog);
    seen.screen = ScreenOf(dialog);
    seen.sourceCount = static_cast<int>(SendMessageW(w.Control(CopyDlgWindow::kSrcList), LB_GETCOUNT, 0, 0));
    seen.okAtStart = IsWindowEnabled(w.Control(CopyDlgWindow::kOKBtn)) != FALSE;
    ClickEntry(w.Control(CopyDlgWindow::kSrcList), 0);
    seen.destinationEnabled = Poll([&] { return IsWindowEnabled(w.Control(CopyDlgWindow::kDstList)) != FALSE; });
    Poll([&] { return !w.Hint(CopyDlgWindow::kSrcList).ends_with("を選択"); });
    seen.sourceHint = w.Hint(CopyDlgWindow::kSrcList);
    ClickEntry(w.Control(CopyDlgWindow::kDstList), 10);
    Poll([&] { return !w.Hint(CopyDlgWindow::kDstList).ends_with("を選択"); });
    seen.destinationHint = w.Hint(CopyDlgWindow::kDstList);
    PressEscape(w.Control(CopyDlgWindow::kDstList));
  });
  h.dialogs.Copy()->CopyButtonClick();
  user.join();
  EXPECT_FALSE(w.IsOpen());
  EXPECT_EQ(seen.sourceCount, 11);
  EXPECT_FALSE(seen.okAtStart);
  EXPECT_TRUE(seen.destinationEnabled);
  EXPECT_TRUE(IsCentred(seen.dialog, seen.screen));
  std::string size = std::to_string(std::filesystem::file_size(h.folder.Path("DATA\\User11.dat")));
  EXPECT_EQ(seen.sourceHint, size + " ﾊﾞｲﾄ");
  EXPECT_TRUE(seen.destinationHint.ends_with("MBの空き容量")) << seen.destinationHint;
  EXPECT_TRUE(h.prompter.boxes.empty());
  // The destination list stays enabled for the next opening.
  EXPECT_TRUE(IsWindowEnabled(w.Control(CopyDlgWindow::kDstList)));
}

TEST(CopyDlgWindow, ItsMessageBoxesAreCentredOnTheScreen) {
  LauncherHarness h;
  h.Create();
  CopyDlgWindow window(h.window->Handle());
  win32::Win32Prompter prompter;
  prompter.SetOwner(window.Handle());
  core::TCopyDlg dialog(window, h.launcher->Hosts().copy, prompter, h.files, h.environment);
  window.Attach(&dialog);
  Seen seen;
  // The launcher's own copy dialog exists too, hidden: wait for this one.
  std::thread user = WhenWindowAppears(
      kCopyClass, kCopyTitle,
      [&](HWND) {
        if (!Poll([&] { return IsWindowVisible(window.Handle()) != FALSE; })) return;
        ClickEntry(window.Control(CopyDlgWindow::kSrcList), 1);  // User2 has no pages
        HWND box = nullptr;
        seen.boxFound = Poll([&] { return (box = FindWindowW(L"#32770", L"情報")) != nullptr; });
        if (box) {
          Poll([&] { return IsWindowVisible(box) != FALSE; });
          Sleep(50);
          GetWindowRect(box, &seen.box);
          seen.screen = ScreenOf(box);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          Poll([&] { return !IsWindow(box); });
        }
        seen.sourceDeselected =
            Poll([&] { return SendMessageW(window.Control(CopyDlgWindow::kSrcList), LB_GETCURSEL, 0, 0) == LB_ERR; });
        PressEscape(window.Control(CopyDlgWindow::kSrcList));
      },
      false);
  dialog.CopyButtonClick();
  user.join();
  EXPECT_TRUE(seen.boxFound);
  EXPECT_TRUE(IsCentred(seen.box, seen.screen));
  EXPECT_TRUE(seen.sourceDeselected);
  EXPECT_FALSE(window.IsOpen());
}

TEST(CopyDlgWindow, BacksUpAUserIntoTheChosenFolderThroughTheShell) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nToDir=" + h.folder.Path("") + "\r\n");
  h.Create();
  h.folder.Write("DATA\\User13.dat", "[PageTitle]\r\nPageTitle=Three\r\n");
  std::string backup = h.folder.Path("backup");
  std::filesystem::create_directories(backup);
  h.shell.chosenFolder = backup;
  CopyDlgWindow& w = *h.dialogs.CopyWindow();
  bool okEnabled = false;
  std::thread user = WhenWindowAppears(kCopyClass, kCopyTitle, [&](HWND dialog) {
    if (!dialog) return;
    ClickEntry(w.Control(CopyDlgWindow::kSrcList), 0);
    Poll([&] { return IsWindowEnabled(w.Control(CopyDlgWindow::kDstList)) != FALSE; });
    ClickEntry(w.Control(CopyDlgWindow::kDstList), 10);
    okEnabled = Poll([&] { return IsWindowEnabled(w.Control(CopyDlgWindow::kOKBtn)) != FALSE; });
    if (okEnabled)
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(CopyDlgWindow::kOKBtn, BN_CLICKED),
                   reinterpret_cast<LPARAM>(w.Control(CopyDlgWindow::kOKBtn)));
    else
      PressEscape(w.Control(CopyDlgWindow::kDstList));
  });
  h.dialogs.Copy()->CopyButtonClick();
  user.join();
  EXPECT_TRUE(okEnabled);
  EXPECT_FALSE(w.IsOpen());
  EXPECT_EQ(h.shell.chooserStarts, std::vector<std::string>{h.folder.Path("")});
  EXPECT_EQ(h.launcher->Hosts().options.ToDir(), backup);
  EXPECT_EQ(h.folder.Read("backup\\User13.dat"), "[PageTitle]\r\nPageTitle=Three\r\n");
  EXPECT_EQ(h.folder.Read("backup\\User11.dat"), h.folder.Read("DATA\\User11.dat"));
}

// The folder browser of this thread, once it is shown.
HWND FindBrowser(DWORD thread) {
  HWND found = nullptr;
  Poll([&] {
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM data) -> BOOL {
          wchar_t name[64] = L"";
          GetClassNameW(hwnd, name, 64);
          if (std::wstring(name) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
          *reinterpret_cast<HWND*>(data) = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found != nullptr;
  });
  return found;
}

// Waits until the browser shows its start folder `shown`, then types `text` into its
// edit box and presses OK, or cancels.
std::thread AnswerBrowser(DWORD thread, const std::wstring& shown, std::optional<std::wstring> text) {
  return std::thread([=] {
    HWND browser = FindBrowser(thread);
    if (!browser) return;
    HWND edit = FindWindowExW(browser, nullptr, L"Edit", nullptr);
    Poll([&] {
      wchar_t now[MAX_PATH] = L"";
      GetWindowTextW(edit, now, MAX_PATH);
      return shown == now;
    });
    if (!text) {
      PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()));
    SendMessageW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
  });
}

TEST(FolderChooser, CreatesATypedNewFolderInsideTheStartFolder) {
  testing_support::TempFolder folder;
  std::string start = folder.Path("start");
  std::filesystem::create_directories(start);
  std::thread user = AnswerBrowser(GetCurrentThreadId(), L"start", L"New\\Deeper");
  std::optional<std::string> chosen = win32::ChooseFolderDialog(nullptr, start);
  user.join();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, start + "\\New\\Deeper");
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("start\\New\\Deeper")));
}

TEST(FolderChooser, TakesATypedFullPathAndTheUnchangedSelection) {
  testing_support::TempFolder folder;
  std::string start = folder.Path("start");
  std::filesystem::create_directories(start);
  std::string elsewhere = folder.Path("other\\backup");
  std::thread user = AnswerBrowser(GetCurrentThreadId(), L"start", win32::Widen(elsewhere));
  std::optional<std::string> chosen = win32::ChooseFolderDialog(nullptr, start);
  user.join();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, elsewhere);
  EXPECT_TRUE(std::filesystem::is_directory(elsewhere));

  user = AnswerBrowser(GetCurrentThreadId(), L"start", L"start");  // the name the browser shows
  chosen = win32::ChooseFolderDialog(nullptr, start);
  user.join();
  EXPECT_EQ(chosen, start);
}

TEST(FolderChooser, CancelChoosesNothing) {
  testing_support::TempFolder folder;
  std::string start = folder.Path("start");
  std::filesystem::create_directories(start);
  std::thread user = AnswerBrowser(GetCurrentThreadId(), L"start", std::nullopt);
  std::optional<std::string> chosen = win32::ChooseFolderDialog(nullptr, start);
  user.join();
  EXPECT_FALSE(chosen.has_value());
}

}  // namespace
