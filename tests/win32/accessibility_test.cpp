#include <gtest/gtest.h>

#include <oleacc.h>

#include <vector>

#include "base/utf16.h"
#include "copy/copy_dlg_window.h"
#include "find/find_box_window.h"
#include "launch/launcher_layout.h"
#include "launch_button/button_settings_window.h"
#include "list/list_dlg_window.h"
#include "option/option_dlg_window.h"
#include "storage/text_codec.h"
#include "support.h"
#include "user/user_dlg_window.h"

using namespace win32::launcher;
using testing_support::LauncherHarness;
using testing_support::PumpMessages;
using testing_support::ReadAccessible;
using testing_support::WaitUntil;

namespace {

std::string Beside(const std::string& name) {
  const std::string self = win32::Narrow(win32::ModulePath());
  return self.substr(0, self.rfind('\\') + 1) + name;
}

void WritePage(LauncherHarness& h, int page, const std::string& utf8) {
  h.folder.Write("DATA/User1" + std::to_string(page) + ".dat", core::EncodeText(utf8, h.codePage));
}

std::string NameOf(LauncherHarness& h, int id) { return ReadAccessible(h.window->Control(id)).name; }

// The events that screen readers hear of the find box's list, as (event, child).
std::vector<std::pair<DWORD, long>> heard;
HWND listened = nullptr;
void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (hwnd == listened && object == OBJID_CLIENT) heard.emplace_back(event, child);
}

}  // namespace

// Screen readers read each launch button by its title, file name or "未登録", and
// what its look says by colour (dimmed, running mark) in words; the names follow the
// page. The navigation buttons read as their hints, not as what they draw.
TEST(Accessibility, EveryControlOfTheLauncherHasANameThatFollowsThePage) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nPageNoControl=2\r\n");
  WritePage(h, 1,
            "[Button1]\r\nProgPath=" + Beside("recorder.exe") + "\r\nProgTitle=録音\r\n[Button2]\r\nProgPath=" +
                h.folder.Path("gone.exe") + "\r\n[Button4]\r\nProgPath=" + Beside("icons.exe") +
                "\r\nHotKey=Alt+Ctrl+I\r\n[Button5]\r\nProgPath=" + h.folder.Path("") +
                "\r\nProgTitle=folder\r\nFolderMenu=1\r\n");
  WritePage(h, 2, "[Button3]\r\nProgPath=" + Beside("recorder.exe") + "\r\n");
  h.Create();
  auto button = [&](int k) { return NameOf(h, kLaunchButton1 + k - 1); };
  EXPECT_TRUE(WaitUntil([&] { return h.window->ButtonControl(2).Dimmed(); }));
  EXPECT_EQ(std::vector({button(1), button(2), button(3), button(4), button(10)}),
            std::vector<std::string>(
                {"録音", "gone.exe、見つかりません", "未登録", "icons.exe、ﾎｯﾄｷｰ Alt+Ctrl+I", "未登録"}));
  EXPECT_EQ(testing_support::TextOf(h.window->Control(kLaunchButton1)), "") << "the face shows no text";
  // A folder button that opens a menu says so; the others keep the system's description.
  EXPECT_EQ(ReadAccessible(h.window->Control(kLaunchButton1 + 4)).description, "ｸﾘｯｸでﾌｫﾙﾀﾞの中身をﾒﾆｭｰで表示");
  EXPECT_EQ(ReadAccessible(h.window->Control(kLaunchButton1)).description, "");

  SendMessageW(h.window->Control(kFwdButton), BM_CLICK, 0, 0);
  EXPECT_EQ(std::vector({button(1), button(2), button(3)}),
            std::vector<std::string>({"未登録", "未登録", "recorder.exe"}));

  EXPECT_EQ(std::vector({NameOf(h, kEdit1), NameOf(h, kFastTopButton), NameOf(h, kFastBwdButton), NameOf(h, kBwdButton),
                         NameOf(h, kFwdButton), NameOf(h, kFastFwdButton), NameOf(h, kFastFinalButton),
                         NameOf(h, kMemo1), NameOf(h, kUpDown1)}),
            std::vector<std::string>({"ﾍﾟｰｼﾞﾀｲﾄﾙ", "先頭ﾍﾟｰｼﾞへ", "早戻し", "前ﾍﾟｰｼﾞ", "次ﾍﾟｰｼﾞ", "早送り",
                                      "最終ﾍﾟｰｼﾞへ", "只今の最大ﾍﾟｰｼﾞ数", "ﾍﾟｰｼﾞ数設定"}));
  EXPECT_EQ(testing_support::TextOf(h.window->Control(kFastBwdButton)), "<<");
  // The rest of what is read is the system's own answer.
  EXPECT_EQ(ReadAccessible(h.window->Control(kFwdButton)).state & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
}

// The dialogs make all their labels first, which would name every field after the last
// label: each field is named for what it holds.
TEST(Accessibility, EveryFieldOfTheDialogsIsNamedForWhatItHolds) {
  LauncherHarness h;
  h.Create();
  h.window->CompleteStart();
  using S = win32::ButtonSettingsWindow;
  using U = win32::UserDlgWindow;
  using O = win32::OptionDlgWindow;
  using C = win32::CopyDlgWindow;
  S settings(h.window->Control(kLaunchButton1), h.window->Handle());
  const win32::UserDlgWindow& user = *h.dialogs.UserWindow();
  const win32::OptionDlgWindow& option = *h.dialogs.OptionWindow();
  const win32::CopyDlgWindow& copy = *h.dialogs.CopyWindow();
  HWND keyEdit = FindWindowExW(option.Control(O::kComboBox1), nullptr, L"Edit", nullptr);
  const std::pair<HWND, const char*> fields[] = {
      {settings.Control(S::kTitleEdit), "タイトル："},
      {settings.Control(S::kPathEdit), "パス名："},
      {settings.Control(S::kDirEdit), "初期ﾃﾞｨﾚｸﾄﾘ："},
      {settings.Control(S::kStateList), "起動時の状態："},
      {settings.Control(S::kOptionEdit), "起動時ｵﾌﾟｼｮﾝ："},
      {settings.Control(S::kIconButton), "アイコンを別の場所から設定します"},
      {settings.Control(S::kHotKeyEdit), "ﾎｯﾄｷｰ："},
      {settings.Control(S::kSwitchCheck), "起動中なら切り替え"},
      {settings.Control(S::kFolderMenuCheck), "ﾌｫﾙﾀﾞの中身をﾒﾆｭｰで表示"},
      {settings.Control(S::kDelayEdit), "次の起動まで(ms)："},
      {user.Control(U::kListBox1), "ﾕｰｻﾞ選択"},
      {user.Control(U::kEdit1), "ﾕｰｻﾞ名又はﾃﾞｰﾀ名を入力"},
      {user.Control(U::kUpDown1), "ﾕｰｻﾞNo.設定"},
      {option.Control(O::kComboBox1), "ｷｰ選択"},
      {keyEdit, "ｷｰ選択"},
      {option.Control(O::kEdit1), "只今のﾎｯﾄｷｰ"},
      {option.Control(O::kComboBox2), "只今のｶﾗｰ"},
      {copy.Control(C::kSrcList), "ｺﾋﾟｰ元ﾘｽﾄ："},
      {copy.Control(C::kDstList), "ｺﾋﾟｰ先ﾘｽﾄ："},
      {h.dialogs.ListWindow()->Control(win32::ListDlgWindow::kListBox1), "ﾍﾟｰｼﾞﾀｲﾄﾙ一覧"},
      {h.dialogs.FindWindow()->Control(win32::FindBoxWindow::kText), "ﾎﾞﾀﾝとﾌﾟﾛｸﾞﾗﾑを検索"},
  };
  for (const auto& [control, name] : fields) EXPECT_EQ(ReadAccessible(control).name, name);
}

// The find box's list reads as one item per line, named as the line reads, the chosen
// one selected and focused; a new list and each move of the choice are told.
TEST(Accessibility, TheFindBoxListsItsLinesAsItemsAndTellsOfTheChoice) {
  LauncherHarness h;
  WritePage(h, 1,
            "[Button1]\r\nProgPath=" + Beside("recorder.exe") +
                "\r\nProgTitle=録音機\r\n[Button2]\r\nProgPath=" + h.folder.Path("録音.exe") + "\r\n");
  h.Create();
  h.window->CompleteStart();
  ASSERT_TRUE(h.launcher->KeyDown({core::kKeyF3, {}, false}));
  win32::FindBoxWindow& box = *h.dialogs.FindWindow();
  ASSERT_TRUE(box.IsOpen());
  HWND list = box.Control(win32::FindBoxWindow::kList);
  listened = list;
  heard.clear();
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Listen, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);

  SetWindowTextW(box.Control(win32::FindBoxWindow::kText), L"録音");
  EXPECT_EQ(ReadAccessible(list).children, 2);
  EXPECT_EQ(ReadAccessible(list).listed, 2);
  EXPECT_TRUE(ReadAccessible(list).oneIdentity);
  EXPECT_EQ(ReadAccessible(list, 1).name, "録音機 P1");
  EXPECT_EQ(ReadAccessible(list, 2).name, "録音.exe P1、見つかりません");
  EXPECT_EQ(ReadAccessible(list).role, ROLE_SYSTEM_LIST);
  const long chosen = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
  EXPECT_EQ(ReadAccessible(list, 1).state & chosen, chosen);
  EXPECT_EQ(ReadAccessible(list, 2).state & chosen, 0);

  SendMessageW(box.Control(win32::FindBoxWindow::kText), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(ReadAccessible(list, 2).state & chosen, chosen);
  EXPECT_TRUE(WaitUntil([] { return heard.size() >= 4; }, 3000));
  const std::vector<std::pair<DWORD, long>> expected = {{EVENT_OBJECT_REORDER, CHILDID_SELF},
                                                        {EVENT_OBJECT_FOCUS, 1},
                                                        {EVENT_OBJECT_SELECTION, 1},
                                                        {EVENT_OBJECT_FOCUS, 2},
                                                        {EVENT_OBJECT_SELECTION, 2}};
  EXPECT_EQ(heard, expected);

  SetWindowTextW(box.Control(win32::FindBoxWindow::kText), L"zzz");
  EXPECT_EQ(ReadAccessible(list).children, 1);
  EXPECT_EQ(ReadAccessible(list, 1).name, "見つかりません");
  UnhookWinEvent(hook);
  h.dialogs.Find()->Cancel();
  PumpMessages();
}
