#include "components/tray_icon_window.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <chrono>

#include "support.h"

using testing_support::PumpMessages;
using testing_support::WaitUntil;

namespace {

// Whether the system holds icon `id` of `window`: only an icon it holds can change.
bool InSystemTray(HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_TIP;
  wcscpy(data.szTip, L"probe");
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void RemoveBehindItsBack(HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = id;
  Shell_NotifyIconW(NIM_DELETE, &data);
}

struct Tray {
  win32::WinCodePage codePage{932};
  core::TrayIconList list;
  win32::TrayIconComponent component{nullptr, codePage, list};
  HWND Window() const { return component.CallbackWindow(); }
  UINT Id() { return component.TrayIcon().Number(); }
};

TEST(TrayIconWindow, VisibleAddsAndRemovesTheIconAndDestructionRemovesIt) {
  HWND window;
  UINT id;
  {
    Tray tray;
    window = tray.Window();
    id = tray.Id();
    EXPECT_FALSE(InSystemTray(window, id));
    tray.component.TrayIcon().SetTipHelp("ZUBIらんちゃ");
    tray.component.TrayIcon().SetVisible(true);
    EXPECT_TRUE(tray.component.TrayIcon().InTray());
    EXPECT_TRUE(InSystemTray(window, id));
    tray.component.TrayIcon().SetVisible(false);
    EXPECT_FALSE(InSystemTray(window, id));

    tray.component.TrayIcon().SetVisible(true);
    ASSERT_TRUE(InSystemTray(window, id));
  }
  EXPECT_FALSE(InSystemTray(window, id));
}

TEST(TrayIconWindow, TheIconComesBackWhenTheShellAnnouncesANewTaskbar) {
  Tray tray;
  tray.component.TrayIcon().SetVisible(true);
  RemoveBehindItsBack(tray.Window(), tray.Id());
  ASSERT_FALSE(InSystemTray(tray.Window(), tray.Id()));
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return InSystemTray(tray.Window(), tray.Id()); }, 5000));

  // A hidden icon stays hidden.
  tray.component.TrayIcon().SetVisible(false);
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  WaitUntil([] { return false; }, 300);
  EXPECT_FALSE(InSystemTray(tray.Window(), tray.Id()));
}

TEST(TrayIconWindow, ACallbackReleaseBecomesAClickOnlyAfterTheDoubleClickTime) {
  Tray tray;
  int clicks = 0, doubleClicks = 0;
  tray.component.TrayIcon().OnClick = [&](core::TTrayIcon&) { ++clicks; };
  tray.component.TrayIcon().OnDblClick = [&](core::TTrayIcon&) { ++doubleClicks; };
  const auto wait = std::chrono::milliseconds(GetDoubleClickTime() + 50);

  auto start = std::chrono::steady_clock::now();
  SendMessageW(tray.Window(), 1224, tray.Id(), WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0);
  ASSERT_TRUE(WaitUntil([&] { return clicks == 1; }, 5000));
  // Timers may fire a tick early.
  EXPECT_GE(std::chrono::steady_clock::now() - start, wait - std::chrono::milliseconds(20));

  for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) SendMessageW(tray.Window(), 1224, tray.Id(), mouse);
  EXPECT_EQ(doubleClicks, 1);
  WaitUntil([] { return false; }, static_cast<int>(wait.count()) + 300);
  EXPECT_EQ(clicks, 1);

  // Another icon's number is not this icon's business.
  SendMessageW(tray.Window(), 1224, tray.Id() + 1, WM_LBUTTONUP);
  WaitUntil([] { return false; }, static_cast<int>(wait.count()) + 300);
  EXPECT_EQ(clicks, 1);
}

TEST(TrayIconWindow, TheOwnersIconIsShownWhenTheComponentHasNoneOfItsOwn) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HICON ownerIcon = LoadIconW(nullptr, IDI_INFORMATION);
  SendMessageW(owner, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ownerIcon));
  win32::WinCodePage codePage{932};
  core::TrayIconList list;
  {
    win32::TrayIconComponent component(owner, codePage, list);
    component.TrayIcon().SetVisible(true);
    EXPECT_EQ(component.TrayIcon().Record().icon, reinterpret_cast<std::uintptr_t>(ownerIcon));
    EXPECT_EQ(GetWindow(component.CallbackWindow(), GW_OWNER), owner);
    component.SetPicture(LoadIconW(nullptr, IDI_WARNING));
    EXPECT_NE(component.TrayIcon().Record().icon, reinterpret_cast<std::uintptr_t>(ownerIcon));
    EXPECT_NE(component.TrayIcon().Icon(), 0u);
  }
  DestroyWindow(owner);
  PumpMessages();
}

// Closes the open menu from inside its own loop, once the menu window shows.
bool menuSeen = false;
void CALLBACK CloseMenuWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  menuSeen = true;
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST(TrayIconWindow, ARightPressOpensTheMenuWithItsOwnerInFront) {
  HWND owner =
      CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 101, L"ヘルプ");
  win32::WinCodePage codePage{932};
  core::TrayIconList list;
  win32::TrayIconComponent component(owner, codePage, list);
  int downs = 0;
  HWND foregroundAtPopup = nullptr;
  component.TrayIcon().OnMouseDown = [&](core::TTrayIcon&, core::TMouseButton, core::TShiftState, int, int) {
    ++downs;
  };
  component.SetOnMenuPopup([&](HMENU opened) {
    EXPECT_EQ(opened, menu);
    foregroundAtPopup = GetForegroundWindow();
    SetTimer(nullptr, 0, 50, &CloseMenuWhenShown);
  });
  component.SetPopupMenu(menu);
  // Some other window is in front when the user presses on the icon.
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 20, 20, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
  SetForegroundWindow(other);
  ASSERT_EQ(GetForegroundWindow(), other);
  menuSeen = false;
  SendMessageW(component.CallbackWindow(), 1224, component.TrayIcon().Number(), WM_RBUTTONDOWN);
  EXPECT_TRUE(menuSeen);
  EXPECT_EQ(foregroundAtPopup, owner);
  EXPECT_EQ(downs, 0);

  component.TrayIcon().SetAutoPopup(false);
  menuSeen = false;
  SendMessageW(component.CallbackWindow(), 1224, component.TrayIcon().Number(), WM_RBUTTONDOWN);
  EXPECT_FALSE(menuSeen);
  EXPECT_EQ(downs, 1);

  component.SetPopupMenu(nullptr);
  DestroyMenu(menu);
  DestroyWindow(other);
  DestroyWindow(owner);
  PumpMessages();
}

}  // namespace
