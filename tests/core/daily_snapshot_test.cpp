#include "launch/daily_snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "error.h"
#include "storage/paths.h"
#include "support.h"

using core::FileCopy;
using core::FolderEntry;
using testing_support::TempFolder;

namespace {

FolderEntry Folder(const std::string& name) { return {name, true}; }
FolderEntry File(const std::string& name) { return {name, false}; }

std::vector<std::string> Names(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name + (e.folder ? "/" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

constexpr core::LocalTime kToday{2026, 12, 8, 9, 30, 0};

// A program folder: zubi.exe, its settings file and DATA.
struct ProgramFolder {
  ProgramFolder() {
    folder.Write("zubi.ini", "[Setting]\r\nLeft=100\r\n");
    folder.Write("DATA/User11.dat", "[PageTitle]\r\nPageTitle=one\r\n");
    folder.Write("DATA/User12.dat", "[PageTitle]\r\nPageTitle=two\r\n");
  }
  bool Take() { return core::TakeDailySnapshot(files, folder.Path("zubi.exe"), kToday); }
  std::vector<std::string> Backup(const std::string& name = "") const {
    return Names(files.ListFolder(folder.Path(name.empty() ? "BACKUP" : "BACKUP/" + name)));
  }
  void OldSnapshot(const std::string& name) const { folder.Write("BACKUP/" + name + "/zubi.ini", "old " + name); }

  TempFolder folder;
  core::PosixFileSystem files;
};

// Writes fail for paths that contain `failing`.
class FailingWrites : public core::PosixFileSystem {
 public:
  explicit FailingWrites(std::string failing) : failing_(std::move(failing)) {}
  bool WriteWhole(const std::string& path, std::string_view bytes) override {
    if (path.find(failing_) != std::string::npos) return false;
    return PosixFileSystem::WriteWhole(path, bytes);
  }

 private:
  std::string failing_;
};

}  // namespace

TEST(DailySnapshot, FoldersAreNamedByTheDayAndOnlyEightDigitsAreSnapshots) {
  EXPECT_EQ(core::SnapshotName({2026, 12, 8}), "20261208");
  EXPECT_EQ(core::SnapshotName({2027, 1, 31, 23, 59, 59}), "20270131");
  EXPECT_EQ(core::SnapshotName({999, 3, 4}), "09990304");
  const std::pair<const char*, bool> names[] = {
      {"20261208", true},   {"00000000", true},   {"2026120", false},          {"202612080", false},
      {"2026-12-8", false}, {"2026120a", false},  {"abcdefgh", false},         {"", false},
      {" 20261208", false}, {"20261208 ", false}, {"２０２６１２０８", false}, {"2026.1208", false},
  };
  for (auto [name, snapshot] : names) EXPECT_EQ(core::IsSnapshotName(name), snapshot) << '"' << name << '"';
}

TEST(DailySnapshot, RotationKeepsTheSevenNewestAndNeverTouchesAnythingElse) {
  struct Case {
    const char* what;
    std::vector<FolderEntry> entries;
    std::vector<std::string> removed;
  };
  const Case cases[] = {
      {"an empty BACKUP", {}, {}},
      {"six older and today's make seven",
       {Folder("20261207"), Folder("20261206"), Folder("20261205"), Folder("20261204"), Folder("20261203"),
        Folder("20261202")},
       {}},
      {"seven older: the oldest goes",
       {Folder("20261201"), Folder("20261207"), Folder("20261206"), Folder("20261205"), Folder("20261204"),
        Folder("20261203"), Folder("20261202")},
       {"20261201"}},
      {"ten older, across years, in any order",
       {Folder("20251231"), Folder("20260101"), Folder("20261130"), Folder("20261201"), Folder("20261202"),
        Folder("20261203"), Folder("20261204"), Folder("20261205"), Folder("20240229"), Folder("20261206")},
       {"20261130", "20260101", "20251231", "20240229"}},
      {"other names, files and near misses stay whatever their age",
       {Folder("notes"), Folder("1999-01-01"), Folder("199901011"), Folder("1999010"), File("19990101"),
        Folder("19990101.old"), Folder("20261201"), Folder("20261202"), Folder("20261203"), Folder("20261204"),
        Folder("20261205"), Folder("20261206"), Folder("20261207"), Folder("19990101")},
       {"20261201", "19990101"}},
      {"today's already there counts once",
       {Folder("20261208"), Folder("20261201"), Folder("20261202"), Folder("20261203"), Folder("20261204"),
        Folder("20261205"), Folder("20261206"), Folder("20261207")},
       {"20261201"}},
      // A clock once set ahead leaves a later date: it is the newest while it is kept.
      {"a date after today",
       {Folder("20990101"), Folder("20261202"), Folder("20261203"), Folder("20261204"), Folder("20261205"),
        Folder("20261206"), Folder("20261207")},
       {"20261202"}},
  };
  for (const Case& c : cases) EXPECT_EQ(core::SnapshotsToRemove(c.entries, "20261208"), c.removed) << c.what;
}

TEST(DailySnapshot, ThePlanCopiesTheSettingsAndEveryDataFileOnlyOnTheDaysFirstStart) {
  core::SnapshotSources s;
  s.backupFolder = "/p/BACKUP";
  s.today = "20261208";
  s.settingsPath = "/p/zubi.ini";
  s.dataFolder = "/p/DATA";
  s.dataEntries = {File("User12.dat"), File("notes.txt"), File("User11.dat"),          Folder("old.dat"),
                   File("Ken3.DAT"),   File(".dat"),      File("User11.dat.zubi-new"), File("dat")};
  s.backupEntries = {Folder("20261207"), File("20261208.txt")};

  auto plan = core::PlanSnapshot(s);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->backupFolder, "/p/BACKUP");
  EXPECT_EQ(plan->folder, "/p/BACKUP/20261208");
  EXPECT_EQ(plan->copies, (std::vector<FileCopy>{{"/p/zubi.ini", "/p/BACKUP/20261208/zubi.ini"},
                                                 {"/p/DATA/.dat", "/p/BACKUP/20261208/.dat"},
                                                 {"/p/DATA/Ken3.DAT", "/p/BACKUP/20261208/Ken3.DAT"},
                                                 {"/p/DATA/User11.dat", "/p/BACKUP/20261208/User11.dat"},
                                                 {"/p/DATA/User12.dat", "/p/BACKUP/20261208/User12.dat"}}));
  EXPECT_TRUE(plan->removals.empty());

  // Without a settings file there are only the pages; the removals carry full paths.
  s.settingsPath.clear();
  s.dataEntries = {File("a.dat")};
  for (int day = 1; day <= 8; ++day) s.backupEntries.push_back(Folder("2026110" + std::to_string(day)));
  plan = core::PlanSnapshot(s);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->copies, (std::vector<FileCopy>{{"/p/DATA/a.dat", "/p/BACKUP/20261208/a.dat"}}));
  EXPECT_EQ(plan->removals,
            (std::vector<std::string>{"/p/BACKUP/20261103", "/p/BACKUP/20261102", "/p/BACKUP/20261101"}));

  // The day's folder there already: the day has its snapshot.
  s.backupEntries.push_back(Folder("20261208"));
  EXPECT_FALSE(core::PlanSnapshot(s));
}

// A snapshot stopped part way (the program quits) leaves nothing that looks like the
// day's; the next start of the day takes it whole.
TEST(DailySnapshot, TheFirstStartOfADayCopiesTheFilesAndLaterStartsLeaveThem) {
  ProgramFolder p;
  p.folder.Write("DATA/notes.txt", "not a page");
  p.folder.Write("DATA/sub/User13.dat", "in a folder of DATA");
  int copied = 0;
  EXPECT_FALSE(core::TakeDailySnapshot(p.files, p.folder.Path("zubi.exe"), kToday, [&] { return ++copied > 1; }));
  EXPECT_EQ(p.Backup(), std::vector<std::string>{"20261208.partial/"});
  ASSERT_TRUE(p.Take());
  EXPECT_EQ(p.Backup(), std::vector<std::string>{"20261208/"});
  EXPECT_EQ(p.Backup("20261208"), (std::vector<std::string>{"User11.dat", "User12.dat", "zubi.ini"}));
  for (const char* name : {"zubi.ini", "DATA/User11.dat", "DATA/User12.dat"})
    EXPECT_EQ(p.folder.Read("BACKUP/20261208/" + core::NameOf(name)), p.folder.Read(name)) << name;

  // A later start on the same day copies nothing again.
  p.folder.Write("DATA/User11.dat", "changed later that day");
  EXPECT_FALSE(p.Take());
  EXPECT_EQ(p.folder.Read("BACKUP/20261208/User11.dat"), "[PageTitle]\r\nPageTitle=one\r\n");
  EXPECT_EQ(p.Backup("20261208").size(), 3u);

  // Nor does it read DATA, which may hold hundreds of pages.
  struct CountingLists : core::PosixFileSystem {
    std::vector<core::FolderEntry> ListFolder(const std::string& path) const override {
      listed.push_back(core::NameOf(path));
      return PosixFileSystem::ListFolder(path);
    }
    mutable std::vector<std::string> listed;
  } counting;
  EXPECT_FALSE(core::TakeDailySnapshot(counting, p.folder.Path("zubi.exe"), kToday));
  EXPECT_EQ(counting.listed, std::vector<std::string>{"BACKUP"});

  // Nothing beside the program is touched: its own files are read, not moved.
  EXPECT_EQ(p.folder.Read("DATA/User11.dat"), "changed later that day");
  EXPECT_TRUE(p.folder.Exists("DATA/sub/User13.dat"));
}

TEST(DailySnapshot, OlderSnapshotsBeyondSevenAreRemovedAndOtherThingsInBackupStay) {
  ProgramFolder p;
  for (int day = 1; day <= 7; ++day) p.OldSnapshot("2026110" + std::to_string(day));
  p.folder.Write("BACKUP/mine/keep.txt", "the user's own");
  p.folder.Write("BACKUP/19990101.txt", "a file, not a folder");
  p.folder.Write("BACKUP/1999-01-01/zubi.ini", "not eight digits");
  // An old snapshot folder in which the user put a folder of their own stays whole.
  p.OldSnapshot("19990102");
  p.folder.Write("BACKUP/19990102/photos/a.jpg", "x");
  ASSERT_TRUE(p.Take());
  EXPECT_EQ(p.Backup(),
            (std::vector<std::string>{"1999-01-01/", "19990101.txt", "19990102/", "20261102/", "20261103/", "20261104/",
                                      "20261105/", "20261106/", "20261107/", "20261208/", "mine/"}));
  EXPECT_EQ(p.Backup("19990102"), (std::vector<std::string>{"photos/", "zubi.ini"}));
  EXPECT_EQ(p.folder.Read("BACKUP/20261107/zubi.ini"), "old 20261107");
}

TEST(DailySnapshot, AFailureNamesTheFileKeepsTheOldSnapshotsAndIsTriedAgainNextStart) {
  ProgramFolder p;
  for (int day = 1; day <= 7; ++day) p.OldSnapshot("2026110" + std::to_string(day));
  FailingWrites failing("User12.dat");
  try {
    core::TakeDailySnapshot(failing, p.folder.Path("zubi.exe"), kToday);
    ADD_FAILURE() << "the failure is reported";
  } catch (const core::Error& e) {
    EXPECT_EQ(std::string(e.what()), "ファイル " + p.folder.Path("BACKUP/20261208/User12.dat") + " を作成できません");
  }
  EXPECT_FALSE(p.folder.Exists("BACKUP/20261208")) << "a half snapshot is taken away";
  EXPECT_TRUE(p.folder.Exists("BACKUP/20261101/zubi.ini")) << "the oldest is kept while today's failed";
  EXPECT_TRUE(p.folder.Exists("DATA/User12.dat"));

  ASSERT_TRUE(p.Take()) << "the next start of the day tries again";
  EXPECT_EQ(p.Backup("20261208").size(), 3u);
  EXPECT_FALSE(p.folder.Exists("BACKUP/20261101"));
}

TEST(DailySnapshot, ABackupThatIsAFileIsReportedByItsPath) {
  ProgramFolder p;
  p.folder.Write("BACKUP", "a file stands in the way");
  try {
    p.Take();
    ADD_FAILURE() << "the failure is reported";
  } catch (const core::Error& e) {
    EXPECT_EQ(std::string(e.what()), "ファイル " + p.folder.Path("BACKUP") + " を作成できません");
  }
  EXPECT_EQ(p.folder.Read("BACKUP"), "a file stands in the way");
}

TEST(DailySnapshot, ProgramWithoutSettingsOrDataStillGetsItsFolder) {
  TempFolder folder;
  core::PosixFileSystem files;
  ASSERT_TRUE(core::TakeDailySnapshot(files, folder.Path("zubi.exe"), kToday));
  EXPECT_TRUE(files.FolderExists(folder.Path("BACKUP/20261208")));
  EXPECT_TRUE(files.ListFolder(folder.Path("BACKUP/20261208")).empty());
  EXPECT_FALSE(core::TakeDailySnapshot(files, folder.Path("zubi.exe"), kToday));
}
