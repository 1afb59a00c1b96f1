#include "launch/single_instance.h"

#include "base/handles.h"
#include "base/utf16.h"
#include "launch/launcher_texts.h"

namespace win32 {
namespace {

struct Search {
  std::wstring title;
  std::wstring executable;
  HWND found = nullptr;
};

std::wstring ExecutableFileNameOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  UniqueKernel handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!handle) return {};
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  bool ok = QueryFullProcessImageNameW(handle.get(), 0, path.data(), &size);
  return ok ? FileNameOf(path.substr(0, size)) : std::wstring();
}

// A window with the program's title that belongs to a copy of the same file name:
// another copy under another name carries the title too.
BOOL CALLBACK FindInstance(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  wchar_t title[64] = L"";
  GetWindowTextW(window, title, 64);
  if (search->title != title || lstrcmpiW(ExecutableFileNameOf(window).c_str(), search->executable.c_str()) != 0)
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND RunningWindow(const std::wstring& executableFileName) {
  Search search{Widen(core::texts::kApplicationTitle), executableFileName};
  EnumWindows(FindInstance, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A copy that hangs does not hang this start too.
void BringForward(HWND running) {
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  AllowSetForegroundWindow(process);
  SendMessageTimeoutW(running, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
  SetForegroundWindow(running);
}

}  // namespace

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

InstanceCheck ClaimSingleInstance(const std::wstring& executableFileName, InstanceClaim& claim, DWORD startingWait) {
  // Kernel object names are compared by case, file names are not.
  std::wstring file = executableFileName;
  CharUpperBuffW(file.data(), static_cast<DWORD>(file.size()));
  UniqueKernel mutex(CreateMutexW(nullptr, FALSE, (L"Local\\ZubiInstance-" + file).c_str()));
  const bool starting = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
  if (starting || GlobalFindAtomW(executableFileName.c_str())) {
    const ULONGLONG until = GetTickCount64() + (starting ? startingWait : 0);
    for (;;) {
      if (HWND running = RunningWindow(executableFileName)) {
        BringForward(running);
        return InstanceCheck::kAnotherRuns;
      }
      if (GetTickCount64() >= until) break;
      Sleep(50);
    }
    if (starting) return InstanceCheck::kAnotherRuns;
  }
  claim.mutex = std::move(mutex);  // none for a name too long for one: the atom still holds
  if (ATOM existing = GlobalFindAtomW(executableFileName.c_str())) {
    claim.atom.reset(existing);  // left behind by a copy that ended without deleting it
    return InstanceCheck::kFirst;
  }
  ATOM added = GlobalAddAtomW(executableFileName.c_str());
  if (!added) return InstanceCheck::kCannotStart;
  claim.atom.reset(added);
  return InstanceCheck::kFirst;
}

}  // namespace win32
