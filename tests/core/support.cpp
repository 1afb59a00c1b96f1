#include "support.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "storage/paths.h"
#include "storage/text_codec.h"

namespace testing_support {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  root_ = std::filesystem::temp_directory_path() /
          ("zubi-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(root_);
  std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(root_, ec);
}

std::string TempFolder::Path(const std::string& name) const {
  return name.empty() ? core::FromFsPath(root_) : core::FromFsPath(root_ / core::ToFsPath(name));
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  auto path = root_ / core::ToFsPath(name);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(root_ / core::ToFsPath(name), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempFolder::Exists(const std::string& name) const { return std::filesystem::exists(root_ / core::ToFsPath(name)); }

const core::CodePage& Cp932() {
  static const auto codePage = core::MakeIconvCodePage(932);
  return *codePage;
}

std::string Sjis(const std::string& utf8) { return Cp932().FromUtf8(utf8).value(); }

std::string FakeEnvironment::LongTimeText(const core::LocalTime& t) const {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

void FakeView::SetTitleText(const std::string& text) {
  if (text == title) return;
  title = text;
  if (launcher) launcher->Edit1Change();
}

std::string FakeView::NavStates() const {
  std::string states;
  for (auto b : {core::NavButton::kFastTop, core::NavButton::kFastBwd, core::NavButton::kBwd, core::NavButton::kFwd,
                 core::NavButton::kFastFwd, core::NavButton::kFastFinal}) {
    auto it = enabled.find(b);
    states += it == enabled.end() ? '?' : (it->second ? '1' : '0');
  }
  return states;
}

LauncherFixture::LauncherFixture() {
  environment.exePath = folder.Path("zubi.exe");
  launcher_ =
      std::make_unique<core::TLauncher>(view, core::LauncherPorts{files, Cp932(), prompter, shell, environment, sound});
  view.launcher = launcher_.get();
}

std::string LauncherFixture::SettingsText() const {
  if (!folder.Exists("zubi.ini")) return "";
  return core::DecodeText(folder.Read("zubi.ini"), Cp932());
}

std::string LauncherFixture::PageText(const std::string& name) const {
  std::string relative = "DATA/" + name;
  if (!folder.Exists(relative)) return "";
  return core::DecodeText(folder.Read(relative), Cp932());
}

void LauncherFixture::WriteSettings(const std::string& utf8) const {
  folder.Write("zubi.ini", core::EncodeText(utf8, Cp932()));
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace testing_support
