#include <gtest/gtest.h>

#include "base/utf16.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_menus.h"
#include "support.h"

using namespace win32::launcher;
using testing_support::LauncherHarness;
using testing_support::TextOf;
using testing_support::WhenWindowAppears;

namespace {

std::string CaptionAfterTick(LauncherHarness& h) {
  SendMessageW(h.window->Handle(), WM_TIMER, 1, 0);
  return TextOf(h.window->Handle());
}

void Click(LauncherHarness& h, int id) { SendMessageW(h.window->Control(id), BM_CLICK, 0, 0); }

COLORREF BrushColour(HWND window, UINT message, HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  DeleteDC(dc);
  LOGBRUSH lb{};
  GetObjectW(brush, sizeof lb, &lb);
  return lb.lbColor;
}

}  // namespace

TEST(Navigation, ButtonsAndThePageMenuMoveThroughThePages) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNo=9\r\nPageNoControl=10\r\n");
  h.Create();
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 9/10");
  Click(h, kFastFwdButton);
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 10/10");
  EXPECT_FALSE(IsWindowEnabled(h.window->Control(kFwdButton)));
  SendMessageW(h.window->Handle(), WM_COMMAND, kFwd, 0);  // the menu item is never disabled
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 1/10");
  SendMessageW(h.window->Handle(), WM_COMMAND, kBwd, 0);
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 10/10");
  Click(h, kFastTopButton);
  Click(h, kFwdButton);
  Click(h, kFwdButton);
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 3/10");
  Click(h, kFastFwdButton);
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 6/10");
  Click(h, kFastBwdButton);
  Click(h, kBwdButton);
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 2/10");
  Click(h, kFastFinalButton);
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 10/10");
}

TEST(Navigation, ThePageCountArrowsChangeTheCountAndSaveIt) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNo=5\r\nPageNoControl=5\r\n");
  h.Create();
  HWND arrows = h.window->Control(kUpDown1);
  SendMessageW(arrows, UDM_SETPOS32, 0, 4);
  SendMessageW(h.window->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), reinterpret_cast<LPARAM>(arrows));
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 4/4");
  EXPECT_EQ(TextOf(h.window->Control(kMemo1)), "4");
  EXPECT_NE(h.folder.Read("zubi.ini").find("PageNoControl=4\r\n"), std::string::npos);
}

TEST(PageList, OpensAtTheWindowInThePanelColourAndJumpsToTheClickedPage) {
  LauncherHarness h;
  h.WriteSettings("[Setting]\r\nLeft=-40\r\nTop=220\r\n[User1]\r\nPageNoControl=5\r\nFormColor=7\r\n");
  h.folder.Write("DATA\\User13.dat", "[PageTitle]\r\nPageTitle=Third\r\n");
  h.Create();
  EXPECT_EQ(BrushColour(h.window->Handle(), WM_CTLCOLORSTATIC, h.window->Control(kLabel1)), RGB(166, 202, 240));

  std::vector<std::string> items;
  RECT placed{};
  COLORREF background = 0;
  auto picker = WhenWindowAppears(L"ZubiPageList", L"ﾍﾟｰｼﾞﾀｲﾄﾙ一覧", [&](HWND dialog) {
    if (!dialog) return;
    while (!IsWindowVisible(dialog)) Sleep(10);
    HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = L"";
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(win32::Narrow(text));
    }
    GetWindowRect(dialog, &placed);
    background = BrushColour(dialog, WM_CTLCOLORBTN, GetDlgItem(dialog, IDCANCEL));
    int itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    LPARAM third = MAKELPARAM(10, itemHeight * 2 + itemHeight / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, third);
    PostMessageW(list, WM_LBUTTONUP, 0, third);
  });
  SendMessageW(h.window->Handle(), WM_COMMAND, kList, 0);  // returns when the dialog closed
  picker.join();
  EXPECT_EQ(items, (std::vector<std::string>{"", "", "Third", "", ""}));
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 220);
  EXPECT_EQ(background, RGB(166, 202, 240));
  EXPECT_EQ(CaptionAfterTick(h), "User1 - Page 3/5");
  EXPECT_EQ(TextOf(h.window->Control(kEdit1)), "Third");
  EXPECT_FALSE(IsWindowVisible(h.dialogs.ListWindow()->Handle()));
  EXPECT_TRUE(IsWindowEnabled(h.window->Handle()));
}
