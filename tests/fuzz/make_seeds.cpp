// Writes the fuzzers' seed files from what the program itself writes: settings files
// and page files made by the launcher, hot key texts made by the hot key component,
// and user names. Usage: make_seeds <corpus folder>; each target gets its subfolder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "components/wait_hot_key.h"
#include "launch/launcher.h"
#include "memory_file_system.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary) << bytes;
}

struct Button {
  const char *path, *title, *dir, *option, *iconPath;
  int iconNo;
  core::TProgState state;
  bool small;
};

// The launcher on an in-memory folder; returns the files it wrote.
class Program {
 public:
  Program() {
    environment_.exePath = "/zubi/zubi.exe";
    files.CreateFolder("/zubi");
    launcher.FormCreate();
  }

  // The title first, then each button, as the launcher writes them.
  void FillPage(int page, const std::string& title, const std::vector<Button>& buttons) {
    core::PageStore pages(files, testing_support::Cp932(), "/zubi/");
    const std::string path = pages.PathOf("User1", page);
    core::PageFile file = pages.Load(path);
    file.SetTitle(title);
    for (size_t i = 0; i < buttons.size(); ++i) {
      const Button& v = buttons[i];
      file.SetButton(static_cast<int>(i) + 1,
                     {v.title, v.path, v.dir, v.option, v.iconPath, v.state, v.iconNo, v.small, "", false, 0});
    }
    pages.Save(path, file);
  }

  fuzzing::MemoryFileSystem files;

 private:
  testing_support::FakeView view_;
  testing_support::FakePrompter prompter_;
  testing_support::FakeShell shell_;
  testing_support::FakeEnvironment environment_;
  testing_support::FakeSound sound_;
  testing_support::FakeProbe probe_;
  testing_support::FakeFailureLog log_;

 public:
  core::TLauncher launcher{view_, core::LauncherPorts{files, testing_support::Cp932(), prompter_, shell_, environment_,
                                                      sound_, probe_, log_}};
};

using core::TProgState;

const std::vector<Button> kFullPage = {
    {"C:\\Windows\\notepad.exe", "メモ帳", "C:\\Windows", "", "", 0, TProgState::psNormal, false},
    {"C:\\Program Files\\表計算\\calc.exe", "表計算ｿﾌﾄ", "C:\\Program Files\\表計算", "/s \"a b\"",
     "C:\\icons\\app.ico", 3, TProgState::psMaximized, true},
    {"D:\\文書\\予定表.xls", "予定表", "D:\\文書", "", "C:\\Windows\\shell32.dll", -12, TProgState::psMinimized, false},
    {"\\\\server\\share\\tool.bat", "", "\\\\server\\share", "-x", "", 0, TProgState::psNormal, true},
    {"C:\\", "Cドライブ", "C:\\", "", "", 0, TProgState::psNormal, false},
    {"http://example.com/", "ホーム", "", "", "", 0, TProgState::psNormal, false},
    {"C:\\a=b\\[x].exe", "[x]", "C:\\a=b", ";not a comment", "", 1, TProgState::psNormal, false},
    {"C:\\ツール\\①②.exe", "①～③", "C:\\ツール", "", "", 0, TProgState::psMaximized, false},
    {"", "", "", "", "", 0, TProgState::psNormal, true},
    {"E:\\x.lnk", "x", "E:\\", "", "", 0, TProgState::psNormal, false},
};

void PageSeeds(const fs::path& corpus) {
  Program program;
  program.FillPage(1, "仕事", kFullPage);
  program.FillPage(2, "", {{"C:\\Tools\\a.exe", "", "", "", "", 0, TProgState::psNormal, false}});
  program.FillPage(3, "Ünïcödé 한국어",
                   {{"C:\\Über\\한국어\\😀.exe", "😀", "C:\\Über", "", "", 0, TProgState::psNormal, false}});
  for (int page : {1, 2, 3}) {
    const std::string name = "User1" + std::to_string(page) + ".dat";
    const std::string bytes = program.files.Content("/zubi/DATA/" + name);
    WriteSeed(corpus / "page_file", name, bytes);
    WriteSeed(corpus / "ini_image", name, bytes);
    WriteSeed(corpus / "text_codec", name, bytes);
  }
}

void SettingsSeeds(const fs::path& corpus) {
  Program program;
  core::Options options{1, 1, 1, 1, 1, 0, "Ctrl+Shift+F5", 5, 3, true, true, true};
  testing_support::FakeEnvironment environment;
  core::LauncherSettings settings({program.files, testing_support::Cp932(), "/zubi/zubi.ini"}, environment);
  settings.LoadPosition();
  settings.SaveOptions(1, options);
  settings.StoreUserName(1, "山田太郎");
  settings.StoreUserName(2, "ﾃｽﾄ");
  settings.SavePosition({{100, 100}, 2, 12, 30});
  const std::string bytes = program.files.Content("/zubi/zubi.ini");
  WriteSeed(corpus / "ini_image", "zubi.ini", bytes);
  WriteSeed(corpus / "text_codec", "zubi.ini", bytes);
  WriteSeed(corpus / "page_file", "zubi.ini", bytes);
}

void HotKeySeeds(const fs::path& corpus) {
  const struct {
    const char* key;
    bool shift, ctrl, alt, win;
  } keys[] = {{"A", false, false, true, false},         {"F24", true, true, true, true},
              {"Num+", false, true, false, false},      {"Kanji", true, false, false, false},
              {"Oem_Clear", false, false, false, true}, {"\\", false, false, true, false},
              {"", false, false, true, false}};
  int n = 0;
  for (const auto& k : keys) {
    testing_support::FakeRegistrar registrar;
    testing_support::FakePrompter prompter;
    core::TWaitHotKey hotKey(registrar, prompter);
    hotKey.KeyAssign().SetModifiersQuietly(k.shift, k.ctrl, k.alt, k.win);
    hotKey.KeyAssign().SetKey(k.key);
    WriteSeed(corpus / "hot_key", "hot_key" + std::to_string(++n), hotKey.HotKey());
  }
}

void UserNameSeeds(const fs::path& corpus) {
  int n = 0;
  for (const char* name : {"User1", "Taro", "山田太郎", "ﾃｽﾄ", "a.b", "COMMON", "CONSOLE", ""})
    WriteSeed(corpus / "user_name", "user_name" + std::to_string(++n), name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <corpus folder>\n");
    return 2;
  }
  const fs::path corpus = argv[1];
  PageSeeds(corpus);
  SettingsSeeds(corpus);
  HotKeySeeds(corpus);
  UserNameSeeds(corpus);
  return 0;
}
