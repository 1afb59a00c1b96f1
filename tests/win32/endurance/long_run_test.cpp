// A long session with the real launcher window and its real dialogs: thousands of page
// moves, every dialog opened and closed hundreds of times, and the 200 ms timer's
// handler run a hundred thousand times leave the process's memory and its GDI and USER
// objects where they were after the first rounds.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "base/utf16.h"
#include "copy/copy_dlg_window.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_menus.h"
#include "launch_button/button_settings_window.h"
#include "resource_counts.h"
#include "storage/text_codec.h"
#include "support.h"
#include "user/user_dlg_window.h"

using namespace win32::launcher;
using endurance::ResourceReading;
using testing_support::LauncherHarness;

namespace {

constexpr int kPages = 10;
constexpr int kMoves = 2000;
constexpr int kOpens = 200;
constexpr int kTicks = 100000;
// The first rounds fill what is filled once (glyphs of every page's icons, the hints,
// the system's own caches); what comes after must not grow.
constexpr int kWarmUp = 20;
constexpr std::uint64_t kMemorySlack = 1 << 20;

constexpr UINT_PTR kTimerId = 1;

double Seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string BesideTheTests(const std::string& name) {
  std::string self = win32::Narrow(win32::ModulePath());
  return self.substr(0, self.rfind('\\') + 1) + name;
}

// The system's clock and formats, with a time the test moves on: every tick of the long
// run shows a new time, and now and then a new date.
class SteppingClock final : public core::Environment {
 public:
  explicit SteppingClock(const core::Environment& real) : real_(real) {}
  std::string ExecutablePath() const override { return real_.ExecutablePath(); }
  std::string CurrentDirectory() const override { return real_.CurrentDirectory(); }
  std::optional<std::string> Variable(const std::string& name) const override { return real_.Variable(name); }
  std::string FolderPath(int id) const override { return real_.FolderPath(id); }
  core::LocalTime Now() const override { return now_; }
  std::string DateSeparator() const override { return real_.DateSeparator(); }
  std::string LongTimeText(const core::LocalTime& time) const override { return real_.LongTimeText(time); }

  void Advance(int seconds) {
    SYSTEMTIME st{static_cast<WORD>(now_.year),
                  static_cast<WORD>(now_.month),
                  0,
                  static_cast<WORD>(now_.day),
                  static_cast<WORD>(now_.hour),
                  static_cast<WORD>(now_.minute),
                  static_cast<WORD>(now_.second),
                  0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000;
    ft = {t.LowPart, t.HighPart};
    FileTimeToSystemTime(&ft, &st);
    now_ = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  }

 private:
  const core::Environment& real_;
  core::LocalTime now_{2024, 12, 31, 23, 0, 0};
};

// The user at the dialogs. Each request is posted before its dialog opens, so that the
// dialog's own message loop takes it once the dialog shows: the dialog is painted, as
// the screen would show it, and then the request acts on it as a user would, with
// clicks on its buttons.
class DialogUser {
 public:
  DialogUser() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZubiTestDialogUser";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~DialogUser() { DestroyWindow(window_); }
  DialogUser(const DialogUser&) = delete;
  DialogUser& operator=(const DialogUser&) = delete;

  void When(const wchar_t* className, std::function<void(HWND)> act) {
    pending_.push_back({className, std::move(act)});
    PostMessageW(window_, WM_APP, 0, 0);
  }
  int Served(const std::wstring& className) const { return served_.count(className) ? served_.at(className) : 0; }
  int Missed() const { return missed_; }

 private:
  struct Request {
    std::wstring className;
    std::function<void(HWND)> act;
  };

  static HWND ShownWindowOf(const std::wstring& className) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className.c_str(), nullptr));) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<DialogUser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_APP || !self || self->pending_.empty()) return DefWindowProcW(hwnd, message, wParam, lParam);
    Request request = std::move(self->pending_.front());
    self->pending_.pop_front();
    HWND dialog = ShownWindowOf(request.className);
    if (!dialog) {
      ++self->missed_;
      return 0;
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ++self->served_[request.className];
    request.act(dialog);
    return 0;
  }

  HWND window_ = nullptr;
  std::deque<Request> pending_;
  std::map<std::wstring, int> served_;
  int missed_ = 0;
};

void Press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

constexpr wchar_t kListClass[] = L"ZubiPageList";
constexpr wchar_t kUserClass[] = L"ZubiUserDialog";
constexpr wchar_t kCopyClass[] = L"ZubiDataCopy";
constexpr wchar_t kOptionClass[] = L"ZubiOptions";
constexpr wchar_t kAboutClass[] = L"ZubiAboutBox";
constexpr wchar_t kSettingsClass[] = L"ZubiButtonSettings";
constexpr const wchar_t* kDialogClasses[] = {kListClass,   kUserClass,  kCopyClass,
                                             kOptionClass, kAboutClass, kSettingsClass};

class LongRunTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteData();
    CreateLauncher();
    h_.window->Start();
    testing_support::PumpMessages();
    ASSERT_NE(h_.dialogs.OptionWindow(), nullptr) << "no hot key, no options dialog";
  }

  // Ten pages of programs, documents and a folder, shell icons and numbered icons,
  // large and small, and some empty buttons.
  void WriteData() {
    h_.WriteSettings("[User1]\r\nPageNo=1\r\nPageNoControl=" + std::to_string(kPages) + "\r\n");
    h_.folder.Write("notes.txt", "a document\r\n");
    const std::string recorder = BesideTheTests("recorder.exe"), icons = BesideTheTests("icons.exe");
    for (int page = 1; page <= kPages; ++page) {
      std::string text = "[PageTitle]\r\nPageTitle=" + TitleOf(page) + "\r\n";
      for (int k = 1; k <= 10; ++k) {
        text += "[Button" + std::to_string(k) + "]\r\n";
        switch ((k + page) % 5) {
          case 0: text += "ProgPath=" + recorder + "\r\nProgTitle=記録\r\n"; break;
          case 1:
            text += "ProgPath=" + icons + "\r\nIconPath=" + icons + "\r\nIconNo=" + std::to_string(page % 5) + "\r\n";
            break;
          case 2: text += "ProgPath=" + h_.folder.Path("notes.txt") + "\r\nIsIconSmall=1\r\n"; break;
          case 3: text += "ProgPath=" + h_.folder.Path() + "\r\nProgTitle=ﾌｫﾙﾀﾞ\r\n"; break;
          default: text += "ProgPath=\r\n"; break;
        }
      }
      h_.folder.Write("DATA\\User1" + std::to_string(page) + ".dat", core::EncodeText(text, h_.codePage));
    }
  }

  static std::string TitleOf(int page) { return "ページ" + std::to_string(page); }

  // As LauncherHarness::Create, with the stepping clock.
  void CreateLauncher() {
    h_.window = std::make_unique<win32::LauncherWindow>(nullptr);
    const core::LauncherPorts ports{h_.files, h_.codePage, h_.prompter, h_.shell, clock_, h_.sound, h_.probe, h_.log};
    h_.launcher = std::make_unique<core::TLauncher>(*h_.window, ports);
    h_.launcher->SetDesktopPorts({h_.session, h_.desktop, h_.dde});
    h_.window->CreateComponents(h_.prompter, h_.codePage);
    h_.window->Attach(h_.launcher.get());
    h_.launcher->FormCreate();
    h_.dialogs.Create(h_.window->Handle(), *h_.launcher, h_.window->WaitHotKey(), ports);
  }

  HWND Launcher() const { return h_.window->Handle(); }

  // A move by the Page menu; the first ten moves visit every page, the rest take all
  // six commands in turn. Each move must land on a new page and show it. Every tenth
  // move paints the window at once (painting under Wine takes longer than the move);
  // the others are painted with the next dialog.
  void Move() {
    const int from = h_.launcher->Current().PageNo;
    static constexpr int kCommands[] = {kFwd, kFastFwd, kBwd, kFastFinal, kFastBwd, kFastTop};
    int command = moves_ < kPages ? kFwd : kCommands[moves_ % 6];
    const bool wouldStay = (from == 1 && (command == kFastTop || command == kFastBwd)) ||
                           (from == kPages && (command == kFastFinal || command == kFastFwd));
    if (wouldStay) command = kFwd;
    SendMessageW(Launcher(), WM_COMMAND, command, 0);
    if (moves_ % 10 == 0) RedrawWindow(Launcher(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int to = h_.launcher->Current().PageNo;
    ++moves_;
    if (to == from || h_.window->TitleText() != TitleOf(to)) ++badMoves_;
    visited_.insert(to);
  }

  // The clock shows a new time every fifth tick, as it does at 200 ms a tick, and a new
  // date every 11,675 ticks.
  void Tick() {
    if (ticks_ % 5 == 0) clock_.Advance(37);
    SendMessageW(Launcher(), WM_TIMER, kTimerId, 0);
    ++ticks_;
  }

  void Ticks(int n) {
    const double start = Seconds();
    for (int i = 0; i < n; ++i) Tick();
    RedrawWindow(Launcher(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    tickSeconds_ += Seconds() - start;
  }

  // Opens each dialog once the way the user does and closes it with its cancel button
  // (the version dialog, which has none, with OK). The data copy dialog is opened from
  // the user dialog, after a click on "all data" that sums the data files' sizes.
  void OpenAndCloseEachDialog() {
    const double start = Seconds();
    user_.When(kListClass, [](HWND d) { Press(d, win32::ListDlgWindow::kCancelButton); });
    SendMessageW(Launcher(), WM_COMMAND, kList, 0);

    user_.When(kUserClass, [this](HWND d) {
      user_.When(kCopyClass, [](HWND copy) {
        HWND sources = GetDlgItem(copy, win32::CopyDlgWindow::kSrcList);
        const LRESULT all = SendMessageW(sources, LB_GETCOUNT, 0, 0) - 1;
        SendMessageW(sources, LB_SETCURSEL, static_cast<WPARAM>(all), 0);
        SendMessageW(copy, WM_COMMAND, MAKEWPARAM(win32::CopyDlgWindow::kSrcList, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(sources));
        RedrawWindow(copy, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Press(copy, win32::CopyDlgWindow::kCancelBtn);
      });
      Press(d, win32::UserDlgWindow::kCopyButton);
      Press(d, win32::UserDlgWindow::kCancelButton);
    });
    SendMessageW(Launcher(), WM_COMMAND, kUser, 0);

    user_.When(kOptionClass, [](HWND d) { Press(d, win32::OptionDlgWindow::kCancelButton); });
    SendMessageW(Launcher(), WM_COMMAND, kOption, 0);

    user_.When(kAboutClass, [](HWND d) { Press(d, win32::AboutBoxWindow::kOKButton); });
    SendMessageW(Launcher(), WM_COMMAND, kVersion, 0);

    // A right click on the launch buttons in turn.
    user_.When(kSettingsClass, [](HWND d) { Press(d, win32::ButtonSettingsWindow::kCancelButton); });
    HWND button = h_.window->Control(kLaunchButton1 + opens_ % 10);
    SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));

    testing_support::PumpMessages();
    ++opens_;
    for (const wchar_t* c : kDialogClasses)
      if (FindWindowW(c, nullptr) && IsWindowVisible(FindWindowW(c, nullptr))) ++leftOpen_;
    if (!IsWindowEnabled(Launcher())) ++leftOpen_;
    dialogSeconds_ += Seconds() - start;
  }

  ResourceReading Settle() {
    testing_support::PumpMessages();
    return endurance::ReadResources();
  }

  LauncherHarness h_;
  SteppingClock clock_{h_.environment};
  DialogUser user_;
  int moves_ = 0, badMoves_ = 0, opens_ = 0, leftOpen_ = 0, ticks_ = 0;
  std::set<int> visited_;
  double tickSeconds_ = 0, dialogSeconds_ = 0;
};

TEST_F(LongRunTest, PagesDialogsAndTicksLeaveMemoryAndGuiObjectsAsAfterTheFirstRounds) {
  const double begin = Seconds();
  for (int i = 0; i < kWarmUp; ++i) {
    Move();
    OpenAndCloseEachDialog();
    Ticks(1);
  }
  const ResourceReading first = Settle();

  double moveSeconds = 0;
  const int rounds = kOpens - kWarmUp;
  const int movesPerRound = (kMoves - kWarmUp) / rounds, ticksPerRound = (kTicks - kWarmUp) / rounds;
  for (int round = 0; round < rounds && !HasFailure(); ++round) {
    const double start = Seconds();
    for (int i = 0; i < movesPerRound; ++i) Move();
    moveSeconds += Seconds() - start;
    OpenAndCloseEachDialog();
    Ticks(ticksPerRound);
  }
  Ticks(kTicks - ticks_);
  const ResourceReading last = Settle();

  std::printf("after %d of each: %s\n", kWarmUp, first.Text().c_str());
  std::printf("after all:      %s\n", last.Text().c_str());
  std::printf("private bytes grew by %lld\n",
              static_cast<long long>(last.privateBytes) - static_cast<long long>(first.privateBytes));
  std::printf(
      "%d moves %.1f s, %d openings of each dialog %.1f s, %d ticks %.1f s; in all %.1f s, %.1f s of it "
      "processor time\n",
      moves_, moveSeconds, opens_, dialogSeconds_, ticks_, tickSeconds_, Seconds() - begin,
      endurance::CpuSeconds(GetCurrentProcess()));

  // The run did what it says.
  EXPECT_EQ(moves_, kMoves);
  EXPECT_EQ(badMoves_, 0);
  EXPECT_EQ(visited_.size(), static_cast<size_t>(kPages));
  EXPECT_EQ(ticks_, kTicks);
  EXPECT_EQ(opens_, kOpens);
  for (const wchar_t* c : kDialogClasses) EXPECT_EQ(user_.Served(c), kOpens) << win32::Narrow(c);
  EXPECT_EQ(user_.Missed(), 0);
  EXPECT_EQ(leftOpen_, 0);
  EXPECT_TRUE(h_.prompter.boxes.empty()) << h_.prompter.boxes.front().text;

  ASSERT_GT(first.privateBytes, 0u);
  EXPECT_LE(last.privateBytes, first.privateBytes + kMemorySlack);
  // Wine's GetGuiResources answers 0: the counts are compared where the system gives
  // them, and under Wine the GDI handle table and the windows are counted instead.
  if (first.system.gdi != 0) {
    EXPECT_EQ(last.system.gdi, first.system.gdi);
  }
  if (first.system.user != 0) {
    EXPECT_EQ(last.system.user, first.system.user);
  }
  if (first.system.gdi == 0) {
    ASSERT_TRUE(first.gdiTable.has_value()) << "no GDI count at all";
    EXPECT_EQ(last.gdiTable, first.gdiTable);
  }
  EXPECT_EQ(last.windows, first.windows);
}

}  // namespace
