#include "base/win_shell.h"

#include "base/win.h"

#include <objbase.h>
#include <shellapi.h>

#include "base/folder_chooser.h"
#include "base/lazy_library.h"
#include "base/log.h"
#include "base/shell_item.h"
#include "base/shell_path.h"
#include "base/utf16.h"
#include "base/win.h"

namespace win32 {
namespace {

// The texts of a request as ShellExecuteExW takes them, kept while it runs.
struct ExecuteInfo {
  explicit ExecuteInfo(const core::ShellRequest& request, const wchar_t* verb, ULONG mask)
      : file(ShellPath(request.file)), parameters(Widen(request.parameters)), directory(Widen(request.directory)) {
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.hwnd = reinterpret_cast<HWND>(request.owner);
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = request.showCommand;
  }
  std::wstring file, parameters, directory;
  SHELLEXECUTEINFOW info{};
};

const auto& ShellExecuteExOf() {
  static const auto shellExecuteEx = Bind<decltype(&ShellExecuteExW)>(Shell32(), "ShellExecuteExW");
  return shellExecuteEx;
}

// The verb "runas" has the system ask for an administrator's consent and start the
// program elevated; the launcher itself stays as it was started.
void ExecuteElevated(const core::ShellRequest& request) {
  if (!ShellExecuteExOf()) return;
  ExecuteInfo execute(request, L"runas", 0);
  // A refused elevation (the user said no) is not an error for the user, only for the log.
  if (!ShellExecuteExOf()(&execute.info)) LogLastError("starting " + request.file + " as administrator");
}

// The header of a process's executable names the console subsystem. (A process that
// has already ended may not tell its executable; nothing is waited for then anyway.)
bool RunsConsoleProgram(HANDLE process) {
  static const auto getFileInfo = Bind<decltype(&SHGetFileInfoW)>(Shell32(), "SHGetFileInfoW");
  std::wstring image(32768, L'\0');
  DWORD size = static_cast<DWORD>(image.size());
  if (!getFileInfo || !QueryFullProcessImageNameW(process, 0, image.data(), &size)) return false;
  image.resize(size);
  // A console program is "PE" with no version in the high word.
  const DWORD_PTR type = getFileInfo(image.c_str(), 0, nullptr, 0, SHGFI_EXETYPE);
  return LOWORD(type) == 0x4550 && HIWORD(type) == 0;
}

// A started process, held until the run that waits for it lets it go.
class WinStartedProcess final : public core::StartedProcess {
 public:
  explicit WinStartedProcess(HANDLE process)
      : process_(process), id_(GetProcessId(process)), console_(RunsConsoleProgram(process)) {}
  ~WinStartedProcess() override { CloseHandle(process_); }
  WinStartedProcess(const WinStartedProcess&) = delete;
  WinStartedProcess& operator=(const WinStartedProcess&) = delete;

  bool ShowsWindow() override {
    struct Search {
      DWORD id;
      bool found = false;
    } search{id_};
    EnumWindows(
        [](HWND window, LPARAM lParam) noexcept -> BOOL {
          auto& search = *reinterpret_cast<Search*>(lParam);
          DWORD process = 0;
          if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)) return TRUE;
          GetWindowThreadProcessId(window, &process);
          search.found = process == search.id;
          return !search.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  bool Ended() override { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
  bool IsConsoleProgram() const override { return console_; }

 private:
  HANDLE process_;
  DWORD id_;
  bool console_;
};

}  // namespace

void WinShell::Execute(const core::ShellRequest& request) {
  static const auto shellExecute = Bind<decltype(&ShellExecuteW)>(Shell32(), "ShellExecuteW");
  if (!com_) com_.emplace();
  if (request.elevated) {
    ExecuteElevated(request);
    return;
  }
  if (!shellExecute) return;
  // The result is not the user's concern (the shell reports its own errors), only the log's.
  auto result = reinterpret_cast<INT_PTR>(
      shellExecute(reinterpret_cast<HWND>(request.owner), Widen(request.verb).c_str(), ShellPath(request.file).c_str(),
                   Widen(request.parameters).c_str(), Widen(request.directory).c_str(), request.showCommand));
  if (result <= 32) LogFailure("opening " + request.file, "ShellExecute result " + std::to_string(result));
}

// The same start as Execute's, but one that says whether it started and gives the
// process: a failure (the shell has shown its message) or a declined consent (error
// 1223) is no start.
core::WatchedStart WinShell::ExecuteWatched(const core::ShellRequest& request) {
  if (!com_) com_.emplace();
  if (!ShellExecuteExOf()) return {};
  ExecuteInfo execute(request, L"open", SEE_MASK_NOCLOSEPROCESS);
  if (!ShellExecuteExOf()(&execute.info)) {
    LogLastError("starting " + request.file + " in order");
    return {};
  }
  core::WatchedStart start{true, nullptr};
  if (execute.info.hProcess) start.process = std::make_unique<WinStartedProcess>(execute.info.hProcess);
  return start;
}

}  // namespace win32

namespace win32 {

std::string WinShell::AssociatedProgram(const std::string& file) {
  static const auto findExecutable = Bind<decltype(&FindExecutableW)>(Shell32(), "FindExecutableW");
  wchar_t program[MAX_PATH] = L"";
  if (!findExecutable) return {};
  auto result = reinterpret_cast<INT_PTR>(findExecutable(ShellPath(file).c_str(), nullptr, program));
  return result > 32 ? Narrow(program) : std::string();
}

std::string WinShell::DisplayName(const std::string& shellName) {
  if (!com_) com_.emplace();
  return ShellItem(shellName).DisplayName();
}

int WinShell::IconCount(const std::string& file) {
  static const auto extract = Bind<decltype(&ExtractIconExW)>(Shell32(), "ExtractIconExW");
  if (!extract || file.empty()) return 0;
  UINT count = extract(ShellPath(file).c_str(), -1, nullptr, nullptr, 0);
  return count == UINT_MAX ? 0 : static_cast<int>(count);
}

// Flags FOF_ALLOWUNDO and FOF_FILESONLY only: the shell shows its progress and asks
// before it replaces a file.
void WinShell::CopyIntoFolder(std::uintptr_t owner, const std::string& source, const std::string& folder) {
  static const auto fileOperation = Bind<decltype(&SHFileOperationW)>(Shell32(), "SHFileOperationW");
  if (!fileOperation) return;
  std::wstring from = Widen(source) + L'\0';  // each list ends with two NULs
  std::wstring to = Widen(folder) + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = reinterpret_cast<HWND>(owner);
  operation.wFunc = FO_COPY;
  operation.pFrom = from.c_str();
  operation.pTo = to.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_FILESONLY;
  // The shell shows its own errors; the result goes to the log only.
  if (int result = fileOperation(&operation); result != 0)
    LogFailure("copying " + source + " into " + folder, "SHFileOperation result " + std::to_string(result));
}

std::optional<std::string> WinShell::ChooseFolder(std::uintptr_t owner, const std::string& start) {
  return ChooseFolderDialog(reinterpret_cast<HWND>(owner), start);
}

}  // namespace win32
