#include "store_versions.h"

namespace endurance {
namespace {

struct Button {
  const char* path;
  const char* title;
  const char* folder;
  const char* option;
  int iconNo;
};

// Two pages as users fill them: programs, documents and folders, Japanese titles.
constexpr Button kPageButtons[2][10] = {
    {
        {"C:\\Windows\\notepad.exe", "メモ帳", "C:\\Windows", "", 0},
        {"C:\\Windows\\system32\\calc.exe", "電卓", "C:\\Windows\\system32", "", 0},
        {"C:\\Users\\yamada\\Documents\\見積書.txt", "見積書", "C:\\Users\\yamada\\Documents", "", 0},
        {"C:\\Program Files\\Tools\\editor.exe", "ｴﾃﾞｨﾀ", "C:\\Program Files\\Tools", "/n", 2},
        {"C:\\Users\\yamada\\Desktop", "ﾃﾞｽｸﾄｯﾌﾟ", "", "", 0},
        {"", "", "", "", 0},
        {"", "", "", "", 0},
        {"C:\\Windows\\regedit.exe", "ﾚｼﾞｽﾄﾘ", "C:\\Windows", "", 0},
        {"", "", "", "", 0},
        {"", "", "", "", 0},
    },
    {
        {"C:\\Program Files\\Office\\Root\\Office16\\WINWORD.EXE", "文書作成", "C:\\Users\\yamada\\Documents\\報告書",
         "/q", 0},
        {"C:\\Program Files\\Office\\Root\\Office16\\EXCEL.EXE", "表計算", "C:\\Users\\yamada\\Documents\\集計", "", 1},
        {"\\\\server\\share\\部署\\2024年度\\予算案.xlsx", "予算案", "\\\\server\\share\\部署\\2024年度", "", 0},
        {"C:\\Users\\yamada\\Pictures", "写真", "", "", 3},
        {"C:\\Program Files (x86)\\Mail\\mail.exe", "ﾒｰﾙ", "C:\\Program Files (x86)\\Mail", "-check -quiet", 0},
        {"C:\\Windows\\explorer.exe", "ｴｸｽﾌﾟﾛｰﾗ", "C:\\Windows", "/e,C:\\", 0},
        {"C:\\Tools\\backup.bat", "ﾊﾞｯｸｱｯﾌﾟ", "C:\\Tools", "D:\\backup", 0},
        {"C:\\Users\\yamada\\Documents\\議事録\\定例会議.doc", "議事録", "", "", 0},
        {"C:\\Windows\\system32\\mspaint.exe", "ペイント", "C:\\Windows\\system32", "", 0},
        {"C:\\Windows\\system32\\cmd.exe", "ｺﾏﾝﾄﾞ", "C:\\Users\\yamada", "/k cd \\", 0},
    },
};

}  // namespace

core::IniImage SettingsVersion(int version) {
  core::IniImage ini;
  ini.WriteInteger("Setting", "Left", version ? 812 : 100);
  ini.WriteInteger("Setting", "Top", version ? 40 : 100);
  ini.WriteInteger("Setting", "UserNo", version ? 3 : 1);
  const char* names[] = {"山田", "ｹﾞｽﾄ", "経理部", "鈴木 一郎", "開発", "共有"};
  const int users = version ? 6 : 3;
  for (int n = 1; n <= users; ++n) ini.WriteString("User", "User" + std::to_string(n), names[n - 1]);
  for (int n = 1; n <= users; ++n) {
    const std::string s = "User" + std::to_string(n);
    ini.WriteInteger(s, "PageNo", version ? n + 4 : 1);
    ini.WriteInteger(s, "PageNoControl", version ? 20 + n : 10);
    ini.WriteString(s, "ToDir",
                    version ? "D:\\バックアップ\\" + std::string(names[n - 1]) : "C:\\Users\\yamada\\Desktop");
    ini.WriteInteger(s, "Mouse", version);
    ini.WriteInteger(s, "Tray", 1);
    ini.WriteInteger(s, "Hot", 1);
    ini.WriteInteger(s, "Shift", 0);
    ini.WriteInteger(s, "Ctrl", version);
    ini.WriteInteger(s, "Alt", 1);
    ini.WriteString(s, "HotKey", version ? "Ctrl+Alt+Z" : "Alt+A");
    ini.WriteInteger(s, "Key", version ? 65 : 40);
    ini.WriteInteger(s, "FormColor", version ? n : 0);
    ini.WriteBool(s, "BtnClk", version != 0);
    ini.WriteBool(s, "TitleDbClk", true);
    ini.WriteBool(s, "Sound", false);
  }
  return ini;
}

core::IniImage PageVersion(int version) {
  core::IniImage ini;
  ini.WriteString("PageTitle", "PageTitle", version ? "仕事用のﾍﾟｰｼﾞ（2024年度）" : "ツール");
  for (int k = 1; k <= 10; ++k) {
    const Button& b = kPageButtons[version][k - 1];
    const std::string s = "Button" + std::to_string(k);
    ini.WriteString(s, "ProgPath", b.path);
    if (*b.title) ini.WriteString(s, "ProgTitle", b.title);
    if (*b.folder) ini.WriteString(s, "ProgDir", b.folder);
    if (*b.option) ini.WriteString(s, "ProgOption", b.option);
    if (b.iconNo) {
      ini.WriteString(s, "IconPath", b.path);
      ini.WriteInteger(s, "IconNo", b.iconNo);
    }
    if (version && k % 3 == 0) ini.WriteString(s, "IsIconSmall", "1");
  }
  return ini;
}

core::IniImage Version(Target target, int version) {
  return target == kSettings ? SettingsVersion(version) : PageVersion(version);
}

std::string BytesOf(const core::IniImage& image, const core::CodePage& codePage) {
  return core::EncodeText(image.Serialize(), codePage);
}

}  // namespace endurance
