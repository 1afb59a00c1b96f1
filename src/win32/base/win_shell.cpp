#include "base/win_shell.h"

#include "base/win.h"

#include <objbase.h>
#include <shellapi.h>

#include "base/utf16.h"
#include "base/win.h"

namespace win32 {

void WinShell::Execute(const core::ShellRequest& request) {
  // Shell extensions that the verb may run need COM on this thread.
  static const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  (void)comReady;
  ShellExecuteW(reinterpret_cast<HWND>(request.owner), Widen(request.verb).c_str(), Widen(request.file).c_str(),
                Widen(request.parameters).c_str(), Widen(request.directory).c_str(), request.showCommand);
}

}  // namespace win32
