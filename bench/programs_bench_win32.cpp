// The index of installed programs under Windows or Wine: a Start menu of 2,000
// shortcuts in 40 folders, each to a program of its own, indexed on the index's own
// thread from its start until the window's thread has it (budget about 2 s); taking it
// in on the window's thread (budget 5 ms, the old index let go in it); and the new
// index after one more shortcut (the others already read).
//
// usage: programs_bench [shortcuts]   (default 2000)
//        programs_bench --make FOLDER [shortcuts]   makes FOLDER\Start (the shortcuts in
//        their folders) and FOLDER\Programs (their programs) and leaves them there, for
//        the start-up benchmark's Start menu
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/win.h"

#include <shobjidl.h>

#include "base/com.h"
#include "base/handles.h"
#include "base/posted_closure.h"
#include "base/utf16.h"
#include "launch/program_index_thread.h"

namespace {

constexpr double kBuildBudgetMs = 2000.0;
constexpr double kTakeInBudgetMs = 5.0;
constexpr int kFolders = 40;

using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

bool MakeShortcut(const std::wstring& path, const std::wstring& target) {
  win32::ComPtr<IShellLinkW> link;
  win32::ComPtr<IPersistFile> file;
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(link.put()))) &&
         SUCCEEDED(link->SetPath(target.c_str())) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) &&
         SUCCEEDED(file->Save(path.c_str(), TRUE));
}

LRESULT CALLBACK Answers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == win32::ClosureMessage()) {
    win32::RunPostedClosure(lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Runs the thread's messages until `done` holds or a minute has gone.
template <typename Done>
bool RunUntil(Done done) {
  const auto began = Clock::now();
  while (!done()) {
    if (MsSince(began) > 60'000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

// Makes root\Programs\programN.exe and a shortcut to each in root\Start\Folder F.
bool MakeStartMenu(const std::filesystem::path& root, int count) {
  const std::filesystem::path start = root / "Start", programs = root / "Programs";
  std::filesystem::create_directories(programs);
  for (int f = 0; f < kFolders; ++f) std::filesystem::create_directories(start / ("Folder " + std::to_string(f)));
  for (int i = 0; i < count; ++i) {
    const std::filesystem::path program = programs / ("program" + std::to_string(i) + ".exe");
    std::ofstream(program, std::ios::binary) << "MZ";
    const std::filesystem::path shortcut =
        start / ("Folder " + std::to_string(i % kFolders)) / ("Program " + std::to_string(i) + ".lnk");
    if (!MakeShortcut(shortcut.wstring(), program.wstring())) {
      std::printf("cannot make the shortcut %d\n", i);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  win32::ComApartment com;
  if (argc > 2 && std::string(argv[1]) == "--make")
    return MakeStartMenu(argv[2], argc > 3 ? std::atoi(argv[3]) : 2000) ? 0 : 1;
  const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("zubi-programs-bench-" + std::to_string(GetCurrentProcessId()));
  const std::filesystem::path start = root / "Start", programs = root / "Programs";
  const auto made = Clock::now();
  if (!MakeStartMenu(root, count)) return 1;
  const double making = MsSince(made);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Answers;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZubiProgramsBench";
  RegisterClassW(&windowClass);
  const win32::UniqueHwnd window(CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                                 nullptr, windowClass.hInstance, nullptr));

  std::shared_ptr<const core::ProgramIndex> held;
  int taken = 0;
  double takeIn = 0, slowestTakeIn = 0;
  win32::ProgramIndexThread thread(
      window.get(),
      [&](std::shared_ptr<const core::ProgramIndex> index) {
        const auto began = Clock::now();
        held = std::move(index);
        takeIn = MsSince(began);
        slowestTakeIn = std::max(slowestTakeIn, takeIn);
        ++taken;
      },
      win32::ProgramIndexThread::Folders{{core::ProgramPlace::kUserStart, win32::Narrow(start.wstring())}});
  const auto started = Clock::now();
  thread.Start();
  const bool built = RunUntil([&] { return taken > 0; });
  const double building = MsSince(started);
  const size_t listed = held ? held->Size() : 0;
  const size_t bytes = held ? held->Bytes() : 0;

  const std::filesystem::path added = programs / "added.exe";
  std::ofstream(added, std::ios::binary) << "MZ";
  const auto changed = Clock::now();
  MakeShortcut((start / "Folder 0" / "Added.lnk").wstring(), added.wstring());
  const bool followed = RunUntil([&] { return taken > 1; });
  const double following = MsSince(changed);
  const size_t listedAfter = held ? held->Size() : 0;
  thread.Stop();

  const bool ok = built && followed && listed == static_cast<size_t>(count) &&
                  listedAfter == static_cast<size_t>(count) + 1 && building < kBuildBudgetMs &&
                  slowestTakeIn < kTakeInBudgetMs;
  std::printf("index of installed programs, %d shortcuts in %d folders (made in %.0f ms)\n", count, kFolders, making);
  std::printf("  first index on its thread: %.0f ms from the start, %zu programs listed\n", building, listed);
  std::printf("  the index takes about %.0f KB\n", static_cast<double>(bytes) / 1024.0);
  std::printf("  taken in on the window's thread: %.3f ms (slowest, the old index let go in it)\n", slowestTakeIn);
  std::printf("  one shortcut added: the new index after %.0f ms (a quiet moment of 300 ms in it), %zu listed\n",
              following, listedAfter);
  std::printf("budget %.0f ms to build, %.0f ms to take in: %s\n", kBuildBudgetMs, kTakeInBudgetMs,
              ok ? "within budget" : "OVER BUDGET");
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return ok ? 0 : 1;
}
