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

namespace {

// Opens the page list and, once it shows, sends the list box a key as the keyboard
// does: key down, the character it makes (if any), key up, through the dialog's loop.
void OpenListAndPress(LauncherHarness& h, UINT key, wchar_t character = 0) {
  auto presser = WhenWindowAppears(L"ZubiPageList", L"ﾍﾟｰｼﾞﾀｲﾄﾙ一覧", [=](HWND dialog) {
    if (!dialog) return;
    HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(list, WM_KEYDOWN, key, 1 | scan);
    if (character) PostMessageW(list, WM_CHAR, character, 1 | scan);
    PostMessageW(list, WM_KEYUP, key, 1 | scan | (3LL << 30));
  });
  SendMessageW(h.window->Handle(), WM_COMMAND, kList, 0);  // returns when the dialog closed
  presser.join();
}

}  // namespace

TEST(PageList, EveryKeyOfTheListJumpsToTheLineItSelects) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNo=2\r\nPageNoControl=5\r\n");
  const char* titles[] = {"Alpha", "Beta", "Gamma", "Delta", "Echo"};
  for (int page = 1; page <= 5; ++page)
    h.folder.Write("DATA\\User1" + std::to_string(page) + ".dat",
                   std::string("[PageTitle]\r\nPageTitle=") + titles[page - 1] + "\r\n");
  h.Create();
  const struct {
    UINT key;
    wchar_t character;
    int page;
  } presses[] = {
      {VK_END, 0, 5},   {VK_HOME, 0, 1}, {VK_NEXT, 0, 5}, {VK_UP, 0, 4},
      {VK_PRIOR, 0, 1}, {VK_DOWN, 0, 2}, {'D', L'd', 4},  // a typed initial finds the next title that starts with it
  };
  for (const auto& press : presses) {
    OpenListAndPress(h, press.key, press.character);
    EXPECT_EQ(CaptionAfterTick(h), "User1 - Page " + std::to_string(press.page) + "/5") << press.key;
    EXPECT_EQ(TextOf(h.window->Control(kEdit1)), titles[press.page - 1]) << press.key;
    EXPECT_FALSE(IsWindowVisible(h.dialogs.ListWindow()->Handle()));
  }
  // Each page file keeps its own title and gains nothing (a visited page's title is
  // written back as the page loads, as it is after a click).
  for (int page = 1; page <= 5; ++page) {
    std::string text = h.folder.Read("DATA\\User1" + std::to_string(page) + ".dat");
    while (text.ends_with("\r\n\r\n")) text.resize(text.size() - 2);
    EXPECT_EQ(text, std::string("[PageTitle]\r\nPageTitle=") + titles[page - 1] + "\r\n");
  }
}
