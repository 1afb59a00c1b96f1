#include "base/win_desktop.h"

#include <ddeml.h>

#include <vector>

#include "base/handles.h"
#include "base/log.h"
#include "base/message_box.h"
#include "base/utf16.h"

namespace win32 {
namespace {

HWND AsWindow(std::uintptr_t window) { return reinterpret_cast<HWND>(window); }

class WinToken final : public core::AccessToken {
 public:
  explicit WinToken(HANDLE token) : token_(token) {}

  unsigned EnablePrivilege(std::uint64_t privilege) override {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = static_cast<DWORD>(privilege & 0xFFFFFFFFu);
    privileges.Privileges[0].Luid.HighPart = static_cast<LONG>(privilege >> 32);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Windows sets the last error on success too (0, or "not all assigned"); Wine
    // leaves it alone, so a stale code must not read as a failure.
    SetLastError(ERROR_SUCCESS);
    AdjustTokenPrivileges(token_.get(), FALSE, &privileges, 0, nullptr, nullptr);
    return GetLastError();
  }

 private:
  UniqueKernel token_;
};

// Deferred steps by their thread-timer identifier, with the desktop that started them.
struct PendingStep {
  const WinDesktop* owner;
  std::function<void()> step;
};

std::map<UINT_PTR, PendingStep>& PendingSteps() {
  static std::map<UINT_PTR, PendingStep> steps;
  return steps;
}

void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  KillTimer(nullptr, id);
  auto& steps = PendingSteps();
  auto it = steps.find(id);
  if (it == steps.end()) return;
  std::function<void()> step = std::move(it->second.step);
  steps.erase(it);
  try {
    step();
  } catch (...) {
    // A step reports its own failures; nothing may leave a timer procedure.
    LogCurrentException("desktop command step");
  }
}

HDDEDATA CALLBACK IgnoreDdeEvents(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) noexcept {
  return nullptr;
}

}  // namespace

bool WinSession::NeedsPrivileges() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  // Without an answer, assume the NT family: enabling a privilege there is harmless.
  if (!GetVersionExW(&version)) return true;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::unique_ptr<core::AccessToken> WinSession::OpenOwnToken() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return nullptr;
  return std::make_unique<WinToken>(token);
}

std::optional<std::uint64_t> WinSession::LookUpPrivilege(const std::string& name) {
  LUID luid{};
  if (!LookupPrivilegeValueW(nullptr, Widen(name).c_str(), &luid)) return std::nullopt;
  return (static_cast<std::uint64_t>(static_cast<DWORD>(luid.HighPart)) << 32) | luid.LowPart;
}

void WinSession::RequestSessionEnd(unsigned flags) {
  if (!ExitWindowsEx(flags, 0)) LogLastError("ending the session");
}

std::string WinSession::SystemErrorText() {
  DWORD code = GetLastError();
  wchar_t text[512] = L"";
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, 512, nullptr);
  return Narrow(std::wstring_view(text, length));
}

void WinSession::ShowNotice(const std::string& text, const std::string& caption) {
  MessageBoxW(BoxOwnerOf(boxOwner_), Widen(text).c_str(), Widen(caption).c_str(), MB_ICONINFORMATION);
}

void WinSession::StartScreenSaver() { SendMessageW(application_, WM_SYSCOMMAND, SC_SCREENSAVE, 0); }

WinDesktop::~WinDesktop() {
  auto& steps = PendingSteps();
  for (auto it = steps.begin(); it != steps.end();) {
    if (it->second.owner != this) {
      ++it;
      continue;
    }
    KillTimer(nullptr, it->first);
    it = steps.erase(it);
  }
}

// The windows are listed first and visited after: the visit may post messages,
// allocate or fail, none of which belongs inside the system's enumeration callback.
void WinDesktop::ForEachTopLevelWindow(const std::function<void(std::uintptr_t)>& visit) {
  std::vector<std::uintptr_t> windows;
  EnumWindows(
      [](HWND window, LPARAM list) noexcept -> BOOL {
        try {
          reinterpret_cast<std::vector<std::uintptr_t>*>(list)->push_back(reinterpret_cast<std::uintptr_t>(window));
        } catch (...) {
          LogCurrentException("listing the top-level windows");
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  for (std::uintptr_t window : windows) visit(window);
}

bool WinDesktop::IsVisible(std::uintptr_t window) { return IsWindowVisible(AsWindow(window)) != FALSE; }

bool WinDesktop::IsMinimised(std::uintptr_t window) { return IsIconic(AsWindow(window)) != FALSE; }

std::string WinDesktop::ClassNameOf(std::uintptr_t window) {
  wchar_t name[256] = L"";
  int length = GetClassNameW(AsWindow(window), name, 256);
  return Narrow(std::wstring_view(name, static_cast<size_t>(length > 0 ? length : 0)));
}

void WinDesktop::PostClose(std::uintptr_t window) { PostMessageW(AsWindow(window), WM_CLOSE, 0, 0); }

void WinDesktop::SendKey(int virtualKey, bool release) {
  keybd_event(static_cast<BYTE>(virtualKey), 0, release ? KEYEVENTF_KEYUP : 0, 0);
}

// A thread timer: whichever message loop runs (the program's, a message box's, a
// menu's) dispatches it, and until then the window answers as usual.
void WinDesktop::RunLater(unsigned milliseconds, std::function<void()> step) {
  UINT_PTR id = SetTimer(nullptr, 0, milliseconds, RunPendingStep);
  if (id) PendingSteps()[id] = {this, std::move(step)};
}

WinDdeConversation::~WinDdeConversation() {
  CloseLink();
  if (instance_) DdeUninitialize(instance_);
}

bool WinDdeConversation::Connect() {
  if (!instance_ && DdeInitializeW(&instance_, IgnoreDdeEvents, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    instance_ = 0;
    return false;
  }
  // A string handle of this conversation's instance, freed when it goes.
  struct DdeString {
    DWORD instance;
    HSZ handle;
    ~DdeString() {
      if (handle) DdeFreeStringHandle(instance, handle);
    }
  };
  DdeString service{instance_, DdeCreateStringHandleW(instance_, Widen(service_).c_str(), CP_WINUNICODE)};
  DdeString topic{instance_, DdeCreateStringHandleW(instance_, Widen(topic_).c_str(), CP_WINUNICODE)};
  conversation_ = DdeConnect(instance_, service.handle, topic.handle, nullptr);
  return conversation_ != nullptr;
}

bool WinDdeConversation::SetLink(const std::string& service, const std::string& topic) {
  CloseLink();
  service_ = service;
  topic_ = topic;
  return Connect();
}

// When nobody answers, the service application is started and asked once more as
// soon as it waits for input (at most five seconds).
bool WinDdeConversation::OpenLink() {
  if (conversation_) return true;
  if (service_.empty()) return false;
  if (Connect() || serviceApplication_.empty()) return conversation_ != nullptr;
  std::wstring commandLine = Widen(serviceApplication_);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  UniqueKernel thread(process.hThread), started(process.hProcess);
  WaitForInputIdle(started.get(), 5000);
  return Connect();
}

// Asynchronous: the command is posted and the conversation may close right after.
// DDEML carries an execute string in the client's character set (UTF-16 here) and
// converts it for a server that uses ANSI; the format travels as plain text.
bool WinDdeConversation::ExecuteMacro(const std::string& command) {
  if (!conversation_) return false;
  std::wstring text = Widen(command);
  DWORD result = 0;
  HDDEDATA sent = DdeClientTransaction(reinterpret_cast<LPBYTE>(text.data()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), conversation_, nullptr,
                                       CF_TEXT, XTYP_EXECUTE, TIMEOUT_ASYNC, &result);
  return sent != nullptr;
}

void WinDdeConversation::CloseLink() {
  if (!conversation_) return;
  DdeDisconnect(conversation_);
  conversation_ = nullptr;
}

}  // namespace win32
