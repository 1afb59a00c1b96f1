#include "launch/single_instance.h"

#include "base/utf16.h"
#include "launch/launcher_texts.h"

namespace win32 {

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

InstanceCheck ClaimSingleInstance(const std::wstring& executableFileName, UniqueAtom& atom) {
  if (ATOM existing = GlobalFindAtomW(executableFileName.c_str())) {
    HWND running = FindWindowW(nullptr, Widen(core::texts::kApplicationTitle).c_str());
    if (running) {
      DWORD process = 0;
      GetWindowThreadProcessId(running, &process);
      AllowSetForegroundWindow(process);
      SendMessageW(running, WM_SYSCOMMAND, SC_RESTORE, 0);
      SetForegroundWindow(running);
      return InstanceCheck::kAnotherRuns;
    }
    atom.reset(existing);
    return InstanceCheck::kFirst;
  }
  ATOM added = GlobalAddAtomW(executableFileName.c_str());
  if (!added) return InstanceCheck::kCannotStart;
  atom.reset(added);
  return InstanceCheck::kFirst;
}

}  // namespace win32
