#include "base/win_shell.h"

#include "base/win.h"

#include <objbase.h>
#include <shellapi.h>

#include "base/lazy_library.h"
#include "base/utf16.h"
#include "base/win.h"

namespace win32 {

void WinShell::Execute(const core::ShellRequest& request) {
  // Shell extensions that the verb may run need COM on this thread.
  static const auto coInitializeEx = Bind<decltype(&CoInitializeEx)>(Ole32(), "CoInitializeEx");
  static const bool comReady =
      coInitializeEx && SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  static const auto shellExecute = Bind<decltype(&ShellExecuteW)>(Shell32(), "ShellExecuteW");
  (void)comReady;
  if (!shellExecute) return;
  shellExecute(reinterpret_cast<HWND>(request.owner), Widen(request.verb).c_str(), Widen(request.file).c_str(),
               Widen(request.parameters).c_str(), Widen(request.directory).c_str(), request.showCommand);
}

}  // namespace win32
