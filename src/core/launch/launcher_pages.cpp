// The launcher's operations on the page data files: DATA\<user name><page>.dat.
#include "error.h"
#include "launch/launcher.h"
#include "launch_button/path_text.h"
#include "storage/paths.h"

namespace core {
namespace {

constexpr char kPageTitle[] = "PageTitle";

std::string ButtonSection(int k) { return "Button" + std::to_string(k); }

// The stored start state counts differently from TProgState: 1 is maximised, 2 minimised.
constexpr int kStoredMaximized = 1;
constexpr int kStoredMinimized = 2;

void WriteOrDelete(IniImage& ini, const std::string& section, const char* key, const std::string& value) {
  if (value.empty())
    ini.DeleteKey(section, key);
  else
    ini.WriteString(section, key, value);
}

}  // namespace

std::string TLauncher::DataFolder() const { return ExecutableDirectory() + "DATA"; }

// Page files live in DATA, which may have been deleted since the last write: it is
// made (again) before a page is written. When that fails, the write itself is reported.
void TLauncher::EnsureDataFolder() {
  if (!ports_.files.FolderExists(DataFolder())) ports_.files.CreateFolder(DataFolder());
}

void TLauncher::SavePage(const IniImage& ini) {
  EnsureDataFolder();
  store_.Save(state_.PageFilePath, ini);
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
  view_.SetTitleText(store_.Load(state_.PageFilePath).ReadString(kPageTitle, kPageTitle, ""));
}

void TLauncher::SavePageTitle(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  IniImage ini = store_.Load(state_.PageFilePath);
  ini.WriteString(kPageTitle, kPageTitle, view_.TitleText());
  SavePage(ini);
}

void TLauncher::LoadButtons(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  LeadButtons(state_.PageFilePath);
  CheckTargets();
}

// The path comes last, so that the glyph is drawn from the settings read before it.
void TLauncher::LeadButtons(const std::string& path) {
  const IniImage ini = store_.Load(path);
  for (int k = 1; k <= kLaunchButtonCount; ++k) {
    TLaunchButton& button = Button(k);
    const std::string section = ButtonSection(k);
    button.SetProgramTitle(ini.ReadString(section, "ProgTitle", ""));
    button.SetProgramDir(ini.ReadString(section, "ProgDir", ""));
    switch (ini.ReadInteger(section, "ProgState", 0)) {
      case 0: button.SetProgramState(TProgState::psNormal); break;
      case kStoredMaximized: button.SetProgramState(TProgState::psMaximized); break;
      case kStoredMinimized: button.SetProgramState(TProgState::psMinimized); break;
      default: break;  // any other value leaves the state as it is
    }
    button.SetProgramOption(ini.ReadString(section, "ProgOption", ""));
    button.SetProgramIconPath(ini.ReadString(section, "IconPath", ""));
    button.SetProgramIconNo(ini.ReadInteger(section, "IconNo", 0));
    button.SetIsIconSmall(ini.ReadBool(section, "IsIconSmall", false));
    button.SetProgramPath(ini.ReadString(section, "ProgPath", ""));
  }
}

void TLauncher::SetButtons(int page) {
  state_.PageFilePath = PageFileName(state_.UserName, page);
  IniImage ini = store_.Load(state_.PageFilePath);
  for (int k = 1; k <= kLaunchButtonCount; ++k) {
    const TLaunchButton& button = Button(k);
    const std::string section = ButtonSection(k);
    ini.WriteString(section, "ProgPath", button.ProgramPath());
    WriteOrDelete(ini, section, "ProgTitle", button.ProgramTitle());
    WriteOrDelete(ini, section, "ProgDir", button.ProgramDir());
    switch (button.ProgramState()) {
      case TProgState::psMaximized: ini.WriteInteger(section, "ProgState", kStoredMaximized); break;
      case TProgState::psMinimized: ini.WriteInteger(section, "ProgState", kStoredMinimized); break;
      case TProgState::psNormal: ini.DeleteKey(section, "ProgState"); break;
    }
    WriteOrDelete(ini, section, "ProgOption", button.ProgramOption());
    WriteOrDelete(ini, section, "IconPath", button.ProgramIconPath());
    if (button.ProgramIconNo() != 0)
      ini.WriteInteger(section, "IconNo", button.ProgramIconNo());
    else
      ini.DeleteKey(section, "IconNo");
    if (button.IsIconSmall())
      ini.WriteString(section, "IsIconSmall", "1");
    else
      ini.DeleteKey(section, "IsIconSmall");
  }
  SavePage(ini);
}

// A button that was empty in the file gets a title and a working directory from its
// new path; then the whole page is written.
void TLauncher::OnBtnUpdated(TLaunchButton& button) {
  Handle([&] {
    const std::string section = ButtonSection(button.Number());
    if (store_.Load(state_.PageFilePath).ReadString(section, "ProgPath", "").empty()) {
      button.SetProgramTitle(FileTitle(button.ProgramPath()));
      button.SetProgramDir(ExtractFileDir(button.ProgramPath()));
    }
    SetButtons(state_.PageNo);
  });
  CheckTargets();
}

void TLauncher::Edit1Change() {
  Reporting(ports_.prompter, [&] { SavePageTitle(state_.PageNo); });
}

}  // namespace core
