// Loading a page of ten registered buttons (icons included, painted) and opening the
// page list of 99 pages, in the real launcher window under Windows or Wine; budget
// 16 ms each. Opening the find box over the 990 buttons and 2,000 installed programs
// until its full list is painted, budget 50 ms, and each typed key until the list is
// painted again, 5 ms.
// Registering a key of every one of the 990 buttons, and registering them again after
// another program changed a page's keys, 20 ms each. Prints the medians.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/utf16.h"
#include "base/win_code_page.h"
#include "base/win_environment.h"
#include "base/win_file_probe.h"
#include "base/win_file_system.h"
#include "base/win_shell.h"
#include "base/win_sound.h"
#include "launch/button_keys_thread.h"
#include "launch/dialogs.h"
#include "launch/launcher_keys.h"
#include "launch/launcher_menus.h"
#include "launch/launcher_window.h"
#include "storage/ini_store.h"
#include "storage/paths.h"

namespace {

constexpr double kBudgetMs = 16.0;
constexpr double kFindOpenBudgetMs = 50.0;
constexpr double kFindKeyBudgetMs = 5.0;
constexpr int kPrograms = 2000;
constexpr double kKeysBudgetMs = 20.0;

// Programs and libraries with icons that every Windows (and Wine) has.
const char* const kIconFiles[] = {"C:\\windows\\notepad.exe",
                                  "C:\\windows\\regedit.exe",
                                  "C:\\windows\\system32\\cmd.exe",
                                  "C:\\windows\\system32\\winecfg.exe",
                                  "C:\\windows\\system32\\control.exe",
                                  "C:\\windows\\explorer.exe",
                                  "C:\\windows\\system32\\taskmgr.exe",
                                  "C:\\windows\\system32\\shell32.dll",
                                  "C:\\windows",
                                  "C:\\windows\\win.ini"};

// A key of its own for each of the 990 buttons, all different: 14 sets of modifiers
// with Ctrl, Alt or Windows, and 71 keys.
std::string KeyOf(int page, int k) {
  static const char* const kModifiers[] = {"Alt+Ctrl+",
                                           "Alt+Ctrl+Shift+",
                                           "Windows+Ctrl+",
                                           "Windows+Alt+",
                                           "Windows+Ctrl+Shift+",
                                           "Windows+Alt+Shift+",
                                           "Windows+Alt+Ctrl+",
                                           "Ctrl+Shift+",
                                           "Alt+Shift+",
                                           "Windows+Shift+",
                                           "Ctrl+",
                                           "Alt+",
                                           "Windows+",
                                           "Windows+Alt+Ctrl+Shift+"};
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> names;
    for (char c = 'A'; c <= 'Z'; ++c) names.emplace_back(1, c);
    for (int f = 1; f <= 24; ++f)
      if (f != 12) names.push_back("F" + std::to_string(f));
    for (int n = 0; n <= 9; ++n) names.push_back("Num" + std::to_string(n));
    for (const char* name :
         {"Insert", "Delete", "Home", "End", "PageUp", "PageDown", "Left", "Up", "Right", "Down", "Pause", "Space"})
      names.emplace_back(name);
    return names;
  }();
  const int n = (page - 1) * 10 + (k - 1);
  return kModifiers[n % 14] + keys[static_cast<size_t>(n / 14)];
}

// `rotate`: each button takes the key of the button that many places on.
void WritePage(core::IniStore& store, const std::string& folder, int page, int rotate) {
  core::IniImage ini;
  ini.WriteString("PageTitle", "PageTitle", "ページ " + std::to_string(page));
  for (int k = 1; k <= 10; ++k) {
    std::string section = "Button" + std::to_string(k);
    ini.WriteString(section, "ProgPath", kIconFiles[k - 1]);
    ini.WriteString(section, "ProgTitle", "道具" + std::to_string(k));
    if (k == 8) ini.WriteInteger(section, "IconNo", 3 + page % 5);  // an extracted icon
    if (k % 3 == 0) ini.WriteString(section, "IsIconSmall", "1");
    ini.WriteString(section, "HotKey", KeyOf(page, (k - 1 + rotate) % 10 + 1));
  }
  store.Save(folder + "\\DATA\\User1" + std::to_string(page) + ".dat", ini);
}

void WritePages(core::IniStore& store, const std::string& folder) {
  for (int page = 1; page <= 99; ++page) WritePage(store, folder, page, 0);
  core::IniImage settings;
  settings.WriteInteger("User1", "PageNoControl", 99);
  store.Save(folder + "\\zubi.ini", settings);
}

// The pages as a user has them: written long before, not a moment ago.
void Backdate(const std::string& folder) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart -= 3600ULL * 10'000'000;  // an hour
  const FILETIME then{t.LowPart, t.HighPart};
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(win32::Widen(folder)) / "DATA")) {
    HANDLE file =
        CreateFileW(entry.path().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &then);
    CloseHandle(file);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The moment the page list's own message loop runs, that is, once it is shown: a
// message posted to it before it opened arrives then, and closes it.
constexpr UINT kShownProbe = WM_APP + 77;
std::chrono::steady_clock::time_point listShownAt;
LRESULT CALLBACK SeeShown(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == kShownProbe) {
    listShownAt = std::chrono::steady_clock::now();
    PostMessageW(message->hwnd, WM_CLOSE, 0, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A box would hold the measurement up: what the launcher would say is printed.
class QuietPrompter : public core::Prompter {
 public:
  void ShowMessage(const std::string& text) override { Say(text); }
  void ShowNotice(const std::string& text) override { Say(text); }
  void ShowInformation(const std::string& text, core::BoxPlacement) override { Say(text); }
  bool Confirm(const std::string& text, core::ConfirmKind, core::BoxPlacement) override {
    Say(text);
    return false;
  }
  void ShowError(const std::string& text) override { Say(text); }

 private:
  static void Say(const std::string& text) { std::printf("the launcher says: %s\n", text.c_str()); }
};

template <typename Action>
double Milliseconds(Action action) {
  auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  std::filesystem::path root = std::filesystem::temp_directory_path() / "zubi-page-bench";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "DATA");
  std::string folder = win32::Narrow(root.wstring());

  win32::WinFileSystem files;
  win32::WinCodePage codePage;
  QuietPrompter prompter;
  win32::WinShell shell;
  win32::WinEnvironment environment(folder + "\\zubi.exe");
  win32::WinSound sound;
  win32::WinFileProbe probe;
  win32::WinFailureLog log;
  core::IniStore store(files, codePage);
  WritePages(store, folder);
  Backdate(folder);

  win32::LauncherWindow window(nullptr);
  core::TLauncher launcher(window, {files, codePage, prompter, shell, environment, sound, probe, log});
  window.Attach(&launcher);
  launcher.FormCreate();
  win32::Dialogs dialogs;
  dialogs.Create(window.Handle(), launcher, nullptr,
                 {files, codePage, prompter, shell, environment, sound, probe, log});
  window.Start();
  // As the program does once its window has shown.
  const double readAhead = Milliseconds([&] { launcher.ReadAhead(); });

  auto loadPage = [&](int page) {
    launcher.Hosts().list.GoToPage(page);
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  double first = Milliseconds([&] { loadPage(2); });
  std::vector<double> pages;
  for (int i = 0; i < 21; ++i) pages.push_back(Milliseconds([&] { loadPage(3 + i); }));
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, SeeShown, nullptr, GetCurrentThreadId());
  auto openList = [&] {
    PostMessageW(dialogs.ListWindow()->Handle(), kShownProbe, 0, 0);
    auto start = std::chrono::steady_clock::now();
    SendMessageW(window.Handle(), WM_COMMAND, win32::launcher::kList, 0);
    return std::chrono::duration<double, std::milli>(listShownAt - start).count();
  };
  auto openLists = [&](int count) {
    std::vector<double> lists;
    for (int i = 0; i < count; ++i) lists.push_back(openList());
    return Median(lists);
  };
  const double firstList = openList();  // the first reads every page
  const double list = openLists(11);
  // Pages written a moment ago cannot be told from a later write by their time
  // stamps: each opening reads them all again.
  WritePages(store, folder);
  const double freshList = openLists(5);
  UnhookWindowsHookEx(hook);
  Backdate(folder);
  launcher.ReadAhead();

  // Two thousand installed programs, as the index hands them over: the keys search them
  // too.
  std::vector<core::InstalledProgram> programs;
  for (int i = 0; i < kPrograms; ++i) {
    const std::string name = (i % 3 == 0 ? "Notepad Tool " : i % 3 == 1 ? "道具 " : "Program ") + std::to_string(i);
    programs.push_back({name, "C:\\Start\\" + name + ".lnk", core::ProgramPlace::kUserStart,
                        "C:\\Apps\\" + std::to_string(i) + ".exe"});
  }
  launcher.SetPrograms(std::make_shared<core::ProgramIndex>(std::move(programs)));

  // The find box, as F3 opens it and as keys narrow it, each until it is painted.
  HWND findBox = dialogs.FindWindow()->Handle();
  auto paintFindBox = [&] { RedrawWindow(findBox, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
  auto openFind = [&] {
    return Milliseconds([&] {
      launcher.KeyDown({core::kKeyF3, {}, false});
      paintFindBox();
    });
  };
  const double firstFind = openFind();
  std::vector<double> finds, keys;
  for (int i = 0; i < 11; ++i) {
    dialogs.Find()->Cancel();
    finds.push_back(openFind());
    std::string typed;
    for (const char* key : {"d", "o", "u", "g", "u", "1"}) {  // no match after the first key
      typed += key;
      keys.push_back(Milliseconds([&] {
        dialogs.Find()->TextChanged(typed);
        paintFindBox();
      }));
    }
    for (const char* text : {"道", "道具", "道具1", "道具10", "ページ", "notepad"})
      keys.push_back(Milliseconds([&] {
        dialogs.Find()->TextChanged(text);
        paintFindBox();
      }));
  }
  dialogs.Find()->Cancel();
  const double find = Median(finds), key = Median(keys);

  // The buttons' own keys, as the program registers them after its start, and again
  // after another program moved a page's keys: what the window's thread spends (the
  // registrations themselves are made on the keys' own thread).
  win32::ButtonKeysThread keyThread(window.Handle(), [](int) {});
  const double registerKeys = Milliseconds([&] { launcher.SetGlobalKeys(&keyThread); });
  std::vector<double> reregisters;
  for (int i = 1; i <= 11; ++i) {
    const int page = 40 + i;
    WritePage(store, folder, page, 1);
    reregisters.push_back(
        Milliseconds([&] { launcher.FilesChanged({folder + "\\DATA\\User1" + std::to_string(page) + ".dat"}); }));
  }
  launcher.SetGlobalKeys(nullptr);
  const double reregister = Median(reregisters);

  const double page = Median(pages);
  bool ok = page < kBudgetMs && list < kBudgetMs && find < kFindOpenBudgetMs && key < kFindKeyBudgetMs &&
            registerKeys < kKeysBudgetMs && reregister < kKeysBudgetMs;
  std::printf("load a page of ten buttons   median %6.2f ms (first load %.2f ms)\n", page, first);
  std::printf("open the page list, 99 pages median %6.2f ms until it shows (first opening %.2f ms)\n", list, firstList);
  std::printf("  the same on pages written a moment ago: median %.2f ms\n", freshList);
  std::printf("reading the 99 pages ahead after the start: %.2f ms\n", readAhead);
  std::printf(
      "open the find box over 990 buttons and %d programs median %6.2f ms until its list shows (first %.2f ms)\n",
      kPrograms, find, firstFind);
  std::printf("one typed key in the find box   median %6.2f ms until the list shows again (slowest %.2f ms)\n", key,
              *std::max_element(keys.begin(), keys.end()));
  std::printf("register the keys of 990 buttons: %.2f ms; again after a page's keys changed: median %.2f ms\n",
              registerKeys, reregister);
  std::printf("budget %.0f ms a page or the list, %.0f ms the find box, %.0f ms a key, %.0f ms the buttons' keys: %s\n",
              kBudgetMs, kFindOpenBudgetMs, kFindKeyBudgetMs, kKeysBudgetMs, ok ? "within budget" : "OVER BUDGET");
  std::filesystem::remove_all(root);
  return ok ? 0 : 1;
}
