#include <gtest/gtest.h>

#include "base/message_box.h"
#include "base/utf16.h"
#include "support.h"

using testing_support::WhenWindowAppears;

namespace {

// What a box showed, read from another thread while it was open.
struct SeenBox {
  std::string yes, no, cancel, ok, text;
  RECT rect{};
};

std::string ItemText(HWND box, int id) {
  HWND item = GetDlgItem(box, id);
  if (!item || !IsWindowVisible(item)) return "";
  wchar_t text[128] = L"";
  GetWindowTextW(item, text, 128);
  return win32::Narrow(text);
}

// Reads the box and then presses one of its buttons.
std::thread Answer(const wchar_t* title, int button, SeenBox& seen) {
  return WhenWindowAppears(L"#32770", title, [&seen, button](HWND box) {
    if (!box) return;
    // Its unused buttons are told apart by being hidden, and its texts are ours once it
    // has been activated.
    for (int i = 0; i < 3000 && GetForegroundWindow() != box; ++i) Sleep(10);
    seen.yes = ItemText(box, IDYES);
    seen.no = ItemText(box, IDNO);
    seen.cancel = ItemText(box, IDCANCEL);
    seen.ok = ItemText(box, IDOK);
    GetWindowRect(box, &seen.rect);
    EnumChildWindows(
        box,
        [](HWND child, LPARAM p) {
          wchar_t cls[32] = L"", text[256] = L"";
          GetClassNameW(child, cls, 32);
          GetWindowTextW(child, text, 256);
          if (lstrcmpiW(cls, L"Static") == 0 && text[0]) reinterpret_cast<SeenBox*>(p)->text = win32::Narrow(text);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  });
}

}  // namespace

TEST(MessageBoxes, ConfirmationHasTheProgramsButtonsAndOnlyYesProceeds) {
  win32::Win32Prompter prompter;
  SeenBox seen;
  auto answer = Answer(L"確認", IDYES, seen);
  bool yes = prompter.Confirm("終了しますか?", core::ConfirmKind::kYesNo, core::BoxPlacement::At(40, 50));
  answer.join();
  EXPECT_TRUE(yes);
  EXPECT_EQ(seen.yes, "はい(&Y)");
  EXPECT_EQ(seen.no, "いいえ(&N)");
  EXPECT_EQ(seen.text, "終了しますか?");
  EXPECT_EQ(seen.rect.left, 40);
  EXPECT_EQ(seen.rect.top, 50);

  SeenBox no;
  answer = Answer(L"確認", IDNO, no);
  EXPECT_FALSE(prompter.Confirm("q", core::ConfirmKind::kYesNo, core::BoxPlacement::Centred()));
  answer.join();
  // Centred on the screen.
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((no.rect.left + no.rect.right) / 2, width / 2, 1);
  EXPECT_NEAR((no.rect.top + no.rect.bottom) / 2, height / 2, 1);
}

TEST(MessageBoxes, YesCancelBoxCountsCancelAsNo) {
  win32::Win32Prompter prompter;
  SeenBox seen;
  auto answer = Answer(L"確認", IDCANCEL, seen);
  EXPECT_FALSE(prompter.Confirm("q", core::ConfirmKind::kYesCancel, core::BoxPlacement::Centred()));
  answer.join();
  EXPECT_EQ(seen.ok, "はい(&Y)");
  EXPECT_EQ(seen.cancel, "キャンセル");

  answer = Answer(L"確認", IDOK, seen);
  EXPECT_TRUE(prompter.Confirm("q", core::ConfirmKind::kYesCancel, core::BoxPlacement::Centred()));
  answer.join();
}

TEST(MessageBoxes, PlainAndInformationBoxesHaveTheirTitlesAndOk) {
  win32::Win32Prompter prompter;
  SeenBox plain;
  auto answer = Answer(L"ZUBIらんちゃ", IDOK, plain);
  prompter.ShowMessage("起動できません");
  answer.join();
  EXPECT_EQ(plain.ok, "OK");
  EXPECT_EQ(plain.text, "起動できません");

  SeenBox information;
  answer = Answer(L"情報", IDOK, information);
  prompter.ShowInformation("お知らせ", core::BoxPlacement::At(10, 20));
  answer.join();
  EXPECT_EQ(information.ok, "OK");
  EXPECT_EQ(information.rect.left, 10);
}
