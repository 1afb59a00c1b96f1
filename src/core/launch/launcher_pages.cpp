// The launcher's operations on the page data files: DATA\<user name><page>.dat.
#include "error.h"
#include "launch/launcher.h"
#include "launch_button/path_text.h"
#include "storage/paths.h"

namespace core {

std::string TLauncher::DataFolder() const { return ExecutableDirectory() + "DATA"; }

// Page files live in DATA, which may have been deleted since the last write: it is
// made (again) before a page is written. When that fails, the write itself is reported.
void TLauncher::EnsureDataFolder() {
  if (!ports_.files.FolderExists(DataFolder())) ports_.files.CreateFolder(DataFolder());
}

PageFile TLauncher::LoadPage(const std::string& path) const { return PageFile(store_.Load(path)); }

void TLauncher::SavePage(const PageFile& page) {
  EnsureDataFolder();
  store_.Save(state_.PageFilePath, page.Image());
}

// The user name is used exactly as stored and the page number follows it directly.
std::string TLauncher::PageFileName(const std::string& userName, int page) const {
  return DataFolder() + kPathSeparator + userName + std::to_string(page) + ".dat";
}

// A page file that is read-only, hidden or system is made a plain file again, so
// that later writes of the page succeed.
void TLauncher::RepairPageFileAttributes() {
  const std::string& path = state_.PageFilePath;
  if (!ports_.files.FileExists(path)) return;
  auto attributes = ports_.files.Attributes(path);
  if (attributes && *attributes != kAttributeArchive) ports_.files.SetAttributes(path, kAttributeArchive);
}

void TLauncher::LoadPageTitle(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  ShowTitle(LoadPage(state_.PageFilePath).Title());
}

void TLauncher::SavePageTitle(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  PageFile file = LoadPage(state_.PageFilePath);
  file.SetTitle(view_.TitleText());
  SavePage(file);
}

void TLauncher::LoadButtons(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  LeadButtons(state_.PageFilePath);
  CheckTargets();
}

void TLauncher::LeadButtons(const std::string& path) {
  const PageFile file = LoadPage(path);
  for (int k = 1; k <= kLaunchButtonCount; ++k) ShowEntry(Button(k), file.Button(k), true);
}

void TLauncher::SetButtons(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  PageFile file = LoadPage(state_.PageFilePath);
  for (int k = 1; k <= kLaunchButtonCount; ++k) file.SetButton(k, EntryOf(Button(k)));
  SavePage(file);
}

// A button that was empty in the file gets a title and a working directory from its
// new path; then the whole page is written.
void TLauncher::OnBtnUpdated(TLaunchButton& button) {
  Handle([&] {
    if (!LoadPage(state_.PageFilePath).HoldsProgram(button.Number())) {
      button.SetProgramTitle(FileTitle(button.ProgramPath()));
      button.SetProgramDir(ExtractFileDir(button.ProgramPath()));
    }
    SetButtons(state_.PageNo);
  });
  CheckTargets();
}

// A title the program puts into the box is stored at once, as a typed one is (the
// box itself reports only typing).
void TLauncher::ShowTitle(const std::string& title) {
  if (title == view_.TitleText()) return;
  view_.SetTitleText(title);
  Edit1Change();
}

void TLauncher::Edit1Change() {
  Reporting(ports_.prompter, [&] { SavePageTitle(state_.PageNo); });
}

}  // namespace core
