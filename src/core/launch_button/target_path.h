#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ports/environment.h"
#include "ports/file_probe.h"

// Where the paths stored on a button lead. The stored text is never changed: it is
// read through three steps each time a button starts, shows its icon or is checked.
// 1. %NAME% becomes the environment variable NAME.
// 2. A relative path is taken from the program's folder, not from the current one.
// 3. A path whose drive or file is missing is taken from the program's own drive
//    when it is there (a stick that was E: and is now F:).
// Steps 2 and 3 apply only when they find something; a path that leads nowhere is
// handed on as step 1 left it.
namespace core {

// The variable the program sets to its own folder at start-up, for paths that move
// with it; started programs inherit it.
inline constexpr char kProgramFolderVariable[] = "ZUBI_DIR";

// The folder of the program file without a trailing "\": F:\Zubi, or F: at a
// drive's root.
std::string ProgramFolderOf(std::string_view executablePath);

using VariableLookup = std::function<std::optional<std::string>(const std::string& name)>;

// Each %NAME% replaced by its value, as Windows expands them: a name that is not set
// stays as written with both "%", and so does "%%"; a lone "%" stays.
std::string ExpandVariables(std::string_view text, const VariableLookup& lookup);

// What a path names, by its text alone.
enum class PathForm {
  kEmpty,
  kBareName,  // a name without a folder: notepad.exe
  kRelative,  // Apps\x.exe, ..\Tools\y.exe, .\z.exe, "."
  kRooted,    // \Apps\x.exe: from the root of a drive
  kDrive,     // C:\Apps\x.exe
  kUnc,       // \\server\share\x.exe
  kOther,     // only the shell knows: addresses, shell names, C:x
};
PathForm FormOfPath(std::string_view path);

// What a stored path names, by its text as stored: a file, folder or a name the shell
// finds on its own; an address of a protocol (a scheme of two or more letters, digits,
// "+", "-" or "." before the first ":", so that C: stays a drive); or a name in the
// shell's own namespace (shell:..., ::{CLSID}...). Only files are read through the
// path rules; the others go to the shell as they stand.
enum class TargetKind { kFile, kAddress, kShellName };
TargetKind KindOfTarget(std::string_view stored);
// A packaged (Store) app: shell:AppsFolder\<package family>!<app>.
bool IsPackagedApp(std::string_view stored);
// Whether the shell can start the target with an administrator's rights: not an
// address, an Internet shortcut (.url) or a packaged app.
bool CanStartElevated(std::string_view stored);

// The title and working folder that a newly registered button takes from its path: a
// file's name without extension and its folder; for a shell name its display name
// (`displayName` asks the shell), for an address its host or else the whole address,
// and no folder. The pieces the file rule would cut from the others mean nothing.
struct NewButtonNames {
  std::string title, directory;
  friend bool operator==(const NewButtonNames&, const NewButtonNames&) = default;
};
NewButtonNames NamesOfNewButton(const std::string& stored,
                                const std::function<std::string(const std::string&)>& displayName);
// The host of an address that names one: https://user@example.com:8080/x gives
// example.com; empty for mailto:..., ms-settings:... and steam://rungameid/..., whose
// first part is a command rather than a host.
std::string HostOf(std::string_view address);

struct PathPorts {
  const Environment& environment;
  const FileProbe& probe;
};

// Where a stored path leads now.
std::string ResolvePath(const std::string& stored, const PathPorts& ports);

struct StartPaths {
  std::string file, directory;
  friend bool operator==(const StartPaths&, const StartPaths&) = default;
};

// The program and the working folder of a start. A bare name that the working folder
// holds (the launcher's current folder when none is given) is left to the shell,
// which looks there first; otherwise it is taken from the program's folder when it
// is there, else left to the shell (which also searches PATH).
StartPaths ResolveStart(const std::string& path, const std::string& directory, const PathPorts& ports);

// A start as administrator: a program run so does not see the user's drive mappings,
// so a program or working folder on a mapped drive goes by its network name.
StartPaths ForElevatedStart(StartPaths start, const FileProbe& probe);

// Missing targets. Only paths that name a file are looked for: not addresses, shell
// names or bare names, which only the shell can find; except a packaged app, which the
// shell no longer knows once it is uninstalled.
enum class CheckTime { kNever, kNow, kAway };

// Drives that answer at once: looking at them may happen on the window's thread.
bool IsQuickDrive(DriveKind kind);

struct TargetCheck {
  CheckTime when = CheckTime::kNever;
  bool shellItem = false;     // a packaged app: the shell is asked whether it knows it
  std::string expanded;       // the stored path after step 1
  std::string programFolder;  // ProgramFolderOf the executable
};

// When a button's program is looked for: now when every drive the look may touch
// answers at once, away from the window when one may not (removable, network, UNC).
TargetCheck PlanTargetCheck(const std::string& stored, const PathPorts& ports);

// Nothing is where the planned path leads. Uses only the probe (any thread).
bool TargetMissing(const TargetCheck& check, const FileProbe& probe);

}  // namespace core
