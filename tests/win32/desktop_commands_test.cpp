#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "base/utf16.h"
#include "launch/launcher_layout.h"
#include "launch/launcher_menus.h"
#include "ports/environment.h"
#include "support.h"

// After the Windows API, which it needs.
#include <ddeml.h>

using testing_support::LauncherHarness;
using testing_support::WaitUntil;
using namespace win32::launcher;

namespace {

// Top-level windows of a class the test registers; they count the close requests
// they get and then go away.
std::map<HWND, int>& CloseRequests() {
  static std::map<HWND, int> requests;
  return requests;
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ++CloseRequests()[window];
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class TestClass {
 public:
  explicit TestClass(const wchar_t* name) : name_(name) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    registered_ = RegisterClassW(&wc) != 0;
  }
  ~TestClass() {
    for (HWND window : windows_)
      if (IsWindow(window)) DestroyWindow(window);
    UnregisterClassW(name_, GetModuleHandleW(nullptr));
  }
  bool Registered() const { return registered_; }
  // Shown normally, minimised (and still visible) or hidden.
  HWND Create(int show) {
    HWND window = CreateWindowExW(0, name_, L"desktop test", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (show != SW_HIDE) ShowWindow(window, show);
    windows_.push_back(window);
    return window;
  }

 private:
  const wchar_t* name_;
  bool registered_ = false;
  std::vector<HWND> windows_;
};

int Closes(HWND window) { return CloseRequests()[window]; }

// Runs the launcher's menu command as the menu or its shortcut does, then lets the
// posted close requests arrive.
void RunCommand(LauncherHarness& h, int command) {
  SendMessageW(h.window->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  testing_support::PumpMessages();
}

std::string ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return win32::Narrow(name);
}

}  // namespace

TEST(DesktopCommandsWindows, FolderAndBrowserCommandsCloseOnlyVisibleWindowsOfTheirClasses) {
  LauncherHarness h;
  h.Create();
  TestClass cabinet(L"CabinetWClass"), explore(L"ExploreWClass"), ie(L"IEFrame"), opera(L"Opera Main Window"),
      other(L"ZubiDesktopTestOther");
  ASSERT_TRUE(cabinet.Registered() && explore.Registered() && ie.Registered() && opera.Registered());
  HWND folder = cabinet.Create(SW_SHOWNOACTIVATE);
  HWND hiddenFolder = cabinet.Create(SW_HIDE);
  HWND explorer = explore.Create(SW_SHOWNOACTIVATE);
  HWND browser = ie.Create(SW_SHOWMINNOACTIVE);  // minimised, still visible
  HWND hiddenBrowser = ie.Create(SW_HIDE);
  HWND operaWindow = opera.Create(SW_SHOWNOACTIVATE);
  HWND unrelated = other.Create(SW_SHOWNOACTIVATE);
  ASSERT_TRUE(IsIconic(browser));

  RunCommand(h, kCloseFolder);
  EXPECT_EQ(Closes(folder), 1);
  EXPECT_EQ(Closes(explorer), 1);
  EXPECT_EQ(Closes(hiddenFolder), 0);
  EXPECT_EQ(Closes(browser), 0);
  EXPECT_EQ(Closes(operaWindow), 0);

  RunCommand(h, kCloseIE);
  EXPECT_EQ(Closes(browser), 1);
  EXPECT_EQ(Closes(operaWindow), 1);
  EXPECT_EQ(Closes(hiddenBrowser), 0);
  EXPECT_EQ(Closes(unrelated), 0);
  EXPECT_EQ(Closes(hiddenFolder), 0);

  HWND folder2 = cabinet.Create(SW_SHOWNOACTIVATE);
  HWND browser2 = ie.Create(SW_SHOWNOACTIVATE);
  RunCommand(h, kCloseAll);
  EXPECT_EQ(Closes(folder2), 1);
  EXPECT_EQ(Closes(browser2), 1);
  EXPECT_EQ(Closes(unrelated), 0);
  EXPECT_TRUE(IsWindow(h.window->Handle()));
}

// Class names are matched without regard to case by the system, so the near-miss
// spelling is registered with no listed spelling beside it.
TEST(DesktopCommandsWindows, AClassThatDiffersOnlyInLetterCaseIsNotClosed) {
  LauncherHarness h;
  h.Create();
  TestClass nearMiss(L"cabinetwclass");
  ASSERT_TRUE(nearMiss.Registered());
  HWND window = nearMiss.Create(SW_SHOWNOACTIVATE);
  ASSERT_EQ(ClassOf(window), "cabinetwclass");
  RunCommand(h, kCloseFolder);
  RunCommand(h, kCloseAll);
  EXPECT_EQ(Closes(window), 0);
  EXPECT_TRUE(IsWindow(window));
}

namespace {

// Records the key strokes instead of sending them, so the test's windows stay as
// they are; the wait and the windows are real.
class QuietDesktop final : public win32::WinDesktop {
 public:
  void SendKey(int key, bool release) override { keys.push_back(release ? -key : key); }
  std::vector<int> keys;
};

}  // namespace

TEST(DesktopCommandsWindows, CloseEverythingClosesMinimisedWindowsOnlyAfterTheWaitWithoutBlocking) {
  LauncherHarness h;
  h.Create();
  QuietDesktop desktop;
  h.launcher->SetDesktopPorts({h.session, desktop, h.dde});
  TestClass any(L"ZubiDesktopTestAny");
  HWND minimised = any.Create(SW_SHOWMINNOACTIVE);
  HWND normal = any.Create(SW_SHOWNOACTIVATE);
  HWND hiddenMinimised = any.Create(SW_HIDE);
  ShowWindow(hiddenMinimised, SW_MINIMIZE);
  ShowWindow(hiddenMinimised, SW_HIDE);

  DWORD start = GetTickCount();
  SendMessageW(h.window->Handle(), WM_COMMAND, MAKEWPARAM(kWholly, 0), 0);
  EXPECT_LT(GetTickCount() - start, 300u) << "the command returns before the wait is over";
  EXPECT_EQ(desktop.keys, (std::vector<int>{0x5B, 0x4D, -0x4D, -0x5B}));

  // Meanwhile the launcher window answers: its caption follows a new page count.
  SendMessageW(h.window->Control(kUpDown1), UDM_SETPOS32, 0, 2);
  h.launcher->UpDown1Click();
  EXPECT_EQ(testing_support::TextOf(h.window->Handle()), "User1 - Page 1/2");

  ASSERT_TRUE(WaitUntil([&] { return Closes(minimised) > 0; }, 5000));
  EXPECT_GE(GetTickCount() - start, 690u);
  EXPECT_EQ(Closes(normal), 0);
  EXPECT_EQ(Closes(hiddenMinimised), 0);
}

namespace {

// Reads the token error box from another thread and presses OK; none may appear
// while `done` is false.
struct NoticeWatch {
  std::atomic<bool> done{false};
  std::string caption, text;
  HWND owner = nullptr;
  std::thread thread;

  void Start() {
    thread = std::thread([this] {
      while (!done) {
        HWND box = FindWindowW(L"#32770", L"アクセストークンエラー");
        if (box) {
          Sleep(50);
          caption = testing_support::TextOf(box);
          owner = GetWindow(box, GW_OWNER);
          EnumChildWindows(
              box,
              [](HWND child, LPARAM p) {
                wchar_t cls[32] = L"", t[512] = L"";
                GetClassNameW(child, cls, 32);
                GetWindowTextW(child, t, 512);
                if (lstrcmpiW(cls, L"Static") == 0 && t[0]) reinterpret_cast<NoticeWatch*>(p)->text = win32::Narrow(t);
                return TRUE;
              },
              reinterpret_cast<LPARAM>(this));
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
          return;
        }
        Sleep(10);
      }
    });
  }
  void Stop() {
    done = true;
    thread.join();
  }
};

std::string ErrorText(DWORD code) {
  SetLastError(code);
  return win32::WinSession().SystemErrorText();
}

}  // namespace

TEST(DesktopCommandsWindows, EndOfSessionCommandsRequestTheirFlagsSilentlyWhenThePrivilegeIsEnabled) {
  LauncherHarness h;
  h.Create();
  h.prompter.answerYes = false;  // keep the launcher when the log-off offers to quit
  NoticeWatch watch;
  watch.Start();
  RunCommand(h, kWindowsExit);
  RunCommand(h, kWindowsReboot);
  RunCommand(h, kWindowsLogoff);
  watch.Stop();
  EXPECT_EQ(h.session.exitFlags, (std::vector<unsigned>{9, 2, 0}));
  EXPECT_EQ(watch.caption, "");
  // Only the log-off goes on to the launcher's own close question.
  EXPECT_EQ(h.prompter.Texts(), std::vector<std::string>{"ZUBIらんちゃを終了して宜しいですか?"});
  EXPECT_TRUE(IsWindow(h.window->Handle()));
}

TEST(DesktopCommandsWindows, AFailedPrivilegeStepShowsItsBoxAndTheExitIsStillRequested) {
  struct Case {
    DWORD tokenError, lookUpError, adjustError;
    std::string text;
  };
  const Case cases[] = {
      {ERROR_ACCESS_DENIED, 0, 0, "Cannot open process token. [" + ErrorText(ERROR_ACCESS_DENIED) + "]"},
      {0, ERROR_NO_SUCH_PRIVILEGE, 0, "Cannot find privilege value. [" + ErrorText(ERROR_NO_SUCH_PRIVILEGE) + "]"},
      {0, 0, ERROR_NOT_ALL_ASSIGNED, "Error adjusting process privileges."},
  };
  for (const auto& c : cases) {
    LauncherHarness h;
    h.Create();
    h.session.tokenError = c.tokenError;
    h.session.lookUpError = c.lookUpError;
    h.session.adjustError = c.adjustError;
    NoticeWatch watch;
    watch.Start();
    RunCommand(h, kWindowsReboot);
    watch.Stop();
    EXPECT_EQ(watch.caption, "アクセストークンエラー");
    EXPECT_EQ(watch.text, c.text);
    EXPECT_EQ(watch.owner, h.window->Handle()) << "the launcher's own window, never the foreground one";
    EXPECT_EQ(h.session.exitFlags, std::vector<unsigned>{2});
  }
  EXPECT_NE(ErrorText(ERROR_ACCESS_DENIED), "");
}

namespace {

// Stands in for the application window: keeps the system commands it gets and never
// hands them to the system, so no screen saver starts.
std::vector<std::pair<WPARAM, LPARAM>>& SystemCommands() {
  static std::vector<std::pair<WPARAM, LPARAM>> commands;
  return commands;
}

LRESULT CALLBACK ApplicationStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) {
    SystemCommands().emplace_back(wParam, lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST(DesktopCommandsWindows, ScreenSaverIsOneSystemCommandToTheApplicationWindow) {
  LauncherHarness h;
  h.Create();
  RunCommand(h, kScreen);
  EXPECT_EQ(h.session.screenSavers, 1);

  WNDCLASSW wc{};
  wc.lpfnWndProc = ApplicationStandIn;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZubiDesktopTestApplication";
  RegisterClassW(&wc);
  HWND application = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(application);
  win32::WinSession(application).StartScreenSaver();
  DestroyWindow(application);
  UnregisterClassW(wc.lpszClassName, GetModuleHandleW(nullptr));
  EXPECT_EQ(SystemCommands(), (std::vector<std::pair<WPARAM, LPARAM>>{{SC_SCREENSAVE, 0}}));
}

namespace {

// A DDE server for "Folders" / "AppProperties" on a thread of its own; it keeps the
// execute commands it receives.
class FoldersServer {
 public:
  FoldersServer() {
    thread_ = std::thread([this] { Run(); });
    while (!ready_) Sleep(5);
  }
  ~FoldersServer() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  bool Registered() const { return registered_; }
  std::vector<std::wstring> Commands() {
    std::lock_guard lock(mutex_);
    return commands_;
  }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR,
                                    ULONG_PTR) noexcept {
    FoldersServer* self = current_;
    if (type == XTYP_CONNECT) {
      wchar_t name[64] = L"";
      DdeQueryStringW(self->instance_, topic, name, 64, CP_WINUNICODE);
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(lstrcmpiW(name, L"AppProperties") == 0));
    }
    if (type == XTYP_EXECUTE) {
      DWORD size = DdeGetData(data, nullptr, 0, 0);
      std::wstring text(size / sizeof(wchar_t), L'\0');
      DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
      {
        std::lock_guard lock(self->mutex_);
        self->commands_.push_back(text);
      }
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
    }
    return nullptr;
  }

  void Run() {
    threadId_ = GetCurrentThreadId();
    current_ = this;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
    DdeInitializeW(&instance_, Callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
    HSZ service = DdeCreateStringHandleW(instance_, L"Folders", CP_WINUNICODE);
    registered_ = DdeNameService(instance_, service, nullptr, DNS_REGISTER) != nullptr;
    ready_ = true;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    DdeNameService(instance_, service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance_, service);
    DdeUninitialize(instance_);
  }

  static inline FoldersServer* current_ = nullptr;
  std::thread thread_;
  DWORD threadId_ = 0;
  DWORD instance_ = 0;
  std::atomic<bool> ready_{false};
  bool registered_ = false;
  std::mutex mutex_;
  std::vector<std::wstring> commands_;
};

}  // namespace

TEST(DesktopCommandsWindows, FindSendsFindFolderWithTheDocumentsFolderToTheFoldersService) {
  LauncherHarness h;
  h.Create();
  FoldersServer server;
  ASSERT_TRUE(server.Registered());
  std::string documents = h.environment.FolderPath(core::kFolderPersonal);
  ASSERT_FALSE(documents.empty());

  RunCommand(h, kFind);
  ASSERT_TRUE(WaitUntil([&] { return !server.Commands().empty(); }, 5000));
  std::vector<std::wstring> commands = server.Commands();
  ASSERT_EQ(commands.size(), 1u);
  std::wstring expected = win32::Widen("[FindFolder(\"" + documents + "\")]");
  expected.push_back(L'\0');  // sent with its terminating zero
  EXPECT_EQ(commands[0], expected);
  EXPECT_TRUE(h.prompter.boxes.empty());
}
