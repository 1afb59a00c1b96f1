#include <gtest/gtest.h>

#include "launch_button/target_path.h"
#include "support.h"

using core::CheckTime;
using core::DriveKind;
using core::PathForm;
using testing_support::FakeEnvironment;
using testing_support::FakeProbe;

namespace {

// The program in F:\Zubi on a fixed drive; what lies where, as the cases need it.
struct Places {
  FakeEnvironment environment;
  FakeProbe probe;
  explicit Places(std::string exe = "F:\\Zubi\\zubi.exe") {
    environment.exePath = std::move(exe);
    environment.currentDirectory = "F:\\Zubi";
    environment.variables = {{"ZUBI_DIR", "F:\\Zubi"}, {"TOOLS", "..\\Tools"}, {"SITE", "https://example.org/"}};
    probe.drives = {{'C', DriveKind::kFixed},     {'F', DriveKind::kFixed},   {'G', DriveKind::kFixed},
                    {'E', DriveKind::kRemovable}, {'N', DriveKind::kNetwork}, {'R', DriveKind::kRamDisk},
                    {'D', DriveKind::kOptical},   {'U', DriveKind::kUnknown}};
    probe.present = {"F:\\Zubi\\Apps\\x.exe",
                     "F:\\Tools\\y.exe",
                     "F:\\Zubi\\z.exe",
                     "F:\\Apps\\old.exe",
                     "G:\\Apps\\old.exe",
                     "F:\\Zubi\\Apps",
                     "\\\\srv\\share\\tool.exe",
                     "C:\\Work\\tool.exe",
                     "F:\\Zubi\\tool.exe",
                     "\\\\srv\\share\\Zubi\\Apps\\x.exe",
                     "\\\\srv\\share\\Apps\\old.exe",
                     "F:\\Apps\\x.exe",
                     "F:\\Docs"};
  }
  core::PathPorts Ports() const { return {environment, probe}; }
};

}  // namespace

TEST(TargetPath, VariablesExpandAsWindowsExpandsThem) {
  const std::map<std::string, std::string> set = {
      {"A", "a"}, {"B", "b"}, {"EMPTY", ""}, {"NEST", "%A%"}, {"Zubi_Dir", "F:\\Zubi"}};
  auto lookup = [&set](const std::string& name) -> std::optional<std::string> {
    for (const auto& [key, value] : set)  // names ignore letter case, as the system's do
      if (std::equal(key.begin(), key.end(), name.begin(), name.end(),
                     [](char x, char y) { return std::tolower(x) == std::tolower(y); }))
        return value;
    return std::nullopt;
  };
  const struct {
    const char* text;
    const char* expanded;
  } cases[] = {
      {"%ZUBI_DIR%\\Apps\\x.exe", "F:\\Zubi\\Apps\\x.exe"},
      {"%A%%B%", "ab"},
      {"x%A%y%B%z", "xaybz"},
      {"%NOPE%\\x.exe", "%NOPE%\\x.exe"},  // not set: stays as written
      {"%NOPE%B%", "%NOPE%B%"},            // both "%" of the unknown name are used up
      {"%%", "%%"},
      {"%%A%", "%%A%"},
      {"100%", "100%"},
      {"%A", "%A"},
      {"a%b", "a%b"},
      {"%EMPTY%x", "x"},
      {"%NEST%", "%A%"},  // a value is not expanded again
      {"", ""},
      {"plain", "plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ExpandVariables(c.text, lookup), c.expanded) << c.text;
}

// What a stored text names, what a start as administrator may take, and the title and
// folder a new button takes from it.
TEST(TargetPath, FormsKindsAndProgramFolders) {
  using core::TargetKind;
  const struct {
    const char* stored;
    TargetKind kind;
    bool elevates;
    const char* title;
    const char* directory;
  } kinds[] = {
      {"C:\\Apps\\edit.exe", TargetKind::kFile, true, "edit", "C:\\Apps"},
      {"C:", TargetKind::kFile, true, "", "C:"},
      {"c:x.exe", TargetKind::kFile, true, "x", "c:"},
      {"notepad.exe", TargetKind::kFile, true, "notepad", ""},
      {"%SITE%", TargetKind::kFile, true, "%SITE%", ""},  // what it expands to is not looked at
      {"Apps\\a:b", TargetKind::kFile, true, "b", "Apps\\a:"},
      {"a_b:c", TargetKind::kFile, true, "c", "a_b:"},
      {"C:\\Links\\site.URL", TargetKind::kFile, false, "site", "C:\\Links"},
      {"https://user@example.com:8080/x?y", TargetKind::kAddress, false, "example.com", ""},
      {"http://[::1]:80/", TargetKind::kAddress, false, "[::1]", ""},
      {"steam://rungameid/440", TargetKind::kAddress, false, "steam://rungameid/440", ""},
      {"http://localhost:8080", TargetKind::kAddress, false, "localhost", ""},
      {"ms-settings:display", TargetKind::kAddress, false, "ms-settings:display", ""},
      {"mailto:me@example.org", TargetKind::kAddress, false, "mailto:me@example.org", ""},
      {"x-y.z+1:%ZUBI_DIR%", TargetKind::kAddress, false, "x-y.z+1:%ZUBI_DIR%", ""},
      {"file:///C:/x.exe", TargetKind::kAddress, false, "file:///C:/x.exe", ""},
      {"shell:Personal", TargetKind::kShellName, true, "Documents", ""},
      {"SHELL:RecycleBinFolder", TargetKind::kShellName, true, "SHELL:RecycleBinFolder", ""},  // no display name
      {"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", TargetKind::kShellName, false, "Calculator",
       ""},
      {"shell:AppsFolder\\{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}\\cmd.exe", TargetKind::kShellName, true,
       "shell:AppsFolder\\{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}\\cmd.exe", ""},
      {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", TargetKind::kShellName, true, "Computer", ""},
  };
  const std::map<std::string, std::string> displayNames = {
      {"shell:Personal", "Documents"},
      {"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", "Calculator"},
      {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "Computer"}};
  auto displayName = [&displayNames](const std::string& name) {
    auto it = displayNames.find(name);
    return it == displayNames.end() ? std::string() : it->second;
  };
  for (const auto& k : kinds) {
    EXPECT_EQ(core::KindOfTarget(k.stored), k.kind) << k.stored;
    EXPECT_EQ(core::CanStartElevated(k.stored), k.elevates) << k.stored;
    EXPECT_EQ(core::NamesOfNewButton(k.stored, displayName), (core::NewButtonNames{k.title, k.directory})) << k.stored;
  }

  const struct {
    const char* path;
    PathForm form;
  } forms[] = {
      {"", PathForm::kEmpty},
      {"notepad.exe", PathForm::kBareName},
      {"Apps", PathForm::kBareName},
      {"Apps\\x.exe", PathForm::kRelative},
      {"Apps/x.exe", PathForm::kRelative},
      {"..\\Tools\\y.exe", PathForm::kRelative},
      {".\\z.exe", PathForm::kRelative},
      {".", PathForm::kRelative},
      {"..", PathForm::kRelative},
      {"\\Apps\\x.exe", PathForm::kRooted},
      {"C:\\Apps\\x.exe", PathForm::kDrive},
      {"c:/Apps", PathForm::kDrive},
      {"C:\\", PathForm::kDrive},
      {"C:x.exe", PathForm::kOther},
      {"C:", PathForm::kOther},
      {"\\\\srv\\share\\x.exe", PathForm::kUnc},
      {"//srv/share", PathForm::kUnc},
      {"\\\\?\\C:\\x.exe", PathForm::kUnc},
      {"https://example.org/a\\b", PathForm::kOther},
      {"mailto:me@example.org", PathForm::kOther},
      {"shell:Downloads", PathForm::kOther},
      {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", PathForm::kOther},
  };
  for (const auto& f : forms) EXPECT_EQ(core::FormOfPath(f.path), f.form) << f.path;

  EXPECT_EQ(core::ProgramFolderOf("F:\\Zubi\\zubi.exe"), "F:\\Zubi");
  EXPECT_EQ(core::ProgramFolderOf("F:\\zubi.exe"), "F:");
  EXPECT_EQ(core::ProgramFolderOf("\\\\srv\\share\\Zubi\\zubi.exe"), "\\\\srv\\share\\Zubi");
  EXPECT_EQ(core::ProgramFolderOf("zubi.exe"), "");
}

TEST(TargetPath, StoredPathsLeadWhereTheirFilesAre) {
  Places places;
  const struct {
    const char* stored;
    const char* resolved;
  } cases[] = {
      // Variables.
      {"%ZUBI_DIR%\\Apps\\x.exe", "F:\\Zubi\\Apps\\x.exe"},
      {"%TOOLS%\\y.exe", "F:\\Tools\\y.exe"},  // a variable may hold a relative path
      {"%SITE%", "https://example.org/"},
      {"%NOPE%\\x.exe", "%NOPE%\\x.exe"},
      // Relative forms, from the program's folder, not the current one.
      {"Apps\\x.exe", "F:\\Zubi\\Apps\\x.exe"},
      {"Apps/x.exe", "F:\\Zubi\\Apps\\x.exe"},
      {"..\\Tools\\y.exe", "F:\\Tools\\y.exe"},
      {"..\\..\\..\\Tools\\y.exe", "F:\\Tools\\y.exe"},  // never above the drive's root
      {".\\z.exe", "F:\\Zubi\\z.exe"},
      {".\\Apps\\.\\..\\Apps\\x.exe", "F:\\Zubi\\Apps\\x.exe"},
      {"\\Apps\\old.exe", "F:\\Apps\\old.exe"},
      {"Apps\\missing.exe", "Apps\\missing.exe"},  // found nowhere: left as it is
      // Bare names: the program's folder when the file is there, else the shell's PATH.
      {"z.exe", "F:\\Zubi\\z.exe"},
      {"Apps", "F:\\Zubi\\Apps"},
      {"notepad.exe", "notepad.exe"},
      // A drive that is gone, or lacks the file: the program's own drive when it has it.
      {"E:\\Apps\\old.exe", "F:\\Apps\\old.exe"},
      {"A:\\Apps\\old.exe", "F:\\Apps\\old.exe"},
      {"e:\\Apps\\old.exe", "F:\\Apps\\old.exe"},
      {"G:\\Apps\\old.exe", "G:\\Apps\\old.exe"},  // there already
      {"F:\\Apps\\old.exe", "F:\\Apps\\old.exe"},
      {"E:\\Apps\\gone.exe", "E:\\Apps\\gone.exe"},
      {"F:\\Apps\\gone.exe", "F:\\Apps\\gone.exe"},
      // UNC paths are never rewritten to a drive, even when the drive has the file.
      {"\\\\srv\\share\\tool.exe", "\\\\srv\\share\\tool.exe"},
      {"\\\\other\\share\\Apps\\old.exe", "\\\\other\\share\\Apps\\old.exe"},
      // What only the shell knows stays as it is.
      {"https://example.org/x", "https://example.org/x"},
      {"shell:Downloads", "shell:Downloads"},
      {"C:x.exe", "C:x.exe"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ResolvePath(c.stored, places.Ports()), c.resolved) << c.stored;

  // Nothing is looked at for an address or a shell name.
  places.probe.looked.clear();
  for (const char* shellOnly : {"https://example.org/x", "mailto:a@b", "shell:Downloads", "::{X}", "C:x", ""})
    core::ResolvePath(shellOnly, places.Ports());
  EXPECT_TRUE(places.probe.looked.empty());
}

TEST(TargetPath, ProgramsAtADriveRootOrOnAShareAnchorTheirOwnPaths) {
  Places root("F:\\zubi.exe");
  EXPECT_EQ(core::ResolvePath("Apps\\x.exe", root.Ports()), "F:\\Apps\\x.exe");
  EXPECT_EQ(core::ResolvePath("..\\Apps\\x.exe", root.Ports()), "F:\\Apps\\x.exe");
  EXPECT_EQ(core::ResolvePath("Docs", root.Ports()), "F:\\Docs");

  Places share("\\\\srv\\share\\Zubi\\zubi.exe");
  EXPECT_EQ(core::ResolvePath("Apps\\x.exe", share.Ports()), "\\\\srv\\share\\Zubi\\Apps\\x.exe");
  EXPECT_EQ(core::ResolvePath("\\Apps\\old.exe", share.Ports()), "\\\\srv\\share\\Apps\\old.exe");
  // A program on a share has no drive to offer a missing one.
  EXPECT_EQ(core::ResolvePath("E:\\Apps\\old.exe", share.Ports()), "E:\\Apps\\old.exe");
}

TEST(TargetPath, AStartLooksForABareNameInItsWorkingFolderFirst) {
  Places places;
  using core::StartPaths;
  // The working folder holds it: the shell finds it there, as it always did.
  EXPECT_EQ(core::ResolveStart("tool.exe", "C:\\Work", places.Ports()), (StartPaths{"tool.exe", "C:\\Work"}));
  // A relative working folder is the program's; a bare name there wins over the program's folder.
  EXPECT_EQ(core::ResolveStart("x.exe", "Apps", places.Ports()), (StartPaths{"x.exe", "F:\\Zubi\\Apps"}));
  // Elsewhere the program's folder.
  EXPECT_EQ(core::ResolveStart("tool.exe", "C:\\Other", places.Ports()),
            (StartPaths{"F:\\Zubi\\tool.exe", "C:\\Other"}));
  // The stick moved from E: to F:: its working folder moves with it.
  EXPECT_EQ(core::ResolveStart("E:\\Apps\\old.exe", "E:\\Apps", places.Ports()),
            (StartPaths{"F:\\Apps\\old.exe", "F:\\Apps"}));
  // Without a working folder the launcher's current folder is the one the shell uses.
  places.environment.currentDirectory = "C:\\Work";
  EXPECT_EQ(core::ResolveStart("tool.exe", "", places.Ports()), (StartPaths{"tool.exe", ""}));
  places.environment.currentDirectory = "C:\\Other";
  EXPECT_EQ(core::ResolveStart("tool.exe", "", places.Ports()), (StartPaths{"F:\\Zubi\\tool.exe", ""}));
  // An address goes to the shell as stored, its variables unexpanded; its folder is a path.
  EXPECT_EQ(core::ResolveStart("x-app:%ZUBI_DIR%/a", "Apps", places.Ports()),
            (StartPaths{"x-app:%ZUBI_DIR%/a", "F:\\Zubi\\Apps"}));
}

TEST(TargetPath, OnlyFilePathsAreCheckedAndSlowDrivesAwayFromTheWindow) {
  for (auto [kind, quick] : {std::pair{DriveKind::kFixed, true},
                             {DriveKind::kRamDisk, true},
                             {DriveKind::kAbsent, true},
                             {DriveKind::kRemovable, false},
                             {DriveKind::kOptical, false},
                             {DriveKind::kNetwork, false},
                             {DriveKind::kUnknown, false}})
    EXPECT_EQ(core::IsQuickDrive(kind), quick) << static_cast<int>(kind);

  const struct {
    const char* exe;
    const char* stored;
    CheckTime when;
    bool missing;
  } cases[] = {
      {"F:\\Zubi\\zubi.exe", "C:\\Work\\tool.exe", CheckTime::kNow, false},
      {"F:\\Zubi\\zubi.exe", "C:\\Work\\gone.exe", CheckTime::kNow, true},
      {"F:\\Zubi\\zubi.exe", "F:\\Docs", CheckTime::kNow, false},  // a folder counts
      {"F:\\Zubi\\zubi.exe", "R:\\x.exe", CheckTime::kNow, true},
      {"F:\\Zubi\\zubi.exe", "A:\\Apps\\old.exe", CheckTime::kNow, false},  // gone, but on F:
      {"F:\\Zubi\\zubi.exe", "E:\\Apps\\old.exe", CheckTime::kAway, false},
      {"F:\\Zubi\\zubi.exe", "E:\\Apps\\gone.exe", CheckTime::kAway, true},
      {"F:\\Zubi\\zubi.exe", "N:\\x.exe", CheckTime::kAway, true},
      {"F:\\Zubi\\zubi.exe", "D:\\setup.exe", CheckTime::kAway, true},
      {"F:\\Zubi\\zubi.exe", "U:\\x.exe", CheckTime::kAway, true},
      {"F:\\Zubi\\zubi.exe", "\\\\srv\\share\\tool.exe", CheckTime::kAway, false},
      {"F:\\Zubi\\zubi.exe", "\\\\srv\\share\\gone.exe", CheckTime::kAway, true},
      {"F:\\Zubi\\zubi.exe", "%ZUBI_DIR%\\Apps\\x.exe", CheckTime::kNow, false},
      {"F:\\Zubi\\zubi.exe", "Apps\\x.exe", CheckTime::kNow, false},
      {"F:\\Zubi\\zubi.exe", "Apps\\gone.exe", CheckTime::kNow, true},
      {"F:\\Zubi\\zubi.exe", "%NOPE%\\x.exe", CheckTime::kNow, true},
      {"F:\\Zubi\\zubi.exe", "notepad.exe", CheckTime::kNever, false},  // the shell may find it
      {"F:\\Zubi\\zubi.exe", "https://example.org/", CheckTime::kNever, false},
      {"F:\\Zubi\\zubi.exe", "%SITE%", CheckTime::kNever, false},
      {"F:\\Zubi\\zubi.exe", "C:gone.exe", CheckTime::kNever, false},
      {"F:\\Zubi\\zubi.exe", "", CheckTime::kNever, false},
      {"F:\\Zubi\\zubi.exe", "ms-settings:display", CheckTime::kNever, false},
      {"F:\\Zubi\\zubi.exe", "shell:Personal", CheckTime::kNever, false},
      // A packaged app is dimmed once the shell no longer knows it (uninstalled).
      {"F:\\Zubi\\zubi.exe", "shell:AppsFolder\\Calc_8wekyb3d8bbwe!App", CheckTime::kAway, false},
      {"F:\\Zubi\\zubi.exe", "shell:AppsFolder\\Gone_8wekyb3d8bbwe!App", CheckTime::kAway, true},
      // Run from a stick: its own drive is slow, and so is every path that may fall back on it.
      {"E:\\Zubi\\zubi.exe", "Apps\\x.exe", CheckTime::kAway, true},
      {"E:\\Zubi\\zubi.exe", "C:\\Work\\tool.exe", CheckTime::kAway, false},
      {"E:\\Zubi\\zubi.exe", "E:\\Apps\\gone.exe", CheckTime::kAway, true},
      {"\\\\srv\\share\\Zubi\\zubi.exe", "Apps\\x.exe", CheckTime::kAway, false},
      {"\\\\srv\\share\\Zubi\\zubi.exe", "C:\\Work\\tool.exe", CheckTime::kNow, false},
  };
  for (const auto& c : cases) {
    Places places(c.exe);
    places.probe.shellItems = {"shell:AppsFolder\\Calc_8wekyb3d8bbwe!App"};
    core::TargetCheck check = core::PlanTargetCheck(c.stored, places.Ports());
    EXPECT_EQ(check.when, c.when) << c.exe << " " << c.stored;
    EXPECT_EQ(core::TargetMissing(check, places.probe), c.missing) << c.exe << " " << c.stored;
  }
}
