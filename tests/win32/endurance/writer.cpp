// Saves a settings file and a page data file through the program's own file access,
// again and again in turn with two versions of each, until it is killed.
//   writer.exe <folder> <name of the progress mapping>
// The folder holds the settings file and the DATA folder. Each save is counted in the
// shared Progress block before it starts and after it returned.
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "base/utf16.h"
#include "base/win_code_page.h"
#include "base/win_file_system.h"
#include "storage/ini_store.h"
#include "store_versions.h"

// A program without a console: under Wine it starts in half the time of one with.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc != 3) return 2;
  wchar_t** argv = __wargv;
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, argv[2]);
  auto* progress =
      mapping ? static_cast<endurance::Progress*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
  if (!progress) return 3;

  win32::WinFileSystem files;
  win32::WinCodePage codePage(932);
  core::IniStore store(files, codePage);
  const std::string folder = win32::Narrow(argv[1]) + "\\";
  const std::string paths[] = {folder + endurance::kSettingsName, folder + endurance::kPageName};
  const core::IniImage images[endurance::kTargetCount][2] = {
      {endurance::SettingsVersion(0), endurance::SettingsVersion(1)},
      {endurance::PageVersion(0), endurance::PageVersion(1)}};

  for (long n = 0;; ++n) {
    InterlockedExchange(&progress->begun, n + 1);
    const endurance::Target target = endurance::TargetOfSave(n);
    try {
      store.Save(paths[target], images[target][endurance::VersionOfSave(n)]);
    } catch (const std::exception&) {
      InterlockedExchange(&progress->failed, n + 1);
      return 1;
    }
    InterlockedExchange(&progress->done, n + 1);
  }
}
