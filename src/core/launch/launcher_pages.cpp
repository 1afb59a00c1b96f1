// The launcher's operations on the page data files: DATA\<user name><page>.dat.
#include "error.h"
#include "launch/launcher.h"
#include "storage/paths.h"

namespace core {
namespace {

constexpr char kPageTitle[] = "PageTitle";

}  // namespace

std::string TLauncher::DataFolder() const { return ExecutableDirectory() + "DATA"; }

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
  store_.Save(state_.PageFilePath, ini);
}

void TLauncher::Edit1Change() {
  Reporting(ports_.prompter, [&] { SavePageTitle(state_.PageNo); });
}

}  // namespace core
