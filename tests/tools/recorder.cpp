// Started by the launcher in tests: appends one line to recorder.log beside itself,
// with what it was given: its command line, its working folder, the show command of
// its start, the moment its process was created (which orders starts that run at
// the same time) and the ZUBI_DIR it inherited ("-" when none), UTF-8 and
// tab-separated; then ends. With "--window" among its parameters it then shows a
// window "recorder window" and ends when that is closed; with "--hang" as well, the
// window never answers a message (the test ends the process). "--delay=N" waits N ms
// before the window shows, and the moment it showed is appended to recorder.windows,
// with the command line, as in the log.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t folder[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring log = self;
  log = log.substr(0, log.find_last_of(L'\\') + 1) + L"recorder.log";

  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  unsigned long long when = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  wchar_t zubiDir[MAX_PATH] = L"";
  std::string inherited = GetEnvironmentVariableW(L"ZUBI_DIR", zubiDir, MAX_PATH) ? Utf8(zubiDir) : "-";
  std::string line = Utf8(GetCommandLineW()) + "\t" + Utf8(folder) + "\t" + std::to_string(show) + "\t" +
                     std::to_string(when) + "\t" + inherited + "\n";
  HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  if (!wcsstr(GetCommandLineW(), L"--window")) return 0;
  if (const wchar_t* delay = wcsstr(GetCommandLineW(), L"--delay=")) Sleep(static_cast<DWORD>(_wtoi(delay + 8)));

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  };
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"RecorderWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"RecorderWindow", L"recorder window", WS_OVERLAPPEDWINDOW, 400, 300, 300, 200, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, show >= 0 ? show : SW_SHOWNORMAL);
  FILETIME shown{};
  GetSystemTimeAsFileTime(&shown);
  const std::string shownLine =
      Utf8(GetCommandLineW()) + "\t" +
      std::to_string((static_cast<unsigned long long>(shown.dwHighDateTime) << 32) | shown.dwLowDateTime) + "\n";
  HANDLE windows =
      CreateFileW((log.substr(0, log.size() - 3) + L"windows").c_str(), FILE_APPEND_DATA,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  WriteFile(windows, shownLine.data(), static_cast<DWORD>(shownLine.size()), &written, nullptr);
  CloseHandle(windows);
  if (wcsstr(GetCommandLineW(), L"--hang")) Sleep(INFINITE);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
