#include <gtest/gtest.h>

#include <map>

#include "base/utf16.h"
#include "launch/launcher_menus.h"
#include "option/option_dlg_window.h"
#include "support.h"

using testing_support::ClientRectOf;
using testing_support::LauncherHarness;
using testing_support::TextOf;
using testing_support::WhenWindowAppears;
using W = win32::OptionDlgWindow;

TEST(OptionWindow, OpensCentredWithItsLayoutAndCancelPutsTheStoredOptionsBack) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nHot=1\r\nHotKey=Ctrl+F6\r\nCtrl=1\r\nAlt=0\r\nKey=88\r\n");
  h.Create();
  std::map<int, RECT> places;
  RECT placed{};
  std::string hotKeyText, keyText, afterClick;
  int comboItems = 0;
  bool btnEnabled = false;
  auto actor = WhenWindowAppears(L"ZubiOptions", L"ｵﾌﾟｼｮﾝ設定", [&](HWND dialog) {
    if (!dialog) return;
    for (int id : {W::kMouseCheckBox, W::kHotCheckBox, W::kEdit1, W::kCheckBox2, W::kCheckBox1, W::kCheckBoxTitle,
                   W::kCheckBoxSound, W::kSelectSndButton, W::kOKButton, W::kCancelButton})
      places[id] = ClientRectOf(GetDlgItem(dialog, id));
    GetWindowRect(dialog, &placed);
    hotKeyText = TextOf(GetDlgItem(dialog, W::kEdit1));
    keyText = TextOf(GetDlgItem(dialog, W::kComboBox1));
    comboItems = static_cast<int>(SendMessageW(GetDlgItem(dialog, W::kComboBox1), CB_GETCOUNT, 0, 0));
    btnEnabled = IsWindowEnabled(GetDlgItem(dialog, W::kCheckBoxBtn));
    SendMessageW(GetDlgItem(dialog, W::kCheckBox1), BM_CLICK, 0, 0);  // Shift
    afterClick = TextOf(GetDlgItem(dialog, W::kEdit1));
    PostMessageW(GetDlgItem(dialog, W::kCancelButton), BM_CLICK, 0, 0);
  });
  SendMessageW(h.window->Handle(), WM_COMMAND, win32::launcher::kOption, 0);  // returns when the dialog closed
  actor.join();

  auto at = [&](int id) {
    const RECT& r = places[id];
    return std::vector<int>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  EXPECT_EQ(at(W::kMouseCheckBox), (std::vector<int>{8, 20, 53, 17}));
  EXPECT_EQ(at(W::kHotCheckBox), (std::vector<int>{124, 20, 57, 17}));
  EXPECT_EQ(at(W::kEdit1), (std::vector<int>{14, 57, 164, 20}));
  EXPECT_EQ(at(W::kCheckBox2), (std::vector<int>{14, 105, 41, 17}));
  EXPECT_EQ(at(W::kCheckBox1), (std::vector<int>{114, 105, 49, 17}));
  EXPECT_EQ(at(W::kCheckBoxTitle), (std::vector<int>{8, 145, 177, 17}));
  EXPECT_EQ(at(W::kCheckBoxSound), (std::vector<int>{200, 66, 97, 17}));
  EXPECT_EQ(at(W::kSelectSndButton), (std::vector<int>{212, 85, 75, 20}));
  EXPECT_EQ(at(W::kOKButton), (std::vector<int>{215, 115, 75, 25}));
  EXPECT_EQ(at(W::kCancelButton), (std::vector<int>{215, 145, 75, 25}));
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((placed.left + placed.right) / 2, width / 2, 1);
  EXPECT_NEAR((placed.top + placed.bottom) / 2, height / 2, 1);
  EXPECT_EQ(hotKeyText, "Ctrl+F6");
  EXPECT_EQ(keyText, "F6");  // position 88 of the key list
  EXPECT_EQ(comboItems, 135);
  EXPECT_TRUE(btnEnabled);
  EXPECT_EQ(afterClick, "Ctrl+Shift+F6");
  EXPECT_FALSE(h.window->WaitHotKey()->KeyAssign().hkShift());  // Cancel put it back
  EXPECT_EQ(h.folder.Read("zubi.ini").find("Mouse="), std::string::npos);
}

// The hot key of the settings is registered at start: its press toggles the window,
// and a combination another window holds is reported with the key's text.
TEST(OptionWindow, TheStoredHotKeyTogglesTheWindowAndATakenOneIsReported) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nHot=1\r\nHotKey=Ctrl+Shift+F6\r\n");
  h.Create();
  h.window->Start();
  ASSERT_TRUE(h.window->WaitHotKey()->Registered());
  HWND hidden = FindWindowW(L"ZubiWaitHotKey", nullptr);
  ASSERT_NE(hidden, nullptr);
  SendMessageW(hidden, WM_HOTKEY, h.window->WaitHotKey()->Identifier(), 0);
  EXPECT_FALSE(IsWindowVisible(h.window->Handle()));
  SendMessageW(hidden, WM_HOTKEY, h.window->WaitHotKey()->Identifier(), 0);
  EXPECT_TRUE(IsWindowVisible(h.window->Handle()));

  win32::UniqueHwnd other(
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(RegisterHotKey(other.get(), 7, MOD_CONTROL | MOD_ALT, VK_F7));
  h.WriteSettings("[User1]\r\nHot=1\r\nHotKey=Ctrl+Alt+F7\r\n");
  h.prompter.boxes.clear();
  h.launcher->FilesChanged({h.folder.Path("zubi.ini")});
  ASSERT_EQ(h.prompter.boxes.size(), 1u);
  EXPECT_EQ(h.prompter.boxes[0].text, "ホットキーが登録できません(Alt+Ctrl+F7)");
  EXPECT_FALSE(h.window->WaitHotKey()->Registered());
  UnregisterHotKey(other.get(), 7);

  h.WriteSettings("[User1]\r\nHot=0\r\nHotKey=Ctrl+Shift+F6\r\n");
  h.launcher->FilesChanged({h.folder.Path("zubi.ini")});
  // Switched off, the combination is free for other programs again.
  EXPECT_TRUE(RegisterHotKey(other.get(), 8, MOD_CONTROL | MOD_SHIFT, VK_F6));
  UnregisterHotKey(other.get(), 8);
}
