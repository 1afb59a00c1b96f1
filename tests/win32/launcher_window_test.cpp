#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>

#include "about/about_box_window.h"
#include "base/contrast.h"
#include "base/dpi.h"
#include "base/utf16.h"
#include "find/find_box_window.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_menus.h"
#include "launch_button/button_settings_window.h"
#include "list/list_dlg_window.h"
#include "option/option_dlg_window.h"
#include "storage/paths.h"
#include "support.h"
#include "user/user_dlg_window.h"

using namespace win32::launcher;
using testing_support::ClientRectOf;
using testing_support::LauncherHarness;
using testing_support::TextOf;

namespace {

LOGFONTW FontOf(HWND control) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

std::string MenuText(HMENU menu, int position) {
  wchar_t text[128] = L"";
  GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return win32::Narrow(text);
}

// The captions of a menu, "-" for a separator, submenus in brackets.
std::string Captions(HMENU menu) {
  std::string all;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (!all.empty()) all += "|";
    if (HMENU sub = GetSubMenu(menu, i))
      all += MenuText(menu, i) + "[" + Captions(sub) + "]";
    else if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
      all += "-";
    else
      all += MenuText(menu, i);
  }
  return all;
}

bool Enabled(LauncherHarness& h, int id) { return IsWindowEnabled(h.window->Control(id)); }

}  // namespace

TEST(LauncherWindow, ControlsSitWhereTheLayoutPutsThemAt96Dpi) {
  LauncherHarness h;
  h.Create();
  ASSERT_EQ(win32::DpiOf(h.window->Handle()), 96u);
  RECT client;
  GetClientRect(h.window->Handle(), &client);
  EXPECT_EQ(client.right, 192);
  EXPECT_EQ(client.bottom, 134);

  struct Place {
    int id;
    RECT rect;
  };
  const Place places[] = {
      {kEdit1, {56, 0, 188, 20}},
      {kPanel1, {4, 24, 188, 100}},
      {kFastTopButton, {4, 104, 26, 129}},
      {kFastBwdButton, {26, 104, 48, 129}},
      {kBwdButton, {48, 104, 70, 129}},
      {kFwdButton, {73, 104, 95, 129}},
      {kFastFwdButton, {95, 104, 117, 129}},
      {kFastFinalButton, {117, 104, 139, 129}},
      {kLabel1, {145, 100, 191, 112}},
      {kMemo1, {146, 110, 171, 130}},
      {kUpDown1, {171, 110, 186, 130}},
  };
  for (const Place& p : places) {
    RECT r = ClientRectOf(h.window->Control(p.id));
    EXPECT_TRUE(EqualRect(&r, &p.rect)) << "control " << p.id << " at " << r.left << "," << r.top << " " << r.right
                                        << "," << r.bottom;
  }
  for (int k = 0; k < kLaunchButtonCount; ++k) {
    RECT r = ClientRectOf(h.window->Control(kLaunchButton1 + k));
    RECT expected{4 + 2 + 36 * (k % 5), 24 + (k < 5 ? 2 : 38), 0, 0};
    expected.right = expected.left + 36;
    expected.bottom = expected.top + 36;
    EXPECT_TRUE(EqualRect(&r, &expected)) << "LaunchButton" << k + 1;
    EXPECT_EQ(GetParent(h.window->Control(kLaunchButton1 + k)), h.window->Control(kPanel1));
  }
  // The clock labels size to their text: the date keeps its right edge, the time its left.
  SendMessageW(h.window->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(ClientRectOf(h.window->Control(kLabel2)).right, 52);
  EXPECT_EQ(ClientRectOf(h.window->Control(kLabel2)).top, 0);
  EXPECT_EQ(ClientRectOf(h.window->Control(kLabel3)).left, 10);
  EXPECT_EQ(ClientRectOf(h.window->Control(kLabel3)).top, 10);
}

TEST(LauncherWindow, IsAnAlwaysOnTopToolWindowWithItsFontsTextsAndHints) {
  LauncherHarness h;
  h.Create();
  HWND w = h.window->Handle();
  LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE), exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);

  // Placeholders until the first tick; the loaded (empty) title; the page count.
  EXPECT_EQ(TextOf(h.window->Control(kLabel2)), "Label2");
  EXPECT_EQ(TextOf(h.window->Control(kLabel3)), "Label3");
  EXPECT_EQ(TextOf(h.window->Control(kEdit1)), "");
  EXPECT_EQ(TextOf(h.window->Control(kMemo1)), "1");
  EXPECT_EQ(TextOf(h.window->Control(kFastBwdButton)), "<<");
  EXPECT_EQ(TextOf(h.window->Control(kLabel1)), "Page Set");

  LOGFONTW title = FontOf(h.window->Control(kEdit1));
  EXPECT_EQ(win32::Narrow(title.lfFaceName), "ＭＳ Ｐゴシック");
  EXPECT_EQ(title.lfHeight, -12);
  EXPECT_TRUE(title.lfUnderline);
  EXPECT_EQ(title.lfCharSet, SHIFTJIS_CHARSET);
  LOGFONTW nav = FontOf(h.window->Control(kFwdButton));
  EXPECT_EQ(nav.lfWeight, FW_BOLD);
  EXPECT_FALSE(nav.lfUnderline);
  LOGFONTW count = FontOf(h.window->Control(kMemo1));
  EXPECT_EQ(count.lfHeight, -13);
  EXPECT_EQ(count.lfWeight, FW_BOLD);
  EXPECT_FALSE(FontOf(h.window->Control(kLabel1)).lfUnderline);
  EXPECT_TRUE(FontOf(h.window->Control(kLabel2)).lfUnderline);

  h.window->CompleteStart();
  const win32::Tooltips& hints = h.window->Hints();
  EXPECT_EQ(hints.Text(w), "ZUBI らんちゃ");
  EXPECT_EQ(hints.Text(h.window->Control(kLabel2)), "日付");
  EXPECT_EQ(hints.Text(h.window->Control(kLabel3)), "只今の時刻");
  EXPECT_EQ(hints.Text(h.window->Control(kEdit1)), "ﾀﾞﾌﾞﾙｸﾘｯｸで一覧表示");
  EXPECT_EQ(hints.Text(h.window->Control(kFastTopButton)), "先頭ﾍﾟｰｼﾞへ");
  EXPECT_EQ(hints.Text(h.window->Control(kFastFinalButton)), "最終ﾍﾟｰｼﾞへ");
  EXPECT_EQ(hints.Text(h.window->Control(kMemo1)), "只今の最大ﾍﾟｰｼﾞ数");
  EXPECT_EQ(hints.Text(h.window->Control(kUpDown1)), "ﾍﾟｰｼﾞ数設定");
  EXPECT_EQ(hints.Text(h.window->Control(kLaunchButton1 + 9)), "未登録");
  EXPECT_EQ(hints.Text(h.window->Control(kPanel1)), "ZUBI らんちゃ");
}

// The fixed colours of the layout, and in high contrast the system's in their place,
// read off the screen; the stored panel colour comes back when the mode ends, and the
// running and missing states keep a shape of their own.
TEST(LauncherWindow, ColoursOfTheClockTitleAndPanelFollowHighContrast) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nFormColor=7\r\n");
  h.Create();
  HWND window = h.window->Handle();
  ShowWindow(window, SW_SHOWNOACTIVATE);
  h.window->ButtonControl(1).SetRunning(true);
  h.window->ButtonControl(2).SetDimmed(true);
  auto pixel = [&](int id, int x, int y) {
    HWND control = id ? h.window->Control(id) : window;
    HDC dc = GetDC(control);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return colour;
  };
  // The colour most of a control shows: its background behind the text.
  auto background = [&](int id) {
    RECT r;
    GetClientRect(h.window->Control(id), &r);
    std::map<COLORREF, int> counts;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) ++counts[pixel(id, x, y)];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  };
  auto mark = [&](int k, bool bottomRight) {
    RECT r;
    HWND button = h.window->ButtonControl(k).Handle();
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, h.window->Control(kPanel1), reinterpret_cast<POINT*>(&r), 2);
    const int middle = 3 + 7 / 2;  // the marks' inset and size at 96 DPI
    return pixel(kPanel1, bottomRight ? r.right - 1 - middle : r.left + middle,
                 bottomRight ? r.bottom - 1 - middle : r.top + middle);
  };
  const COLORREF face = GetSysColor(COLOR_BTNFACE), entry = GetSysColor(COLOR_WINDOW);
  for (bool on : {false, true, false}) {
    SCOPED_TRACE(on ? "high contrast" : "normal");
    win32::OverrideHighContrast(on);
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(pixel(0, 2, 110), on ? face : RGB(166, 202, 240)) << "the panel colour";
    EXPECT_EQ(background(kLabel3), on ? face : RGB(255, 255, 0)) << "the clock";
    EXPECT_EQ(background(kEdit1), on ? entry : RGB(0, 255, 255)) << "the title box";
    EXPECT_EQ(pixel(kPanel1, 1, 1), on ? entry : RGB(255, 255, 255)) << "behind the launch buttons";
    EXPECT_EQ(mark(1, true), on ? GetSysColor(COLOR_HIGHLIGHT) : RGB(0, 176, 80)) << "the running mark";
    EXPECT_EQ(mark(2, false) == GetSysColor(COLOR_BTNTEXT), on) << "the missing program's cross";
  }
  win32::OverrideHighContrast(std::nullopt);
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(h.window->Control(kEdit1)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255)) << "the title's blue";
  DeleteDC(dc);
}

TEST(LauncherWindow, MenusCarryTheirCaptionsAndShortcuts) {
  LauncherHarness h;
  h.Create();
  h.window->Start();
  testing_support::PumpMessages();
  EXPECT_EQ(Captions(GetMenu(h.window->Handle())),
            "File(&F)[ﾕｰｻﾞ変更(&U)|ｵﾌﾟｼｮﾝ設定(&O)|終了(&X)]|"
            "Page(&M)[先頭ﾍﾟｰｼﾞ(&T)|早戻し(&C)|前のﾍﾟｰｼﾞ(&P)|次のﾍﾟｰｼﾞ(&N)|早送り(&F)|最終ﾍﾟｰｼﾞ(&B)|-|"
            "ﾍﾟｰｼﾞ一覧(&S)|-|ﾍﾟｰｼ・ﾃﾞｰﾀﾞ削除(&D)]|"
            "Help(&H)[ﾍﾙﾌﾟを開く(&O)|ﾊﾞｰｼﾞｮﾝ情報(&A)...]");
  EXPECT_EQ(Captions(h.window->PopupMenu()),
            "選択起動(&C)\tCtrl+C|ﾍﾟｰｼﾞ起動(&A)\tCtrl+A|順番に起動(&O)|-|ﾌｧｲﾙ・ﾌｫﾙﾀﾞ検索(&F)\tCtrl+F|"
            "ｽｸﾘｰﾝｾｰﾊﾞｰ起動(&S)\tCtrl+S|-|閉じる[ﾌｫﾙﾀﾞ(&D)\tCtrl+D|ﾌﾞﾗｳｻﾞ(&B)\tCtrl+B|"
            "ﾌｫﾙﾀﾞ+ﾌﾞﾗｳｻﾞ(X)\tCtrl+X|全て閉じる(&W)]|Windowsの終了[ｼｬｯﾄﾀﾞｳﾝ(&E)\tCtrl+E|"
            "再起動(&R)\tCtrl+R|ﾛｸﾞｵﾌ(&L)\tCtrl+L]");
  EXPECT_EQ(Captions(h.window->TrayMenu()), "ﾍﾙﾌﾟ(&H)[ﾍﾙﾌﾟを開く(&O)|ﾊﾞｰｼﾞｮﾝ情報(&A)...]|終了(&X)");
}

TEST(LauncherWindow, ShowingAPageSetsTheCaptionAndTheNavigationButtons) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNo=1\r\nPageNoControl=5\r\n[User]\r\nUser1=太郎\r\n");
  h.Create();
  EXPECT_EQ(TextOf(h.window->Handle()), "太郎 - Page 1/5");
  EXPECT_FALSE(Enabled(h, kFastTopButton));
  EXPECT_FALSE(Enabled(h, kFastBwdButton));
  EXPECT_FALSE(Enabled(h, kBwdButton));
  EXPECT_TRUE(Enabled(h, kFwdButton));
  EXPECT_TRUE(Enabled(h, kFastFwdButton));
  EXPECT_TRUE(Enabled(h, kFastFinalButton));
  EXPECT_EQ(TextOf(h.window->Control(kMemo1)), "5");

  SendMessageW(h.window->Handle(), WM_COMMAND, kFastFinalButton, 0);
  EXPECT_EQ(TextOf(h.window->Handle()), "太郎 - Page 5/5");
  EXPECT_TRUE(Enabled(h, kFastTopButton));
  EXPECT_TRUE(Enabled(h, kBwdButton));
  EXPECT_FALSE(Enabled(h, kFwdButton));
  EXPECT_FALSE(Enabled(h, kFastFinalButton));
  SendMessageW(h.window->Handle(), WM_TIMER, 1, 0);  // the tick sets the clock
  EXPECT_NE(TextOf(h.window->Control(kLabel2)), "Label2");
}

TEST(LauncherWindow, CloseSavesAsksAndOnlyYesEndsTheWindow) {
  LauncherHarness h;
  h.Create();
  h.window->Start();
  HWND w = h.window->Handle();
  SetWindowPos(w, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  h.prompter.answerYes = false;
  SendMessageW(w, WM_COMMAND, kExit, 0);
  ASSERT_TRUE(IsWindow(w));
  ASSERT_EQ(h.prompter.Texts().size(), 1u);
  EXPECT_EQ(h.prompter.Texts()[0], "ZUBIらんちゃを終了して宜しいですか?");
  EXPECT_NE(h.folder.Read("zubi.ini").find("Left=300\r\nTop=200\r\n"), std::string::npos);

  h.prompter.answerYes = true;
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w));
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(LauncherWindow, EndOfSessionSavesWithoutAQuestion) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNoControl=4\r\n");
  h.Create();
  SendMessageW(h.window->Handle(), WM_COMMAND, kFastFinalButton, 0);
  EXPECT_TRUE(SendMessageW(h.window->Handle(), WM_QUERYENDSESSION, 0, 0));
  EXPECT_TRUE(h.prompter.Texts().empty());
  EXPECT_NE(h.folder.Read("zubi.ini").find("PageNo=4"), std::string::npos);
}

TEST(LauncherWindow, TypingATitleWritesEachChangeUpToTwentyFourCharacters) {
  LauncherHarness h;
  h.Create();
  HWND edit = h.window->Control(kEdit1);
  for (wchar_t c : std::wstring(L"ツールと道具") + std::wstring(30, L'x')) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(TextOf(edit), "ツールと道具" + std::string(18, 'x'));
  std::string file = h.folder.Read("DATA\\User11.dat");
  EXPECT_NE(file.find("PageTitle=\x83\x63\x81\x5B\x83\x8B\x82\xC6\x93\xB9\x8B\xEF" + std::string(18, 'x')),
            std::string::npos);
}

// DATA deleted while the window is open: the next character typed into the title
// makes it again and writes the page; with a file named DATA in its way, the write is
// reported with the page file's path.
TEST(LauncherWindow, TypingATitleAfterDataWasDeletedMakesTheFolderAgain) {
  LauncherHarness h;
  h.Create();
  HWND edit = h.window->Control(kEdit1);
  const auto data = core::ToFsPath(h.folder.Path("DATA"));
  std::filesystem::remove_all(data);
  SendMessageW(edit, WM_CHAR, L'A', 1);
  EXPECT_TRUE(std::filesystem::is_directory(data));
  EXPECT_EQ(h.folder.Read("DATA\\User11.dat"), "[PageTitle]\r\nPageTitle=A\r\n\r\n");
  EXPECT_TRUE(h.prompter.Texts().empty());

  std::filesystem::remove_all(data);
  h.folder.Write("DATA", "not a folder");
  SendMessageW(edit, WM_CHAR, L'B', 1);
  ASSERT_EQ(h.prompter.Texts().size(), 1u);
  EXPECT_EQ(h.prompter.Texts()[0], "ファイル " + h.folder.Path("DATA\\User11.dat") + " を作成できません");
  EXPECT_EQ(TextOf(edit), "AB");
  EXPECT_EQ(h.folder.Read("DATA"), "not a folder");
}

TEST(LauncherWindow, TitleBarDoubleClickTogglesOnlyWhenTheOptionAsks) {
  LauncherHarness h;
  h.Create();
  h.window->Start();
  HWND w = h.window->Handle();
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_TRUE(IsWindowVisible(w));
  core::Options options = h.launcher->Hosts().options.CurrentOptions();
  options.TitleDbClk = true;
  h.launcher->Hosts().options.ApplyOptions(options);
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTCLOSE, 0);
  EXPECT_TRUE(IsWindowVisible(w));
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_FALSE(IsWindowVisible(w));
}

TEST(LauncherWindow, ScalesEverythingWhenTheDpiChanges) {
  LauncherHarness h;
  h.Create();
  HWND w = h.window->Handle();
  RECT suggested{150, 150, 450, 450};
  SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 288);
  EXPECT_EQ(client.bottom, 201);
  RECT edit = ClientRectOf(h.window->Control(kEdit1));
  EXPECT_EQ(edit.left, 84);
  EXPECT_EQ(edit.right, 282);
  RECT button = ClientRectOf(h.window->Control(kLaunchButton1 + 6));
  EXPECT_EQ(button.right - button.left, 54);
  EXPECT_EQ(FontOf(h.window->Control(kEdit1)).lfHeight, -18);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 150);
}

// A dialog that opens on a monitor of another scale is laid out for that monitor, and
// follows a move back: its height, a control's place and size, its font.
TEST(LauncherWindow, DialogsAreLaidOutForTheMonitorTheyOpenOnAndFollowAMove) {
  struct Case {
    const wchar_t* className;
    std::function<void(LauncherHarness&)> open;  // returns once a modal dialog closed
    int clientHeight;                            // at 96 DPI
    int control;
    RECT place;        // left, top, width and height at 96 DPI
    bool programFont;  // else the system's, which the test does not know
  };
  auto command = [](int id) {
    return [id](LauncherHarness& h) { SendMessageW(h.window->Handle(), WM_COMMAND, id, 0); };
  };
  const Case cases[] = {
      {L"ZubiPageList", command(kList), 153, win32::ListDlgWindow::kCancelButton, {72, 130, 55, 20}, true},
      {L"ZubiUserDialog", command(kUser), 203, win32::UserDlgWindow::kEdit1, {8, 129, 133, 20}, true},
      {L"ZubiOptions", command(kOption), 173, win32::OptionDlgWindow::kOKButton, {215, 115, 75, 25}, true},
      {L"ZubiAboutBox", command(kVersion), 100, win32::AboutBoxWindow::kOKButton, {144, 75, 55, 20}, true},
      {L"ZubiFindBox",
       [](LauncherHarness& h) {
         h.launcher->KeyDown({core::kKeyF3, {}, false});
       },
       236,
       win32::FindBoxWindow::kText,
       {4, 4, 272, 22},
       true},
      {L"ZubiButtonSettings",
       [](LauncherHarness& h) {
         HWND button = h.window->Control(kLaunchButton1);
         SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
         SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
       },
       216,
       win32::ButtonSettingsWindow::kOkButton,
       {266, 112, 70, 27},
       false},
  };
  for (const Case& c : cases) {
    LauncherHarness h;
    h.Create();
    h.window->Start();
    win32::SetDpiSource([&c](HWND window) -> UINT {
      wchar_t name[64] = L"";
      GetClassNameW(window, name, 64);
      return wcscmp(name, c.className) == 0 ? 144 : 0;
    });
    struct Seen {
      int height = 0, fontHeight = 0;
      RECT control{};
    } at144, at96;
    auto see = [&c](HWND dialog) {
      RECT client{}, r = ClientRectOf(GetDlgItem(dialog, c.control));
      GetClientRect(dialog, &client);
      return Seen{client.bottom,
                  FontOf(GetDlgItem(dialog, c.control)).lfHeight,
                  {r.left, r.top, r.right - r.left, r.bottom - r.top}};
    };
    std::atomic<bool> done{false};
    auto actor = testing_support::WhenWindowAppears(c.className, nullptr, [&](HWND dialog) {
      if (dialog) {
        at144 = see(dialog);
        RECT suggested{10, 10, 400, 400};
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
        at96 = see(dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      }
      done = true;
    });
    c.open(h);
    testing_support::WaitUntil([&] { return done.load(); }, 60000);
    actor.join();
    win32::SetDpiSource(nullptr);
    auto scaled = [](const Seen& seen, UINT dpi, const Case& c) {
      return std::vector<int>{seen.height, seen.control.left, seen.control.top, seen.control.right,
                              seen.control.bottom} ==
             std::vector<int>{win32::Scale(c.clientHeight, dpi), win32::Scale(c.place.left, dpi),
                              win32::Scale(c.place.top, dpi), win32::Scale(c.place.right, dpi),
                              win32::Scale(c.place.bottom, dpi)};
    };
    EXPECT_TRUE(scaled(at144, 144, c)) << win32::Narrow(c.className) << " at 144 DPI: " << at144.height;
    EXPECT_TRUE(scaled(at96, 96, c)) << win32::Narrow(c.className) << " back at 96 DPI: " << at96.height;
    if (c.programFont) {
      EXPECT_EQ(at144.fontHeight, -18) << win32::Narrow(c.className);
      EXPECT_EQ(at96.fontHeight, -12) << win32::Narrow(c.className);
    }
  }
}

TEST(LauncherWindow, WorkLeftForAfterTheFirstPaintRunsOnceTheWindowShows) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNoControl=10\r\n");  // the count box reports a change while loading
  h.window = std::make_unique<win32::LauncherWindow>(nullptr);
  h.launcher = std::make_unique<core::TLauncher>(
      *h.window, core::LauncherPorts{h.files, h.codePage, h.prompter, h.shell, h.environment, h.sound, h.probe, h.log});
  h.window->Attach(h.launcher.get());
  h.launcher->FormCreate();
  int runs = 0;
  h.window->SetAfterStart([&] { ++runs; });
  EXPECT_EQ(runs, 0);
  h.window->Start();
  testing_support::PumpMessages();
  EXPECT_EQ(runs, 1);
  EXPECT_NE(h.window->PopupMenu(), nullptr);
  EXPECT_EQ(TextOf(h.window->Control(kMemo1)), "10");
}

namespace {

// Opens the editing menu of button 1 with the middle button and runs the program's
// message loop until it ends (true) or 4 s pass. `duringMenu` runs on another thread
// once the menu shows; a menu still open after 2 s is closed as a user would, and
// `closedByHand` tells whether that was needed.
bool LoopEndsAfterEditingMenu(LauncherHarness& h, const std::function<void(HWND)>& duringMenu, bool& closedByHand) {
  std::atomic<bool> ended{false};
  closedByHand = false;
  std::thread user([&] {
    HWND menu = nullptr;
    for (int waited = 0; waited < 2000 && !ended; waited += 10) {
      HWND shown = FindWindowW(L"#32768", nullptr);
      if (!menu && shown && IsWindowVisible(shown)) duringMenu(h.window->Handle());
      if (shown && IsWindowVisible(shown)) menu = shown;
      Sleep(10);
    }
    if (menu && !ended && IsWindowVisible(menu)) {
      closedByHand = true;
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  });
  PostMessageW(h.window->ButtonControl(1).Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
  bool quit = false;
  MSG message;
  for (DWORD start = GetTickCount(); !quit && GetTickCount() - start < 4000;) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(10);
      continue;
    }
    quit = message.message == WM_QUIT;
    if (!quit) win32::ProcessLoopMessage(*h.window, message);
  }
  ended = true;
  user.join();
  return quit;
}

}  // namespace

// The editing menu opens once the button's handler has returned, so a quit request
// that waits meanwhile is neither swallowed nor run under that handler; the launcher
// closed while its menu is open ends the program too.
TEST(LauncherWindow, AQuitRequestAroundTheEditingMenuEndsTheLoop) {
  LauncherHarness h;
  h.Create();
  h.window->Start();
  bool closedByHand = false;
  PostQuitMessage(0);  // waits behind the button's press
  EXPECT_TRUE(LoopEndsAfterEditingMenu(
      h, [](HWND) {}, closedByHand));
  EXPECT_FALSE(closedByHand);

  h.prompter.answerYes = true;  // "ZUBIらんちゃを終了して宜しいですか?"
  auto closeLauncher = [](HWND launcher) { PostMessageW(launcher, WM_CLOSE, 0, 0); };
  EXPECT_TRUE(LoopEndsAfterEditingMenu(h, closeLauncher, closedByHand));
  EXPECT_FALSE(closedByHand);
}
