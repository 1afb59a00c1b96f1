// A page data file of any content, read into the ten buttons by the launcher's own
// page loading, then saved and read by a second launcher (the next start):
// - reading never fails and leaves each button empty or registered, with the hint
//   and glyph that go with it;
// - the saved page reads back as the same ten buttons and the same title, and
//   saving that again writes the same bytes. Not so for a button section that holds
//   one of its keys twice: a key removed on saving (an empty value) is removed only
//   once, and the later one is kept and read next time, as the file format says.
#include <array>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "launch/launcher.h"
#include "launch_button/launch_button_texts.h"
#include "launch_button/path_text.h"
#include "memory_file_system.h"
#include "storage/ini_image.h"
#include "storage/text_codec.h"
#include "support.h"

namespace {

using testing_support::FakeEnvironment;
using testing_support::FakeProbe;
using testing_support::FakePrompter;
using testing_support::FakeShell;
using testing_support::FakeSound;
using testing_support::FakeView;

constexpr char kPagePath[] = "/zubi/DATA/User17.dat";
constexpr int kPage = 7;

struct Button {
  std::string title, path, dir, option, iconPath;
  core::TProgState state = core::TProgState::psNormal;
  int iconNo = 0;
  bool small = false;
  std::string hotKey;
  bool switchIfRunning = false;
  int startDelay = 0;
  bool folderMenu = false;
  bool operator==(const Button&) const = default;
  std::string Describe() const {
    return path + "|" + title + "|" + dir + "|" + option + "|" + iconPath + "|" + std::to_string(iconNo) + "|" +
           std::to_string(static_cast<int>(state)) + "|" + std::to_string(small) + "|" + hotKey + "|" +
           std::to_string(switchIfRunning) + "|" + std::to_string(startDelay) + "|" + std::to_string(folderMenu);
  }
};

// One start of the program on the file system, showing the page.
class Start {
 public:
  explicit Start(fuzzing::MemoryFileSystem& files) {
    environment_.exePath = "/zubi/zubi.exe";
    files.Put("/zubi/zubi.ini", "[User1]\r\nPageNo=" + std::to_string(kPage) + "\r\nPageNoControl=9\r\n");
    launcher_ = std::make_unique<core::TLauncher>(
        view_,
        core::LauncherPorts{files, testing_support::Cp932(), prompter_, shell_, environment_, sound_, probe_, log_});
    launcher_->FormCreate();
  }

  std::array<Button, core::kLaunchButtonCount> Buttons() {
    std::array<Button, core::kLaunchButtonCount> buttons;
    for (int k = 1; k <= core::kLaunchButtonCount; ++k) {
      const core::ButtonEntry& b = launcher_->Button(k).Entry();
      buttons[k - 1] = {b.title,  b.path,        b.dir,    b.option,          b.iconPath,   *b.state,
                        b.iconNo, b.isIconSmall, b.hotKey, b.switchIfRunning, b.startDelay, b.folderMenu};
    }
    return buttons;
  }

  // What the user sees of each button: an empty one shows no glyph and "未登録", a
  // registered one its glyph and its title, or without a title its file name.
  void CheckFaces() {
    for (int k = 1; k <= core::kLaunchButtonCount; ++k) {
      const core::TLaunchButton& button = launcher_->Button(k);
      const core::ButtonEntry& b = button.Entry();
      const auto& face = view_.buttons[k - 1];
      if (b.path.empty()) {
        FUZZ_CHECK(!face.hasGlyph && button.Hint() == core::texts::kHintEmptyButton, button.Hint());
        FUZZ_CHECK(b == core::ButtonEntry{.isIconSmall = b.isIconSmall},
                   "an empty button keeps " + b.title + b.dir + b.option);
      } else {
        FUZZ_CHECK(face.hasGlyph && face.small == b.isIconSmall, b.path);
        const std::string hint = b.title.empty() ? core::ExtractFileName(b.path) : b.title;
        FUZZ_CHECK(button.Hint() == hint, button.Hint() + " for " + b.path);
      }
    }
  }

  std::string Title() const { return view_.title; }
  // Each button as a change of its own saves it, the file holding its program already.
  void Save() {
    for (int k = 1; k <= core::kLaunchButtonCount; ++k) launcher_->Editor().OnBtnUpdated(launcher_->Button(k));
  }

 private:
  FakeView view_;
  FakePrompter prompter_;
  FakeShell shell_;
  FakeEnvironment environment_;
  FakeSound sound_;
  FakeProbe probe_;
  testing_support::FakeFailureLog log_;
  std::unique_ptr<core::TLauncher> launcher_;
};

// True when a button's section (the first of its name) holds a button key twice.
bool HasRepeatedButtonKey(const core::IniImage& page) {
  static constexpr const char* kKeys[] = {"ProgPath",   "ProgTitle",       "ProgDir",   "ProgState",
                                          "ProgOption", "IconPath",        "IconNo",    "IsIconSmall",
                                          "HotKey",     "SwitchIfRunning", "StartDelay"};
  for (int k = 1; k <= core::kLaunchButtonCount; ++k) {
    const std::string name = "Button" + std::to_string(k);
    for (const auto& section : page.Sections()) {
      if (!core::EqualsIgnoringCase(section.name, name)) continue;
      for (const char* key : kKeys) {
        int count = 0;
        for (const auto& line : section.lines) count += line.isKey && core::EqualsIgnoringCase(line.key, key);
        if (count > 1) return true;
      }
      break;
    }
  }
  return false;
}

std::string Describe(const std::array<Button, core::kLaunchButtonCount>& buttons) {
  std::string text;
  for (const auto& b : buttons) text += b.Describe() + "\n";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::MemoryFileSystem files;
  files.Put(kPagePath, std::string(fuzzing::AsText(data, size)));

  Start first(files);
  first.CheckFaces();
  const auto read = first.Buttons();
  const std::string title = first.Title();
  first.Save();
  const std::string saved = files.Content(kPagePath);
  const std::string_view input = fuzzing::AsText(data, size);
  if (HasRepeatedButtonKey(core::IniImage::Parse(core::DecodeText(input, testing_support::Cp932())))) return 0;

  Start next(files);
  const auto reread = next.Buttons();
  FUZZ_CHECK(reread == read, Describe(read) + "came back as\n" + Describe(reread) + "from " + saved);
  FUZZ_CHECK(next.Title() == title, title + " came back as " + next.Title());
  next.Save();
  FUZZ_CHECK(files.Content(kPagePath) == saved, saved + " was saved again as " + files.Content(kPagePath));
  return 0;
}
