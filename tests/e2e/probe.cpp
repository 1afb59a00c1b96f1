// Tells an end-to-end test what the program under test shows, as another program on
// the same desktop sees it. Output is UTF-8, one line per window, tab-separated.
//   probe windows          every top-level window: handle class title visible rect pid
//   probe texts TITLE      the visible top-level window titled TITLE: a first line
//                          "client" with its client area's origin on the screen and its
//                          size, then its controls: class text id enabled rect (client)
//   probe closebox TITLE   the screen point at the middle of that window's close box
//   probe items TITLE      the lines of the first list box of that window, then a line
//                          "item-height N" with the height of its lines
//   probe focus            the control with the keyboard focus in the foreground
//                          window: its id and class
//   probe read MS PATTERN...  as a virus scanner would: for MS milliseconds, opens
//                          each file that a PATTERN (C:\dir\*.dat) names in turn, sharing
//                          everything, reads it, holds it 20 ms and closes it; prints
//                          after each round how many files it has opened so far
//   probe hold MS HOLD GAP FILE  as a sync client hashing a folder would: for MS
//                          milliseconds, holds FILE open (sharing everything) for HOLD ms,
//                          lets go for GAP ms, and again; prints how often it has held it
//   probe shortcut NAME TARGET  makes NAME.lnk in the user's Start menu programs,
//                          leading to TARGET, as an installer would; prints its path
//   probe unshortcut NAME  deletes it again
//   probe desktop          keeps the desktop open until it is killed: Wine closes a
//                          desktop a second after its last program ends, and a program
//                          started while it closes gets no display; prints "holding"
#include <windows.h>
// after windows.h
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

namespace {

void Print(const std::wstring& line) {
  std::wstring text = line + L"\n";
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// Asks the window itself, as GetWindowTextW does not for an edit box of another process.
std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = L"";
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied))
    GetWindowTextW(hwnd, text, 1024);
  return text;
}

// A text on one line of the output: line breaks and backslashes escaped.
std::wstring OneLine(const std::wstring& text) {
  std::wstring line;
  for (wchar_t c : text) {
    if (c == L'\\')
      line += L"\\\\";
    else if (c == L'\r')
      line += L"\\r";
    else if (c == L'\n')
      line += L"\\n";
    else
      line += c;
  }
  return line;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = L"";
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring RectText(RECT r) {
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
         std::to_wstring(r.bottom);
}

BOOL CALLBACK ListTopLevel(HWND hwnd, LPARAM) {
  RECT r;
  GetWindowRect(hwnd, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  Print(std::to_wstring(reinterpret_cast<UINT_PTR>(hwnd)) + L"\t" + ClassOf(hwnd) + L"\t" + TextOf(hwnd) + L"\t" +
        (IsWindowVisible(hwnd) ? L"1" : L"0") + L"\t" + RectText(r) + L"\t" + std::to_wstring(pid));
  return TRUE;
}

BOOL CALLBACK ListChild(HWND child, LPARAM top) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(top), reinterpret_cast<POINT*>(&r), 2);
  Print(ClassOf(child) + L"\t" + OneLine(TextOf(child)) + L"\t" + std::to_wstring(GetDlgCtrlID(child)) + L"\t" +
        (IsWindowEnabled(child) ? L"1" : L"0") + L"\t" + RectText(r));
  return TRUE;
}

struct Search {
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM p) {
  auto* search = reinterpret_cast<Search*>(p);
  if (IsWindowVisible(hwnd) && TextOf(hwnd) == search->title) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Asks the window itself which points of its caption's right end are the close box.
bool PrintCloseBox(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  long sumX = 0, sumY = 0, count = 0;
  for (int y = r.top; y < origin.y; ++y)
    for (int x = r.right - 48 > r.left ? r.right - 48 : r.left; x < r.right; ++x)
      if (SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        sumX += x;
        sumY += y;
        ++count;
      }
  if (!count) return false;
  Print(std::to_wstring(sumX / count) + L"," + std::to_wstring(sumY / count));
  return true;
}

// Opens each file that the patterns name in turn until `milliseconds` have passed.
int ReadRepeatedly(DWORD milliseconds, const std::vector<std::wstring>& patterns) {
  const DWORD start = GetTickCount();
  long opened = 0;
  while (GetTickCount() - start < milliseconds) {
    for (const std::wstring& pattern : patterns) {
      const std::wstring folder = pattern.substr(0, pattern.find_last_of(L'\\') + 1);
      WIN32_FIND_DATAW found;
      HANDLE search = FindFirstFileW(pattern.c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) continue;
      do {
        HANDLE file =
            CreateFileW((folder + found.cFileName).c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        char bytes[4096];
        DWORD read = 0;
        ReadFile(file, bytes, sizeof bytes, &read, nullptr);
        Sleep(20);
        CloseHandle(file);
        ++opened;
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    Print(std::to_wstring(opened));
  }
  return 0;
}

// Holds `path` most of the time, letting go for a moment now and then.
int HoldRepeatedly(DWORD milliseconds, DWORD hold, DWORD gap, const std::wstring& path) {
  const DWORD start = GetTickCount();
  long held = 0;
  while (GetTickCount() - start < milliseconds) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) Print(std::to_wstring(++held));
    Sleep(hold);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    Sleep(gap);
  }
  return 0;
}

std::wstring StartMenuShortcut(const std::wstring& name) {
  PWSTR folder = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_Programs, KF_FLAG_CREATE, nullptr, &folder))) return L"";
  std::wstring path = std::wstring(folder) + L"\\" + name + L".lnk";
  CoTaskMemFree(folder);
  return path;
}

int MakeShortcut(const std::wstring& name, const std::wstring& target) {
  const std::wstring path = StartMenuShortcut(name);
  if (path.empty() || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool made = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&link))) &&
              SUCCEEDED(link->SetPath(target.c_str())) &&
              SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
              SUCCEEDED(file->Save(path.c_str(), TRUE));
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  if (made) Print(path);
  return made ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"windows") {
    EnumWindows(ListTopLevel, 0);
    return 0;
  }
  if (command == L"texts" && argc > 2) {
    Search search{argv[2]};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    POINT origin{0, 0};
    ClientToScreen(search.found, &origin);
    RECT client;
    GetClientRect(search.found, &client);
    Print(L"client\t" + std::to_wstring(origin.x) + L"," + std::to_wstring(origin.y) + L"\t" +
          std::to_wstring(client.right) + L"," + std::to_wstring(client.bottom));
    EnumChildWindows(search.found, ListChild, reinterpret_cast<LPARAM>(search.found));
    return 0;
  }
  if (command == L"closebox" && argc > 2) {
    Search search{argv[2]};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    return PrintCloseBox(search.found) ? 0 : 1;
  }
  if (command == L"items" && argc > 2) {
    Search search{argv[2]};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    HWND list = search.found ? FindWindowExW(search.found, nullptr, L"ListBox", nullptr) : nullptr;
    if (!list) return 1;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      Print(text.c_str());
    }
    Print(L"item-height " + std::to_wstring(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)));
    return 0;
  }
  if (command == L"settext" && argc > 4) {  // as if typed: the control reports the change
    Search search{argv[2]};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    HWND control = search.found ? GetDlgItem(search.found, _wtoi(argv[3])) : nullptr;
    if (!control) return 1;
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    return 0;
  }
  if (command == L"foreground") {
    Print(TextOf(GetForegroundWindow()));
    return 0;
  }
  if (command == L"focus") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(GetForegroundWindow(), nullptr), &info) || !info.hwndFocus) return 1;
    Print(std::to_wstring(GetDlgCtrlID(info.hwndFocus)) + L"\t" + ClassOf(info.hwndFocus));
    return 0;
  }
  if (command == L"shortcut" && argc > 3) return MakeShortcut(argv[2], argv[3]);
  if (command == L"unshortcut" && argc > 2) return DeleteFileW(StartMenuShortcut(argv[2]).c_str()) ? 0 : 1;
  if (command == L"desktop") {
    GetDesktopWindow();  // joins the desktop, started first if need be
    Print(L"holding");
    Sleep(INFINITE);
  }
  if (command == L"read" && argc > 3)
    return ReadRepeatedly(static_cast<DWORD>(_wtoi(argv[2])), std::vector<std::wstring>(argv + 3, argv + argc));
  if (command == L"hold" && argc > 5)
    return HoldRepeatedly(static_cast<DWORD>(_wtoi(argv[2])), static_cast<DWORD>(_wtoi(argv[3])),
                          static_cast<DWORD>(_wtoi(argv[4])), argv[5]);
  Print(
      L"usage: probe windows | probe texts TITLE | probe closebox TITLE | probe items TITLE | probe settext TITLE "
      L"ID TEXT | probe foreground | probe focus | probe read MS PATTERN... | probe hold MS HOLD GAP FILE | probe "
      L"shortcut NAME TARGET | probe unshortcut NAME | probe desktop");
  return 2;
}
