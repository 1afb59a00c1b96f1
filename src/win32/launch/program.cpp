#include "launch/program.h"

#include "base/log_file.h"
#include "base/utf16.h"
#include "launch_button/glyph_cache.h"
#include "launch_button/target_path.h"

namespace win32 {
namespace {

// Milliseconds after the first paint.
constexpr UINT kSnapshotDelay = 2000;
constexpr UINT kReadAheadDelay = 500;
constexpr UINT kProgramIndexDelay = 1000;

}  // namespace

Program::Program() : Program(StandIns()) {}

Program::Program(const StandIns& standIns)
    : environment_(standIns.executablePath.empty() ? Narrow(ModulePath()) : standIns.executablePath),
      prompter_(standIns.prompter ? *standIns.prompter : ownPrompter_),
      window_(application_.Handle()),
      session_(application_.Handle()),
      background_(window_.Handle()),
      // The log's own lines would wake the watch.
      watch_(window_.Handle(), {LogFile::PathOf(Widen(environment_.ExecutablePath())),
                                LogFile::OldPathOf(Widen(environment_.ExecutablePath()))}),
      launcher_(window_, Ports()),
      snapshot_(prompter_),
      programs_(window_.Handle(), [this](std::shared_ptr<const core::ProgramIndex> index) {
        launcher_.SetPrograms(index);
        if (core::TFindBox* box = dialogs_.Find()) box->ProgramsArrived(std::move(index));
      }) {
  PublishProgramFolder(environment_.ExecutablePath());
  application_.SetMainWindow(window_.Handle());
  ownPrompter_.SetOwner(window_.Handle());
  session_.SetBoxOwner(window_.Handle());
  launcher_.SetDesktopPorts({session_, desktop_, dde_});
  launcher_.OnProgramsAsked = [this] { programs_.RefreshApps(); };
  launcher_.SetBackground(&background_);
  window_.CreateComponentsLater(prompter_, codePage_);
  window_.Attach(&launcher_);
  launcher_.FormCreate();
}

// The threads go first: nothing of theirs comes back once the parts begin to go.
Program::~Program() {
  programs_.Stop();
  snapshot_.Stop();
  watch_.Stop();
  background_.Stop();
  Glyphs().StopLoading();
  Glyphs().SetDriveProbe(nullptr);
  launcher_.SetBackground(nullptr);
  launcher_.SetRunningPrograms(nullptr);
  launcher_.SetGlobalKeys(nullptr);  // withdrawn on the keys' thread as it stops
  if (buttonKeys_) buttonKeys_->Stop();
  window_.Attach(nullptr);
}

core::LauncherPorts Program::Ports() {
  return {files_, codePage_, prompter_, shell_, environment_, sound_, probe_, log_};
}

void Program::Start() {
  Glyphs().SetDriveProbe(&probe_);
  window_.SetAfterStart([this] { AfterFirstPaint(); });
  application_.HideFromTaskbar();
  window_.Start();
}

// The day's snapshot waits until the start is well over.
void Program::AfterFirstPaint() {
  dialogs_.Create(window_.Handle(), launcher_, window_.WaitHotKey(), Ports());
  window_.AcceptDrags();
  // Another copy of the program, a sync service or a restored snapshot may write the
  // settings file and the pages while the program runs.
  watch_.Watch({core::ProgramFolderOf(environment_.ExecutablePath()), launcher_.DataFolder()},
               [this](const std::vector<std::string>& paths) { launcher_.FilesChanged(paths); });
  launcher_.SetRunningPrograms(&running_);
  // The pages are read once the start is over, so that the page list opens at once;
  // the buttons' keys are registered from them.
  desktop_.RunLater(kReadAheadDelay, [this] {
    launcher_.ReadAhead();
    buttonKeys_.emplace(window_.Handle(), [this](int id) { launcher_.HotKeyPressed(id); });
    launcher_.SetGlobalKeys(&*buttonKeys_);
  });
  // The installed programs for the find box, once the pages have been read.
  desktop_.RunLater(kProgramIndexDelay, [this] { programs_.Start(); });
  snapshot_.Start(environment_.ExecutablePath(), environment_.Now(), kSnapshotDelay);
}

int Program::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) ProcessLoopMessage(window_, message);
  return static_cast<int>(message.wParam);
}

}  // namespace win32
