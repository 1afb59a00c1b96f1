#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/win_background.h"
#include "base/win_code_page.h"
#include "base/win_desktop.h"
#include "base/win_environment.h"
#include "base/win_file_probe.h"
#include "base/win_file_system.h"
#include "base/win_shell.h"
#include "button_setup.h"
#include "fake_ports.h"
#include "launch/dialogs.h"
#include "launch/launcher.h"
#include "launch/launcher_window.h"
#include "temp_folder.h"

namespace testing_support {

// Records the starts; asks the real shell the questions about files.
class FakeShell : public core::Shell {
 public:
  void Execute(const core::ShellRequest& request) override { requests.push_back(request); }
  std::string AssociatedProgram(const std::string& file) override { return real.AssociatedProgram(file); }
  int IconCount(const std::string& file) override { return real.IconCount(file); }
  std::string DisplayName(const std::string& shellName) override { return real.DisplayName(shellName); }
  // The backup copy runs for real; the folder chooser answers what the test set.
  void CopyIntoFolder(std::uintptr_t owner, const std::string& source, const std::string& folder) override {
    real.CopyIntoFolder(owner, source, folder);
  }
  std::optional<std::string> ChooseFolder(std::uintptr_t, const std::string& start) override {
    chooserStarts.push_back(start);
    return chosenFolder;
  }
  std::vector<std::string> chooserStarts;
  std::optional<std::string> chosenFolder;
  std::vector<core::ShellRequest> requests;
  win32::WinShell real;
};

// The real session services, except that the session is never really ended and no
// screen saver starts: those requests are recorded. The privilege steps can be made
// to fail, each with its own last error code.
class RecordingSession : public win32::WinSession {
 public:
  std::unique_ptr<core::AccessToken> OpenOwnToken() override;
  std::optional<std::uint64_t> LookUpPrivilege(const std::string& name) override;
  void RequestSessionEnd(unsigned flags) override { exitFlags.push_back(flags); }
  void StartScreenSaver() override { ++screenSavers; }

  DWORD tokenError = 0, lookUpError = 0, adjustError = 0;  // 0: the step succeeds
  std::vector<unsigned> exitFlags;
  int screenSavers = 0;
};

// The real probe, but for the kinds of the drives the tests use: late in a long run,
// Wine's mount manager can stop answering GetDriveTypeW, which holds the window's
// thread until the test's time runs out. C: (the temporary folders) and Z: (the build)
// are fixed, as they are here; the real question is asked in the probe's own test.
// The launcher and the glyphs ask this one.
class FixedDrivesProbe final : public core::FileProbe {
 public:
  bool Exists(const std::string& path) const override { return real_.Exists(path); }
  bool ShellItemExists(const std::string& name) const override { return real_.ShellItemExists(name); }
  core::DriveKind KindOfDrive(char letter) const override;
  std::optional<std::string> NetworkPath(const std::string& path) const override { return real_.NetworkPath(path); }

  std::map<char, core::DriveKind> kinds;  // the kinds of other letters a test gives

 private:
  win32::WinFileProbe real_;
};

// The real launcher window with its logic, the executable placed in a temporary
// folder, message boxes answered by a fake.
struct LauncherHarness {
  LauncherHarness();
  ~LauncherHarness();
  // The settings file, code page 932, written before the creation step.
  void WriteSettings(const std::string& utf8) const;
  void Create();

  TempFolder folder;
  win32::WinFileSystem files;
  win32::WinCodePage codePage{932};
  FakePrompter prompter;
  FakeShell shell;
  win32::WinShell realShell;
  bool useRealShell = false;  // start programs for real
  FakeSound sound;
  win32::WinEnvironment environment;
  FixedDrivesProbe probe;
  FakeFailureLog log;
  RecordingSession session;
  win32::WinDesktop desktop;
  win32::WinDdeConversation dde;
  std::unique_ptr<win32::LauncherWindow> window;
  std::unique_ptr<win32::WinBackground> background;
  std::unique_ptr<core::TLauncher> launcher;
  win32::Dialogs dialogs;
};

// A block of dropped files as the shell hands it over.
HGLOBAL MakeDrop(const std::vector<std::wstring>& files);

// A hidden window that runs the background answers posted to it, as the launcher
// window does.
win32::UniqueHwnd MakeAnswerWindow();
// Runs queued messages of this thread.
void PumpMessages();
// Calls `action` on another thread once a top-level window of this class and title
// shows (or only exists, when not `shown`); with null, and a failure, if none does
// within a minute, long past any busy machine's delay. The caller meanwhile runs a
// modal loop.
std::thread WhenWindowAppears(const wchar_t* className, const wchar_t* title, std::function<void(HWND)> action,
                              bool shown = true);
// Waits, running this thread's messages, until `done` holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 10000);
std::string TextOf(HWND hwnd);
// The pixels of a glyph that a button draws: those not of its transparent colour.
int PixelsShown(const win32::Glyph& glyph);

// What a screen reader reads of a control, or of item `child` of it, through the
// system's accessibility interface; "<none>" when it answers no object.
struct AccessibleRead {
  std::string name, description;
  long state = 0;
  long children = 0;
  long role = 0;
  long listed = 0;          // the items AccessibleChildren gives, by their ids 1, 2, ...
  bool oneIdentity = true;  // every interface the object answers gives one IUnknown
};
AccessibleRead ReadAccessible(HWND control, long child = 0);

RECT ClientRectOf(HWND control);  // in the coordinates of the top-level window's client area

}  // namespace testing_support
