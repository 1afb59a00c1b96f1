// The program's entry: one instance per executable name, then the program itself.
#include "base/win.h"

#include <commctrl.h>

#include "base/lazy_library.h"
#include "base/log_file.h"
#include "base/message_box.h"
#include "launch/launcher_texts.h"
#include "launch/program.h"
#include "launch/single_instance.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  win32::RestrictLibrarySearch();
  win32::InstanceClaim claim;  // held to the end
  switch (win32::ClaimSingleInstance(win32::FileNameOf(win32::ModulePath()), claim)) {
    case win32::InstanceCheck::kAnotherRuns: return 0;
    case win32::InstanceCheck::kCannotStart: win32::Win32Prompter().ShowMessage(core::texts::kCannotStart); return 1;
    case win32::InstanceCheck::kFirst: break;
  }
  // Failures nobody is told about are kept beside the program for a report.
  const win32::LogFile log(win32::ModulePath());
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS;
  InitCommonControlsEx(&controls);

  win32::Program program;
  program.Start();
  return program.Run();
}
