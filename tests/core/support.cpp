#include "support.h"

#include "storage/paths.h"
#include "storage/text_codec.h"

namespace testing_support {

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

void FakeView::TypeTitle(const std::string& text) {
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

LauncherFixture::LauncherFixture() : LauncherFixture(files) {}

LauncherFixture::LauncherFixture(core::FileSystem& launcherFiles) {
  environment.exePath = folder.Path("zubi.exe");
  environment.currentDirectory = folder.Path("");
  launcher_ = std::make_unique<core::TLauncher>(
      view, core::LauncherPorts{launcherFiles, Cp932(), prompter, shell, environment, sound, probe, log});
  view.launcher = launcher_.get();
  launcher_->SetDialogs(&dialogs);
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
