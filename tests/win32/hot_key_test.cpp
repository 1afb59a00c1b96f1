#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/win_background.h"
#include "components/wait_hot_key_window.h"
#include "launch/button_keys_thread.h"
#include "support.h"

namespace {

using testing_support::FakePrompter;
using testing_support::WaitUntil;

// A window of someone else that tries to take a combination.
struct OtherWindow {
  win32::UniqueHwnd hwnd{
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)};
  // True when the combination was free; it is released again at once.
  bool CanTake(UINT modifiers, UINT key) {
    if (!RegisterHotKey(hwnd.get(), 1, modifiers, key)) {
      lastError = GetLastError();
      return false;
    }
    UnregisterHotKey(hwnd.get(), 1);
    return true;
  }
  DWORD lastError = 0;
};

std::wstring AtomName(HWND window) { return std::to_wstring(reinterpret_cast<std::uintptr_t>(window)); }

void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--it;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST(HotKeyComponent, ARegisteredCombinationIsHeldAndItsPressRaisesTheEvent) {
  FakePrompter prompter;
  win32::HotKeyComponent hotKey(prompter);
  auto& component = hotKey.WaitHotKey();
  EXPECT_EQ(GlobalFindAtomW(AtomName(hotKey.Handle()).c_str()), component.Identifier());
  EXPECT_FALSE(IsWindowVisible(hotKey.Handle()));
  int caught = 0;
  component.OnCatchHotKey = [&](core::TWaitHotKey& sender) {
    EXPECT_EQ(&sender, &component);
    ++caught;
  };
  component.SetHotKey("Ctrl+Shift+F5");
  OtherWindow other;
  ASSERT_TRUE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F5)) << "writing the text registers nothing";
  component.RegisterKey();
  EXPECT_FALSE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F5));
  EXPECT_EQ(other.lastError, static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
  EXPECT_TRUE(other.CanTake(MOD_CONTROL, VK_F5)) << "only the registered modifiers are held";

  Press({VK_CONTROL, VK_SHIFT, VK_F5});
  EXPECT_TRUE(WaitUntil([&] { return caught == 1; }, 3000)) << "the system delivers the press";

  PostMessageW(hotKey.Handle(), WM_HOTKEY, component.Identifier(), MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F5));
  EXPECT_TRUE(WaitUntil([&] { return caught == 2; }, 3000));

  component.SetEnabled(false);
  PostMessageW(hotKey.Handle(), WM_HOTKEY, component.Identifier(), 0);
  testing_support::PumpMessages();
  EXPECT_EQ(caught, 2) << "a disabled component ignores the press";
  EXPECT_FALSE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F5)) << "and keeps its registration";

  component.UnregisterKey();
  EXPECT_TRUE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F5));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST(HotKeyComponent, ACombinationHeldElsewhereIsRefusedWithItsText) {
  FakePrompter prompter;
  win32::HotKeyComponent first(prompter), second(prompter);
  EXPECT_NE(first.WaitHotKey().Identifier(), second.WaitHotKey().Identifier());
  first.WaitHotKey().SetHotKey("Ctrl+Shift+F5");
  first.WaitHotKey().RegisterKey();
  second.WaitHotKey().SetHotKey("shift+ctrl+f5");
  try {
    second.WaitHotKey().RegisterKey();
    FAIL() << "no error";
  } catch (const core::EWaitHotKey_HotKey& e) {
    EXPECT_STREQ(e.what(), "ホットキーが登録できません(Ctrl+Shift+F5)");
  }
  EXPECT_FALSE(second.WaitHotKey().Registered());
  EXPECT_TRUE(first.WaitHotKey().Registered());

  // The refused component can still take a free combination.
  second.WaitHotKey().SetHotKey("Alt+F6");
  second.WaitHotKey().RegisterKey();
  OtherWindow other;
  EXPECT_FALSE(other.CanTake(MOD_ALT, VK_F6));
}

TEST(HotKeyComponent, ClearingTheKeyAndDestructionFreeTheCombinationAndTheAtom) {
  FakePrompter prompter;
  OtherWindow other;
  std::wstring atomName;
  {
    win32::HotKeyComponent hotKey(prompter);
    atomName = AtomName(hotKey.Handle());
    auto& component = hotKey.WaitHotKey();
    component.SetHotKey("Windows+Alt+F8");
    component.RegisterKey();
    EXPECT_FALSE(other.CanTake(MOD_WIN | MOD_ALT, VK_F8));
    component.SetHotKey("(なし)");
    component.RegisterKey();
    EXPECT_TRUE(other.CanTake(MOD_WIN | MOD_ALT, VK_F8)) << "a cleared hot key is withdrawn";

    component.SetHotKey("Ctrl+Alt+Num+");
    component.RegisterKey();
    EXPECT_FALSE(other.CanTake(MOD_CONTROL | MOD_ALT, VK_ADD));
    EXPECT_NE(GlobalFindAtomW(atomName.c_str()), 0);
  }
  EXPECT_EQ(GlobalFindAtomW(atomName.c_str()), 0);
  EXPECT_TRUE(other.CanTake(MOD_CONTROL | MOD_ALT, VK_ADD));
}

}  // namespace

// The buttons' keys are held by a thread of their own: what it registers is held once
// Flush returns, a combination held elsewhere comes back refused, a press comes back
// to the launcher window, and stopping frees every key.
TEST(ButtonKeysThread, HoldsItsKeysAnswersRefusalsAndPressesAndFreesThemWhenStopped) {
  const win32::UniqueHwnd launcher = testing_support::MakeAnswerWindow();
  OtherWindow other;
  ASSERT_TRUE(RegisterHotKey(other.hwnd.get(), 7, MOD_CONTROL | MOD_ALT, VK_F11));
  std::vector<int> pressed;
  std::optional<std::vector<int>> refused;
  win32::ButtonKeysThread keys(launcher.get(), [&](int id) { pressed.push_back(id); });
  keys.Change({}, {{19, MOD_CONTROL | MOD_SHIFT, VK_F7}, {20, MOD_CONTROL | MOD_ALT, VK_F11}},
              [&](const std::vector<int>& ids) { refused = ids; });
  keys.Flush();
  EXPECT_FALSE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F7));
  ASSERT_TRUE(WaitUntil([&] { return refused.has_value(); }, 3000));
  EXPECT_EQ(*refused, std::vector<int>{20});

  Press({VK_CONTROL, VK_SHIFT, VK_F7});
  EXPECT_TRUE(WaitUntil([&] { return pressed == std::vector<int>{19}; }, 3000)) << "the system delivers the press";
  keys.Change({19}, {}, nullptr);
  keys.Flush();
  EXPECT_TRUE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F7)) << "withdrawn";
  keys.Change({}, {{21, MOD_CONTROL | MOD_SHIFT, VK_F7}}, nullptr);
  keys.Flush();
  EXPECT_FALSE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F7));
  keys.Stop();
  EXPECT_TRUE(other.CanTake(MOD_CONTROL | MOD_SHIFT, VK_F7)) << "stopping frees the keys";
  UnregisterHotKey(other.hwnd.get(), 7);
}
