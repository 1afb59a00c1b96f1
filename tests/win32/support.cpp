#include "support.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlobj.h>

#include "base/posted_closure.h"
#include "base/utf16.h"
#include "launch_button/glyph_cache.h"
#include "storage/paths.h"
#include "storage/text_codec.h"

namespace testing_support {

LauncherHarness::LauncherHarness() : environment(folder.Path("zubi.exe")) {}

void LauncherHarness::WriteSettings(const std::string& utf8) const {
  folder.Write("zubi.ini", core::EncodeText(utf8, codePage));
}

LauncherHarness::~LauncherHarness() { win32::Glyphs().SetDriveProbe(nullptr); }

void LauncherHarness::Create() {
  win32::Glyphs().SetDriveProbe(&probe);
  window = std::make_unique<win32::LauncherWindow>(nullptr);
  core::Shell& chosen = useRealShell ? static_cast<core::Shell&>(realShell) : shell;
  background = std::make_unique<win32::WinBackground>(window->Handle());
  const core::LauncherPorts ports{files, codePage, prompter, chosen, environment, sound, probe, log};
  launcher = std::make_unique<core::TLauncher>(*window, ports);
  session.SetBoxOwner(window->Handle());
  launcher->SetDesktopPorts({session, desktop, dde});
  launcher->SetBackground(background.get());
  window->CreateComponents(prompter, codePage);
  window->Attach(launcher.get());
  launcher->FormCreate();
  dialogs.Create(window->Handle(), *launcher, window->WaitHotKey(), ports);
}

namespace {

class RecordingToken final : public core::AccessToken {
 public:
  explicit RecordingToken(DWORD error) : error_(error) {}
  unsigned EnablePrivilege(std::uint64_t) override {
    SetLastError(error_);
    return error_;
  }

 private:
  DWORD error_;
};

}  // namespace

// A step fails as the system's does: no result, and its code as the last error.
std::unique_ptr<core::AccessToken> RecordingSession::OpenOwnToken() {
  if (tokenError) {
    SetLastError(tokenError);
    return nullptr;
  }
  return std::make_unique<RecordingToken>(adjustError);
}

std::optional<std::uint64_t> RecordingSession::LookUpPrivilege(const std::string& name) {
  if (lookUpError) {
    SetLastError(lookUpError);
    return std::nullopt;
  }
  return WinSession::LookUpPrivilege(name);
}

core::DriveKind FixedDrivesProbe::KindOfDrive(char letter) const {
  const char upper = static_cast<char>(toupper(static_cast<unsigned char>(letter)));
  if (auto given = kinds.find(upper); given != kinds.end()) return given->second;
  return upper == 'C' || upper == 'Z' ? core::DriveKind::kFixed : real_.KindOfDrive(letter);
}

HGLOBAL MakeDrop(const std::vector<std::wstring>& files) {
  std::wstring list;
  for (const auto& file : files) list += file + L'\0';
  list += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    PumpMessages();
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

int PixelsShown(const win32::Glyph& glyph) {
  int shown = 0;
  for (int y = 0; y < glyph.size; ++y)
    for (int x = 0; x < glyph.size; ++x) shown += win32::GlyphPixel(glyph, x, y) != glyph.transparent;
  return shown;
}

std::string TextOf(HWND hwnd) {
  wchar_t text[1024] = L"";
  GetWindowTextW(hwnd, text, 1024);
  return win32::Narrow(text);
}

AccessibleRead ReadAccessible(HWND control, long child) {
  // Spelled out: mingw-w64's own IID_IAccessible reads wrongly under Wine.
  static constexpr GUID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                        reinterpret_cast<void**>(&object))) ||
      !object)
    return {"<none>"};
  AccessibleRead read;
  VARIANT which{};
  which.vt = VT_I4;
  which.lVal = child;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(which, &name)) && name) read.name = win32::Narrow(name);
  SysFreeString(name);
  BSTR description = nullptr;
  if (SUCCEEDED(object->get_accDescription(which, &description)) && description)
    read.description = win32::Narrow(description);
  SysFreeString(description);
  VARIANT value{};
  if (SUCCEEDED(object->get_accState(which, &value)) && value.vt == VT_I4) read.state = value.lVal;
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(which, &role)) && role.vt == VT_I4) read.role = role.lVal;
  object->get_accChildCount(&read.children);
  // As screen readers and the UI Automation bridge ask for the children.
  if (child == CHILDID_SELF && read.children > 0) {
    std::vector<VARIANT> listed(static_cast<size_t>(read.children));
    LONG obtained = 0;
    if (SUCCEEDED(AccessibleChildren(object, 0, read.children, listed.data(), &obtained)))
      for (LONG i = 0; i < obtained; ++i) {
        read.listed += listed[static_cast<size_t>(i)].vt == VT_I4 && listed[static_cast<size_t>(i)].lVal == i + 1;
        VariantClear(&listed[static_cast<size_t>(i)]);
      }
  }
  IUnknown* self = nullptr;
  object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
  for (const IID& iid : {IID_IDispatch, IID_IEnumVARIANT, IID_IOleWindow}) {
    IUnknown* other = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&other))) || !other) continue;
    IUnknown* back = nullptr;
    other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back));
    read.oneIdentity = read.oneIdentity && back == self;
    if (back) back->Release();
    other->Release();
  }
  if (self) self->Release();
  object->Release();
  return read;
}

namespace {

LRESULT CALLBACK TakeAnswers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != win32::ClosureMessage()) return DefWindowProcW(window, message, wParam, lParam);
  win32::RunPostedClosure(lParam);
  return 0;
}

}  // namespace

win32::UniqueHwnd MakeAnswerWindow() {
  WNDCLASSW answers{};
  answers.lpfnWndProc = TakeAnswers;
  answers.hInstance = GetModuleHandleW(nullptr);
  answers.lpszClassName = L"ZubiTestAnswers";
  RegisterClassW(&answers);
  return win32::UniqueHwnd(CreateWindowExW(0, answers.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                           answers.hInstance, nullptr));
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::thread WhenWindowAppears(const wchar_t* className, const wchar_t* title, std::function<void(HWND)> action,
                              bool shown) {
  return std::thread([=] {
    HWND found = nullptr;
    for (int i = 0; i < 6000 && !found; ++i) {
      found = FindWindowW(className, title);
      if (found && shown && !IsWindowVisible(found)) found = nullptr;
      if (!found) Sleep(10);
    }
    if (!found) ADD_FAILURE() << "no window " << win32::Narrow(title ? title : className) << " within a minute";
    action(found);
  });
}

RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  HWND top = GetAncestor(control, GA_ROOT);
  MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace testing_support
