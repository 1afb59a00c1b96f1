// User names become page file names in DATA. Whatever the name, and wherever it comes
// from (typed into the user dialog, or read from a settings file that anyone may
// edit), the program names no file outside DATA but its settings file:
// - a name the checks accept gives, with every page number, a plain file name that
//   Windows keeps in DATA: no separator, no "..", no device, no trailing dot or space;
// - a settings file holding the name as a user's name, at start-up and when the
//   user is chosen in the user dialog;
// - the name typed into the user dialog and registered, given, loaded or deleted.
// The file names are checked by Windows' own rules here, not by the program's.
#include <algorithm>
#include <set>
#include <string>

#include "fuzz_check.h"
#include "launch/launcher.h"
#include "memory_file_system.h"
#include "storage/ini_image.h"
#include "storage/paths.h"
#include "support.h"
#include "user/user_dlg.h"
#include "user/user_name.h"

namespace {

constexpr char kExe[] = "/zubi/zubi.exe";
constexpr char kSettings[] = "/zubi/zubi.ini";
constexpr char kData[] = "/zubi/DATA";

// Windows takes these as devices, also with an extension after them and with spaces
// before that; the superscript digits count as digits here.
bool IsDeviceName(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  auto is = [&](std::string_view head, std::string_view tail) {
    return stem.size() == head.size() + tail.size() && core::EqualsIgnoringCase(stem.substr(0, head.size()), head) &&
           stem.substr(head.size()) == tail;
  };
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (is(device, "")) return true;
  for (const char* port : {"COM", "LPT"})
    for (const char* digit : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"})
      if (is(port, digit)) return true;
  return false;
}

// A file name that Windows keeps as a plain file directly in its folder.
bool IsPlainFileName(std::string_view leaf) {
  if (leaf.empty() || leaf == "." || leaf == "..") return false;
  for (unsigned char c : leaf)
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  if (leaf.back() == '.' || leaf.back() == ' ') return false;
  return !IsDeviceName(leaf.substr(0, leaf.find('.')));
}

// Only the settings file, the DATA folder and plain files in DATA.
void CheckPaths(const fuzzing::MemoryFileSystem& files, std::string_view name, const char* where) {
  const std::string prefix = std::string(kData) + core::kPathSeparator;
  std::set<std::string_view> paths(files.touched.begin(), files.touched.end());
  for (std::string_view path : paths) {
    if (path == kSettings || path == kData) continue;
    FUZZ_CHECK(path.starts_with(prefix) && IsPlainFileName(std::string_view(path).substr(prefix.size())),
               std::string(where) + ": the name " + std::string(name) + " led to " + std::string(path));
  }
}

testing_support::FakeEnvironment MakeEnvironment() {
  testing_support::FakeEnvironment environment;
  environment.exePath = kExe;
  environment.currentDirectory = "/zubi";
  return environment;
}

// The launcher started on an in-memory folder, with its user dialog.
struct Program {
  Program() {
    view.launcher = &launcher;
    users.dialog = &dialog;
  }

  fuzzing::MemoryFileSystem files;
  testing_support::FakePrompter prompter;
  testing_support::FakeShell shell;
  testing_support::FakeEnvironment environment = MakeEnvironment();
  testing_support::FakeSound sound;
  testing_support::FakeProbe probe;
  testing_support::FakeFailureLog log;
  testing_support::FakeView view;
  core::TLauncher launcher{
      view, core::LauncherPorts{files, testing_support::Cp932(), prompter, shell, environment, sound, probe, log}};
  testing_support::FakeUserView users;
  core::TUserDlg dialog{users, launcher.Hosts().users, prompter};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name(fuzzing::AsText(data, size));
  if (name.find_first_of("\r\n") != std::string::npos) return -1;  // no name of one line

  if (core::IsSafeUserName(name)) {
    static Program namer;  // names files, touches none
    const std::string prefix = std::string(kData) + core::kPathSeparator;
    for (int page = 0; page <= 100; ++page) {
      const std::string path =
          core::PageStore(namer.files, testing_support::Cp932(), core::DirectoryWithSeparator(kExe)).PathOf(name, page);
      FUZZ_CHECK(path.starts_with(prefix) && IsPlainFileName(std::string_view(path).substr(prefix.size())),
                 "accepted " + name + " gives " + path);
    }
  }

  {
    // A settings file names the user; the program starts and the user is chosen again.
    Program program;
    program.files.Put(kSettings, core::EncodeText("[User]\r\nUser1=" + name + "\r\n", testing_support::Cp932()));
    program.files.CreateFolder(kData);
    program.launcher.FormCreate();
    program.dialog.mUserClick();
    program.dialog.ListBox1Click(0);
    CheckPaths(program.files, name, "stored");
  }

  {
    // Typed into the user dialog for user 2, with page files of user 1 in DATA.
    Program program;
    program.files.Put(std::string(kData) + core::kPathSeparator + "User11.dat", "[PageTitle]\r\nPageTitle=a\r\n");
    program.dialog.mUserClick();
    program.users.number = 2;
    program.users.SetNameText(name);
    program.dialog.EntryButtonClick();
    program.dialog.ChangeButtonClick();
    program.dialog.LoadButtonClick();
    program.dialog.DeleteButtonClick();
    CheckPaths(program.files, name, "typed");
  }
  return 0;
}
