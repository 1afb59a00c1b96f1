#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "about/about_box_window.h"
#include "about/about_texts.h"
#include "base/utf16.h"
#include "launch/launcher_menus.h"
#include "support.h"

#include <winver.h>

using testing_support::ClientRectOf;
using testing_support::LauncherHarness;
using testing_support::TextOf;
using testing_support::WhenWindowAppears;
using W = win32::AboutBoxWindow;

namespace {

constexpr wchar_t kClass[] = L"ZubiAboutBox";
constexpr wchar_t kTitle[] = L"バージョン情報";

std::vector<int> Box(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

TEST(AboutBoxWindow, OpensCentredInThePanelColourWithItsLayoutAndALinkClickReachesTheShell) {
  LauncherHarness h;
  h.WriteSettings("[User1]\r\nFormColor=7\r\n");
  h.Create();
  std::map<int, std::vector<int>> places;
  std::map<int, std::string> texts;
  std::map<int, int> textWidths;
  RECT placed{}, client{};
  COLORREF corner = 0;
  HICON icon = nullptr;
  auto actor = WhenWindowAppears(kClass, kTitle, [&](HWND dialog) {
    if (!dialog) return;
    Sleep(100);  // painted
    for (int id : {W::kPanel1, W::kProgramIcon, W::kProductName, W::kVersion, W::kNotice, W::kShotLabelMail,
                   W::kShotLabelURL, W::kOKButton}) {
      HWND control = GetDlgItem(dialog, id);
      if (!control) control = GetDlgItem(GetDlgItem(dialog, W::kPanel1), id);
      places[id] = Box(ClientRectOf(control));
      texts[id] = TextOf(control);
      std::wstring text = win32::Widen(texts[id]);
      HDC dc = GetDC(control);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      SelectObject(dc, old);
      ReleaseDC(control, dc);
      textWidths[id] = extent.cx;
    }
    icon = reinterpret_cast<HICON>(
        SendMessageW(GetDlgItem(GetDlgItem(dialog, W::kPanel1), W::kProgramIcon), STM_GETICON, 0, 0));
    GetWindowRect(dialog, &placed);
    GetClientRect(dialog, &client);
    HDC dc = GetDC(dialog);
    corner = GetPixel(dc, 2, 2);
    ReleaseDC(dialog, dc);
    HWND url = GetDlgItem(GetDlgItem(dialog, W::kPanel1), W::kShotLabelURL);
    PostMessageW(url, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(url, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Sleep(200);
    PostMessageW(GetDlgItem(dialog, W::kOKButton), BM_CLICK, 0, 0);
  });
  SendMessageW(h.window->Handle(), WM_COMMAND, win32::launcher::kVersion, 0);  // returns when the dialog closed
  actor.join();

  EXPECT_EQ(client.right, 352);
  EXPECT_EQ(client.bottom, 100);
  // The panel's controls sit at the panel's corner (6,4) plus their place in it. Labels
  // widen to their text where the font that stands in for the layout's is wider.
  struct Place {
    int id, left, top, width, height;
    bool label;
  };
  const Place expected[] = {
      {W::kPanel1, 6, 4, 342, 65, false},         {W::kProgramIcon, 19, 12, 33, 33, false},
      {W::kProductName, 66, 12, 268, 12, true},   {W::kVersion, 86, 26, 57, 12, true},
      {W::kNotice, 166, 29, 173, 12, true},       {W::kShotLabelMail, 14, 49, 133, 12, true},
      {W::kShotLabelURL, 158, 49, 178, 12, true}, {W::kOKButton, 144, 75, 55, 20, false},
  };
  for (const Place& e : expected) {
    SCOPED_TRACE(e.id);
    const std::vector<int>& at = places[e.id];
    ASSERT_EQ(at.size(), 4u);
    EXPECT_EQ(at[0], e.left);
    EXPECT_EQ(at[1], e.top);
    EXPECT_EQ(at[3], e.height);
    if (e.label) {
      EXPECT_GE(at[2], e.width);
      EXPECT_GE(at[2], std::min(textWidths[e.id], 6 + 342 - 2 - e.left));  // up to the panel's bevel
      EXPECT_LE(e.left + at[2], 6 + 342 - 2);
    } else {
      EXPECT_EQ(at[2], e.width);
    }
  }
  EXPECT_EQ(texts[W::kProductName], "ZUBI らんちゃ for Windows 95/98/Me/NT/2000/XP");
  EXPECT_EQ(texts[W::kVersion], "Version 2.9");
  EXPECT_EQ(texts[W::kNotice], "(C) 2026 ZUBIらんちゃ開発者");
  EXPECT_EQ(texts[W::kShotLabelMail], "mailto:zubi@example.org");
  EXPECT_EQ(texts[W::kShotLabelURL], "https://zubi.example.org/");
  EXPECT_EQ(texts[W::kOKButton], "OK");
  EXPECT_NE(icon, nullptr);
  EXPECT_EQ(corner, RGB(166, 202, 240));
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((placed.left + placed.right) / 2, width / 2, 1);
  EXPECT_NEAR((placed.top + placed.bottom) / 2, height / 2, 1);

  ASSERT_EQ(h.shell.requests.size(), 1u);
  const core::ShellRequest& r = h.shell.requests[0];
  EXPECT_EQ(r.file, "https://zubi.example.org/");
  EXPECT_EQ(r.verb, "open");
  EXPECT_EQ(r.owner, reinterpret_cast<std::uintptr_t>(GetDesktopWindow()));
  EXPECT_EQ(r.showCommand, SW_SHOWNORMAL);
  EXPECT_FALSE(h.dialogs.AboutWindow()->IsOpen());
  EXPECT_FALSE(IsWindowVisible(h.dialogs.AboutWindow()->Handle()));
}

// The tray menu's item opens the same dialog; Enter (OK is the default) and the close
// box close it, and a press that leaves the label before its release opens nothing.
TEST(AboutBoxWindow, TheTrayItemOpensItAndEnterOrTheCloseBoxClosesIt) {
  LauncherHarness h;
  h.Create();
  for (bool byEnter : {true, false}) {
    SCOPED_TRACE(byEnter);
    bool seen = false;
    auto actor = WhenWindowAppears(kClass, kTitle, [&](HWND dialog) {
      if (!dialog) return;
      seen = true;
      HWND mail = GetDlgItem(GetDlgItem(dialog, W::kPanel1), W::kShotLabelMail);
      PostMessageW(mail, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageW(mail, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));  // released beside it
      if (byEnter)
        PostMessageW(GetDlgItem(dialog, W::kOKButton), WM_KEYDOWN, VK_RETURN, 0);
      else
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    SendMessageW(h.window->Handle(), WM_COMMAND, win32::launcher::kTrayVersion, 0);
    actor.join();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(IsWindowVisible(h.dialogs.AboutWindow()->Handle()));
  }
  EXPECT_TRUE(h.shell.requests.empty());
}

// The dialog's version and the exe's version resource are made from the same number.
TEST(AboutBoxWindow, TheVersionResourceCarriesTheDialogsVersion) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD size = GetFileVersionInfoSizeW(path, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  std::string numbers =
      std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
      std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\041104B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  std::string product = win32::Narrow(text);
  EXPECT_EQ(std::string(core::texts::kAboutVersion), "Version " + product);
  EXPECT_EQ(numbers, product + ".0.0");
}
