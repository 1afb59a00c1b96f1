#include "launch/daily_snapshot.h"

#include <algorithm>
#include <cstdio>

#include "error.h"
#include "launch/page_store.h"
#include "storage/paths.h"
#include "storage/storage_texts.h"

namespace core {
namespace {

// The day's snapshot while it is being made; never eight digits, so never a snapshot.
constexpr char kPartialSuffix[] = ".partial";

std::string Join(const std::string& folder, const std::string& name) { return folder + kPathSeparator + name; }

[[noreturn]] void CannotCreate(const std::string& path) { throw Error(Format(texts::kCannotCreateFile, path)); }

// A snapshot folder goes with the files in it; one that holds a folder is not only a
// snapshot, and stays whole.
void RemoveSnapshotFolder(FileSystem& files, const std::string& folder) {
  const std::vector<FolderEntry> entries = files.ListFolder(folder);
  if (std::any_of(entries.begin(), entries.end(), [](const FolderEntry& entry) { return entry.folder; })) return;
  for (const FolderEntry& entry : entries) files.RemoveFile(Join(folder, entry.name));
  files.RemoveFolder(folder);
}

}  // namespace

std::string SnapshotName(const LocalTime& day) {
  char name[16];
  std::snprintf(name, sizeof name, "%04d%02d%02d", day.year % 10000, day.month % 100, day.day % 100);
  return name;
}

bool IsSnapshotName(std::string_view name) {
  return name.size() == 8 && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> SnapshotsToRemove(const std::vector<FolderEntry>& backupEntries, const std::string& today,
                                           int kept) {
  std::vector<std::string> names{today};
  for (const FolderEntry& entry : backupEntries)
    if (entry.folder && IsSnapshotName(entry.name) && entry.name != today) names.push_back(entry.name);
  std::sort(names.begin(), names.end(), std::greater<>());
  if (names.size() <= static_cast<size_t>(std::max(kept, 1))) return {};
  return {names.begin() + std::max(kept, 1), names.end()};
}

bool HasSnapshotOf(const std::vector<FolderEntry>& backupEntries, const std::string& today) {
  return std::any_of(backupEntries.begin(), backupEntries.end(),
                     [&](const FolderEntry& entry) { return entry.folder && entry.name == today; });
}

std::optional<SnapshotPlan> PlanSnapshot(const SnapshotSources& sources) {
  if (HasSnapshotOf(sources.backupEntries, sources.today)) return std::nullopt;

  SnapshotPlan plan;
  plan.backupFolder = sources.backupFolder;
  plan.folder = Join(sources.backupFolder, sources.today);
  if (!sources.settingsPath.empty())
    plan.copies.push_back({sources.settingsPath, Join(plan.folder, NameOf(sources.settingsPath))});
  std::vector<std::string> data;
  for (const FolderEntry& entry : sources.dataEntries)
    if (!entry.folder && PageStore::IsPageFileName(entry.name)) data.push_back(entry.name);
  std::sort(data.begin(), data.end());
  for (const std::string& name : data) plan.copies.push_back({Join(sources.dataFolder, name), Join(plan.folder, name)});
  for (const std::string& name : SnapshotsToRemove(sources.backupEntries, sources.today))
    plan.removals.push_back(Join(sources.backupFolder, name));
  return plan;
}

// A leftover of a snapshot that was stopped goes first.
bool TakeSnapshot(FileSystem& files, const SnapshotPlan& plan, const StopRequested& stop) {
  if (!files.FolderExists(plan.backupFolder) && !files.CreateFolder(plan.backupFolder)) CannotCreate(plan.backupFolder);
  const std::string partial = plan.folder + kPartialSuffix;
  if (files.FolderExists(partial)) RemoveSnapshotFolder(files, partial);
  if (!files.CreateFolder(partial)) CannotCreate(plan.folder);
  for (const FileCopy& copy : plan.copies) {
    if (stop && stop()) return false;
    std::string bytes;
    ReadStatus read = files.ReadWhole(copy.from, bytes);
    if (read == ReadStatus::kAbsent) continue;  // removed since it was listed
    if (read == ReadStatus::kFailed || !files.WriteWhole(Join(partial, NameOf(copy.to)), bytes)) {
      RemoveSnapshotFolder(files, partial);
      CannotCreate(copy.to);
    }
  }
  if (!files.RenameFolder(partial, plan.folder)) {
    RemoveSnapshotFolder(files, partial);
    CannotCreate(plan.folder);
  }
  for (const std::string& folder : plan.removals) RemoveSnapshotFolder(files, folder);
  return true;
}

bool TakeDailySnapshot(FileSystem& files, const std::string& executablePath, const LocalTime& today,
                       const StopRequested& stop) {
  const std::string directory = DirectoryWithSeparator(executablePath);
  SnapshotSources sources;
  sources.backupFolder = directory + kBackupFolderName;
  sources.today = SnapshotName(today);
  sources.backupEntries = files.ListFolder(sources.backupFolder);
  // Later starts of the day end here, without reading DATA: a start-up cost each time.
  if (HasSnapshotOf(sources.backupEntries, sources.today)) return false;
  const std::string settings = ChangeExtension(executablePath, ".ini");
  if (files.FileExists(settings)) sources.settingsPath = settings;
  sources.dataFolder = PageStore::DataFolderOf(directory);
  sources.dataEntries = files.ListFolder(sources.dataFolder);
  std::optional<SnapshotPlan> plan = PlanSnapshot(sources);
  return plan && TakeSnapshot(files, *plan, stop);
}

}  // namespace core
