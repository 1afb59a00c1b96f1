#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/environment.h"
#include "storage/file_system.h"

namespace core {

// Once a day the settings file and the page data files are copied into
// BACKUP\yyyymmdd beside the program; the newest seven such folders are kept.
inline constexpr char kBackupFolderName[] = "BACKUP";
inline constexpr int kSnapshotsKept = 7;

// The folder name of a day's snapshot: "yyyymmdd".
std::string SnapshotName(const LocalTime& day);
// Exactly eight ASCII digits: the only names the rotation ever removes.
bool IsSnapshotName(std::string_view name);

// What a day's snapshot finds on disk.
struct SnapshotSources {
  std::string backupFolder;  // BACKUP beside the program
  std::string today;         // the day's snapshot name
  std::vector<FolderEntry> backupEntries;
  std::string settingsPath;  // empty when there is no settings file
  std::string dataFolder;
  std::vector<FolderEntry> dataEntries;
};

struct FileCopy {
  std::string from, to;
  friend bool operator==(const FileCopy&, const FileCopy&) = default;
};

// In this order: BACKUP (when missing) and a folder beside the day's are made, each
// file is copied into it, it takes the day's name once whole, then the older snapshot
// folders are removed.
struct SnapshotPlan {
  std::string backupFolder;
  std::string folder;
  std::vector<FileCopy> copies;
  std::vector<std::string> removals;
};

// Whether BACKUP holds the folder of the day named `today`.
bool HasSnapshotOf(const std::vector<FolderEntry>& backupEntries, const std::string& today);

// The snapshot of a day that has none yet: the settings file and every ".dat" file of
// DATA (letter case ignored, folders not entered). Nothing when the day's folder
// exists already: the first start of a day takes it.
std::optional<SnapshotPlan> PlanSnapshot(const SnapshotSources& sources);

// The snapshot folders of BACKUP to remove so that the `kept` newest remain, the day's
// own counted; newest is the latest date, which eight digits sort as text.
std::vector<std::string> SnapshotsToRemove(const std::vector<FolderEntry>& backupEntries, const std::string& today,
                                           int kept = kSnapshotsKept);

// Asked between files: true when the program is quitting and the snapshot is to stop.
using StopRequested = std::function<bool()>;

// Carries out a plan, each file written in one step, into a folder that takes the
// day's name only once it holds every file: a snapshot stopped part way, or cut off by
// a crash, leaves nothing that looks like the day's, and the next start of the day
// takes it anew. The first file that cannot be made ends it with an Error "ファイル %s
// を作成できません" naming that file in the day's folder (or the folder); what the
// snapshot made is removed again, and no older snapshot is removed. False when stopped.
bool TakeSnapshot(FileSystem& files, const SnapshotPlan& plan, const StopRequested& stop = {});

// The day's snapshot of the program whose executable is `executablePath`, unless the
// day has one. True when it was taken.
bool TakeDailySnapshot(FileSystem& files, const std::string& executablePath, const LocalTime& today,
                       const StopRequested& stop = {});

}  // namespace core
