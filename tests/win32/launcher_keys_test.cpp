#include <gtest/gtest.h>

#include "base/win.h"

#include <commctrl.h>

#include "launch/launcher_layout.h"
#include "support.h"

using namespace win32::launcher;
using testing_support::LauncherHarness;
using testing_support::TextOf;

namespace {

// Runs this thread's queued messages through the program's own message loop.
void RunLoop(win32::LauncherWindow& window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win32::ProcessLoopMessage(window, message);
}

void HoldCtrl(bool down) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = state[VK_LCONTROL] = down ? 0x80 : 0;
  state[VK_SHIFT] = state[VK_LSHIFT] = state[VK_MENU] = state[VK_LMENU] = 0;
  SetKeyboardState(state);
}

// A key pressed and released as the keyboard hands it to the focused control (with
// Ctrl held or not), through the program's message loop.
void Press(win32::LauncherWindow& window, WORD key, bool ctrl, bool heldBefore = false) {
  HoldCtrl(ctrl);
  HWND focus = GetFocus();
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  if (key == VK_NEXT || key == VK_PRIOR) scan |= 1 << 24;  // extended keys
  PostMessageW(focus, WM_KEYDOWN, key, 1 | scan | (heldBefore ? 1 << 30 : 0));
  PostMessageW(focus, WM_KEYUP, key, 1 | scan | (1 << 30) | (1u << 31));
  RunLoop(window);
  HoldCtrl(false);
}

// What reaches a control of the keys pressed on it.
struct Seen {
  int keys = 0, chars = 0;
};

LRESULT CALLBACK CountKeys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR seen) {
  if (message == WM_KEYDOWN) ++reinterpret_cast<Seen*>(seen)->keys;
  if (message == WM_CHAR || message == WM_SYSCHAR) ++reinterpret_cast<Seen*>(seen)->chars;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

struct KeyFixture {
  KeyFixture() {
    h.WriteSettings("[User1]\r\nPageNoControl=3\r\n");
    h.folder.Write("DATA\\User11.dat",
                   "[PageTitle]\r\nPageTitle=ab\r\n[Button3]\r\nProgPath=C:\\Tools\\three.exe\r\n"
                   "ProgOption=-x\r\n[Button10]\r\nProgPath=C:\\ten.exe\r\n");
    h.folder.Write("DATA\\User12.dat", "[PageTitle]\r\nPageTitle=second\r\n");
    h.Create();
    h.window->Start();
    RunLoop(*h.window);
    SetForegroundWindow(h.window->Handle());
    SetFocus(Edit());
    SendMessageW(Edit(), EM_SETSEL, 2, 2);
    SetWindowSubclass(Edit(), CountKeys, 77, reinterpret_cast<DWORD_PTR>(&seen));
  }
  ~KeyFixture() { RemoveWindowSubclass(Edit(), CountKeys, 77); }
  HWND Edit() const { return h.window->Control(kEdit1); }

  LauncherHarness h;
  Seen seen;
};

}  // namespace

TEST(LauncherKeys, CtrlDigitsStartTheirButtonsAndNeverReachTheTitleBox) {
  KeyFixture f;
  ASSERT_EQ(GetFocus(), f.Edit());
  Press(*f.h.window, '3', true);
  ASSERT_EQ(f.h.shell.requests.size(), 1u);
  EXPECT_EQ(f.h.shell.requests[0].file, "C:\\Tools\\three.exe");
  EXPECT_EQ(f.h.shell.requests[0].parameters, "-x");
  EXPECT_FALSE(f.h.shell.requests[0].elevated);
  EXPECT_EQ(f.h.shell.requests[0].owner, f.h.window->ButtonControl(3).NativeHandle()) << "as the button's own start";
  Press(*f.h.window, '0', true);
  ASSERT_EQ(f.h.shell.requests.size(), 2u);
  EXPECT_EQ(f.h.shell.requests[1].file, "C:\\ten.exe");
  Press(*f.h.window, '3', true, true);  // auto-repeat of a held key
  EXPECT_EQ(f.h.shell.requests.size(), 2u);
  for (WORD digit = '0'; digit <= '9'; ++digit) Press(*f.h.window, digit, true);
  EXPECT_EQ(f.h.shell.requests.size(), 4u) << "buttons 3 and 10 hold programs";
  // The title box never sees the keys, so it can neither take a character (Ctrl+2 and
  // Ctrl+6 are characters on Windows) nor beep at one.
  EXPECT_EQ(f.seen.keys, 0);
  EXPECT_EQ(f.seen.chars, 0);
  EXPECT_EQ(TextOf(f.Edit()), "ab");
  EXPECT_NE(f.h.folder.Read("DATA\\User11.dat").find("PageTitle=ab\r\n"), std::string::npos);

  // Plain digits still type.
  Press(*f.h.window, '4', false);
  Press(*f.h.window, '2', false);
  EXPECT_EQ(TextOf(f.Edit()), "ab42");
  EXPECT_EQ(f.seen.keys, 2);
  EXPECT_EQ(f.seen.chars, 2);
  EXPECT_NE(f.h.folder.Read("DATA\\User11.dat").find("PageTitle=ab42\r\n"), std::string::npos);
  EXPECT_EQ(f.h.shell.requests.size(), 4u);

  // With the focus on another control of the window, the keys act the same.
  SetFocus(f.h.window->Control(kFastTopButton));
  Press(*f.h.window, '3', true);
  EXPECT_EQ(f.h.shell.requests.size(), 5u);
}

// Enter on a focused launch button starts it once per press, however long it is
// held; Alt+Enter opens its settings dialog, as a right click does.
TEST(LauncherKeys, EnterStartsAFocusedButtonOncePerPressAndAltEnterOpensItsSettings) {
  KeyFixture f;
  HWND button = f.h.window->Control(kLaunchButton1 + 2);
  SetFocus(button);
  Press(*f.h.window, VK_RETURN, false);
  Press(*f.h.window, VK_RETURN, false, true);  // held down: the key repeats
  ASSERT_EQ(f.h.shell.requests.size(), 1u);
  EXPECT_EQ(f.h.shell.requests[0].file, "C:\\Tools\\three.exe");
  bool opened = false;
  auto actor = testing_support::WhenWindowAppears(L"ZubiButtonSettings", nullptr, [&](HWND dialog) {
    opened = dialog != nullptr;
    if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(button, WM_SYSKEYDOWN, VK_RETURN, 1 | scan | (1 << 29));  // with Alt held
  RunLoop(*f.h.window);                                                  // returns once the dialog has closed
  actor.join();
  EXPECT_TRUE(opened);
  EXPECT_EQ(f.h.shell.requests.size(), 1u);
}

TEST(LauncherKeys, CtrlPageDownAndUpMoveAPage) {
  KeyFixture f;
  Press(*f.h.window, VK_NEXT, true);
  EXPECT_EQ(f.h.launcher->Current().PageNo, 2);
  EXPECT_EQ(TextOf(f.Edit()), "second");
  Press(*f.h.window, VK_NEXT, true, true);  // held: it goes on
  EXPECT_EQ(f.h.launcher->Current().PageNo, 3);
  Press(*f.h.window, VK_PRIOR, true);
  EXPECT_EQ(f.h.launcher->Current().PageNo, 2);
  Press(*f.h.window, VK_PRIOR, true);
  EXPECT_EQ(f.h.launcher->Current().PageNo, 1);
  EXPECT_EQ(TextOf(f.Edit()), "ab");
  EXPECT_EQ(f.seen.keys, 0);
  Press(*f.h.window, VK_NEXT, false);  // without Ctrl the title box has the key
  EXPECT_EQ(f.h.launcher->Current().PageNo, 1);
  EXPECT_EQ(f.seen.keys, 1);
  SendMessageW(f.h.window->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(TextOf(f.h.window->Handle()), "User1 - Page 1/3");
  EXPECT_TRUE(f.h.shell.requests.empty());
}

TEST(LauncherKeys, KeysAreLeftAloneWhileAModalDialogHasTheWindowOrForOtherWindows) {
  KeyFixture f;
  HoldCtrl(true);
  MSG message{f.Edit(), WM_KEYDOWN, '3', 1, 0, {}};
  EnableWindow(f.h.window->Handle(), FALSE);  // as while a dialog of the program is open
  EXPECT_FALSE(f.h.window->TranslateKeyCommand(message));
  EnableWindow(f.h.window->Handle(), TRUE);
  message.hwnd = f.h.dialogs.ListWindow()->Handle();
  EXPECT_FALSE(f.h.window->TranslateKeyCommand(message));
  message.hwnd = f.Edit();
  message.message = WM_CHAR;
  EXPECT_FALSE(f.h.window->TranslateKeyCommand(message));
  message.message = WM_KEYDOWN;
  EXPECT_TRUE(f.h.window->TranslateKeyCommand(message));
  HoldCtrl(false);
  EXPECT_EQ(f.h.shell.requests.size(), 1u);
}
