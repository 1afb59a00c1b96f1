#include <gtest/gtest.h>

#include <map>

#include "base/message_box.h"
#include "base/utf16.h"
#include "launch/launcher_menus.h"
#include "support.h"
#include "user/user_dlg_window.h"

using testing_support::ClientRectOf;
using testing_support::LauncherHarness;
using testing_support::TextOf;
using testing_support::WhenWindowAppears;
using W = win32::UserDlgWindow;

namespace {

constexpr wchar_t kClass[] = L"ZubiUserDialog";
constexpr wchar_t kCaption[] = L"ﾕｰｻﾞの選択＆設定";

HWND WaitForVisible(const wchar_t* className, const wchar_t* title) {
  for (int i = 0; i < 6000; ++i) {  // a minute, past any busy machine's delay
    HWND found = FindWindowW(className, title);
    if (found && IsWindowVisible(found)) return found;
    Sleep(10);
  }
  return nullptr;
}

}  // namespace

TEST(UserWindow, LaysOutItsControlsAndSwitchesUserOnAClick) {
  LauncherHarness h;
  h.WriteSettings("[Setting]\r\nLeft=150\r\nTop=120\r\n[User]\r\nUser2=Taro\r\n[User2]\r\nPageNoControl=3\r\n");
  h.Create();
  std::map<int, RECT> places;
  std::vector<std::string> items;
  RECT placed{};
  std::string name;
  auto actor = WhenWindowAppears(kClass, kCaption, [&](HWND dialog) {
    if (!dialog) return;
    for (int id : {W::kListBox1, W::kEdit1, W::kMemo1, W::kUpDown1, W::kEntryButton, W::kCopyButton, W::kCancelButton,
                   W::kHelpButton})
      places[id] = ClientRectOf(GetDlgItem(dialog, id));
    HWND list = GetDlgItem(dialog, W::kListBox1);
    for (int i = 0; i < 10; ++i) {
      wchar_t text[64] = L"";
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(win32::Narrow(text));
    }
    GetWindowRect(dialog, &placed);
    name = TextOf(GetDlgItem(dialog, W::kEdit1));
    int itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    LPARAM second = MAKELPARAM(10, itemHeight + itemHeight / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, second);
    PostMessageW(list, WM_LBUTTONUP, 0, second);
  });
  SendMessageW(h.window->Handle(), WM_COMMAND, win32::launcher::kUser, 0);  // returns when the dialog closed
  actor.join();

  auto at = [&](int id) {
    const RECT& r = places[id];
    return std::vector<int>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  EXPECT_EQ(at(W::kListBox1), (std::vector<int>{8, 13, 176, 97}));
  EXPECT_EQ(at(W::kEdit1), (std::vector<int>{8, 129, 133, 20}));
  EXPECT_EQ(at(W::kMemo1), (std::vector<int>{144, 129, 25, 20}));
  EXPECT_EQ(at(W::kUpDown1), (std::vector<int>{169, 129, 15, 20}));
  EXPECT_EQ(at(W::kEntryButton), (std::vector<int>{8, 153, 35, 20}));
  EXPECT_EQ(at(W::kCopyButton), (std::vector<int>{148, 153, 35, 20}));
  EXPECT_EQ(at(W::kCancelButton), (std::vector<int>{40, 181, 55, 20}));
  EXPECT_EQ(at(W::kHelpButton), (std::vector<int>{100, 181, 55, 20}));
  EXPECT_EQ(items[1], "Taro");
  EXPECT_EQ(items[9], "User10");
  EXPECT_EQ(name, "User1");
  EXPECT_EQ(placed.left, 150);  // where the launcher stands: the position was saved first
  EXPECT_EQ(placed.top, 120);
  SendMessageW(h.window->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(TextOf(h.window->Handle()), "Taro - Page 1/3");
  EXPECT_FALSE(IsWindowVisible(h.dialogs.UserWindow()->Handle()));
  EXPECT_TRUE(IsWindowEnabled(h.window->Handle()));
}

// The dialog's messages appear at its own corner, modal to it rather than to the
// launcher underneath.
TEST(UserWindow, ItsMessagesAppearAtTheDialogsCornerAndOwnedByIt) {
  LauncherHarness h;
  h.Create();
  win32::Win32Prompter prompter;
  prompter.SetOwner(h.window->Handle());
  win32::UserDlgWindow& window = *h.dialogs.UserWindow();
  core::TUserDlg dialog(window, h.launcher->Hosts().users, prompter);
  window.Attach(&dialog);

  RECT dialogRect{}, boxRect{};
  HWND boxOwner = nullptr;
  std::string boxText;
  bool dialogEnabledDuringBox = true;
  std::thread actor([&] {
    HWND user = WaitForVisible(kClass, kCaption);
    if (!user) return;
    GetWindowRect(user, &dialogRect);
    SendMessageW(GetDlgItem(user, W::kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"User3"));
    PostMessageW(GetDlgItem(user, W::kEntryButton), BM_CLICK, 0, 0);
    HWND box = WaitForVisible(L"#32770", L"情報");
    if (box) {
      GetWindowRect(box, &boxRect);
      boxOwner = GetWindow(box, GW_OWNER);
      dialogEnabledDuringBox = IsWindowEnabled(user);
      EnumChildWindows(
          box,
          [](HWND child, LPARAM p) {
            wchar_t cls[32] = L"", text[256] = L"";
            GetClassNameW(child, cls, 32);
            GetWindowTextW(child, text, 256);
            if (lstrcmpiW(cls, L"Static") == 0 && text[0]) *reinterpret_cast<std::string*>(p) = win32::Narrow(text);
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&boxText));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    while (IsWindowVisible(box)) Sleep(10);
    PostMessageW(GetDlgItem(user, W::kCancelButton), BM_CLICK, 0, 0);
  });
  dialog.mUserClick();
  actor.join();
  EXPECT_EQ(boxText, "User3は既に登録されてます。\r\n同じﾕｰｻﾞ名を登録することは出来ません。");
  EXPECT_EQ(boxRect.left, dialogRect.left);
  EXPECT_EQ(boxRect.top, dialogRect.top);
  EXPECT_EQ(boxOwner, window.Handle());
  EXPECT_FALSE(dialogEnabledDuringBox);
}
