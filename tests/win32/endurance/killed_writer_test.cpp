// The program's saves survive being killed at any moment: a writer process saves a
// settings file and a page data file in turn through the program's own file access,
// and is killed from outside at random moments of its cycle. After every kill each file
// holds exactly the bytes of its last finished save, or of the save under way; a
// temporary file is left only by the save under way, is ignored by the readers, and
// the next write replaces it. (A killed process cannot show a missing flush: the system
// keeps what the process wrote. Power loss is not simulated here.)
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/utf16.h"
#include "base/win_code_page.h"
#include "base/win_environment.h"
#include "base/win_file_system.h"
#include "base/win_shell.h"
#include "resource_counts.h"
#include "storage/ini_store.h"
#include "store_versions.h"
#include "temp_folder.h"

using namespace endurance;
using testing_support::TempFolder;

namespace {

constexpr int kKills = 300;
// Starting a process under Wine takes longer than the rest of a run: several writers,
// each in a folder of its own, are started and killed at the same time.
constexpr int kLanes = 3;
// The kill comes at a random moment of this many write cycles after the writer's first
// cycle, so that it lands anywhere in a cycle.
constexpr int kCyclesSpread = 2;

std::string BesideTheTests(const std::string& name) {
  std::string self = win32::Narrow(win32::ModulePath());
  return self.substr(0, self.rfind('\\') + 1) + name;
}

// The counters the writer keeps, in memory shared with it.
class SharedProgress {
 public:
  explicit SharedProgress(int lane)
      : name_(L"Local\\zubi-writer-progress-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(lane)) {
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Progress), name_.c_str());
    if (mapping_) progress_ = static_cast<Progress*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
  }
  ~SharedProgress() {
    if (progress_) UnmapViewOfFile(progress_);
    if (mapping_) CloseHandle(mapping_);
  }
  SharedProgress(const SharedProgress&) = delete;
  SharedProgress& operator=(const SharedProgress&) = delete;

  bool Ready() const { return progress_ != nullptr; }
  const std::wstring& Name() const { return name_; }
  Progress& Get() { return *progress_; }
  void Reset() {
    InterlockedExchange(&progress_->begun, 0);
    InterlockedExchange(&progress_->done, 0);
    InterlockedExchange(&progress_->failed, 0);
  }

 private:
  std::wstring name_;
  HANDLE mapping_ = nullptr;
  Progress* progress_ = nullptr;
};

// One run of the writer; killed at the latest when it goes.
class WriterProcess {
 public:
  WriterProcess(const std::string& folder, const std::wstring& mapping) {
    std::wstring command =
        L"\"" + win32::Widen(BesideTheTests("writer.exe")) + L"\" \"" + win32::Widen(folder) + L"\" " + mapping;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Under Wine a start among hundreds now and then fails for a moment; what is tested
    // here is the kill, so the start is tried again before it counts as failed.
    for (int attempt = 0; attempt < kStartAttempts && !started_; ++attempt) {
      if (attempt > 0) Sleep(200);
      started_ =
          CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_);
      if (!started_) startError_ = GetLastError();
    }
  }
  ~WriterProcess() {
    if (!started_) return;
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  WriterProcess(const WriterProcess&) = delete;
  WriterProcess& operator=(const WriterProcess&) = delete;

  bool Started() const { return started_; }
  DWORD StartError() const { return startError_; }
  bool Running() const { return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  // From outside, as the task manager or a crash would end it; returns once it is gone.
  bool Kill() {
    if (Running()) TerminateProcess(info_.hProcess, 9);
    return WaitForSingleObject(info_.hProcess, 10000) == WAIT_OBJECT_0;
  }

 private:
  static constexpr int kStartAttempts = 5;
  bool started_ = false;
  DWORD startError_ = 0;
  PROCESS_INFORMATION info_{};
};

double Seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void BusyWait(double seconds) {
  const double until = Seconds() + seconds;
  while (Seconds() < until) {
  }
}

// The names of the files (not folders) in a folder.
std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(win32::Widen(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(win32::Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// What was seen after one kill.
struct KillRecord {
  long begun = 0, done = 0;
  bool temporary[kTargetCount] = {};
};

// What the kills did, for the report.
struct Tally {
  int kills = 0;
  int duringSave[4] = {};  // by the save's place in the cycle: settings 0, page 0, settings 1, page 1
  int betweenSaves = 0;
  int temporaryLeft[kTargetCount] = {};
  int replacedByTheDriver = 0, replacedByTheWriter = 0;
  int newBytesAfterAnUnfinishedSave = 0;
  double startSeconds = 0;  // from the writer's start to the end of its first cycle
  double cycleSeconds = 0;

  void Add(const Tally& other) {
    kills += other.kills;
    for (int i = 0; i < 4; ++i) duringSave[i] += other.duringSave[i];
    betweenSaves += other.betweenSaves;
    for (int t = 0; t < kTargetCount; ++t) temporaryLeft[t] += other.temporaryLeft[t];
    replacedByTheDriver += other.replacedByTheDriver;
    replacedByTheWriter += other.replacedByTheWriter;
    newBytesAfterAnUnfinishedSave += other.newBytesAfterAnUnfinishedSave;
    startSeconds += other.startSeconds;
    cycleSeconds = std::max(cycleSeconds, other.cycleSeconds);
  }
};

// One folder with a settings file and a page file, and the writer runs killed in it
// one after another.
class Lane {
 public:
  Lane(int number, unsigned seed, std::atomic<bool>& backupChecked)
      : number_(number), random_(seed), backupChecked_(backupChecked) {
    for (int t = 0; t < kTargetCount; ++t)
      for (int v = 0; v < 2; ++v) bytes_[t][v] = BytesOf(Version(static_cast<Target>(t), v), codePage_);
    CreateDirectoryW(win32::Widen(folder_.Path("DATA")).c_str(), nullptr);
    // Version 1 of each is there before the first run, as if saved earlier.
    folder_.Write(kSettingsName, bytes_[kSettings][1]);
    folder_.Write(kPageName, bytes_[kPage][1]);
  }

  // A first run, killed after a while, measures the write cycle; then `kills` runs are
  // each killed at a random moment of the cycle.
  void Run(int kills) {
    ASSERT_TRUE(shared_.Ready());
    const double calibration = 0.3;
    KillRecord first = RunAndKill(calibration);
    CheckFiles(first);
    ASSERT_GT(first.done, 4) << "the writer is too slow to measure";
    tally_.cycleSeconds = 2 * calibration / static_cast<double>(first.done - 2);
    std::uniform_real_distribution<double> moment(0, kCyclesSpread * tally_.cycleSeconds);

    bool leaveToTheWriter = false;
    bool writerMustReplace[kTargetCount] = {};
    for (int kill = 1; kill <= kills && !testing::Test::HasFailure(); ++kill) {
      KillRecord record = RunAndKill(moment(random_));
      // A temporary file that an earlier kill left and no save replaced fails here.
      CheckFiles(record);
      ++tally_.kills;
      for (int t = 0; t < kTargetCount; ++t) {
        if (writerMustReplace[t] && !record.temporary[t]) ++tally_.replacedByTheWriter;
        writerMustReplace[t] = false;
      }
      if (!record.temporary[kSettings] && !record.temporary[kPage]) continue;
      CheckReadersIgnoreTheTemporaryFiles(record);
      if (record.temporary[kPage] && !backupChecked_.exchange(true)) CheckBackupLeavesTheTemporaryFileOut();
      // Every other time the driver saves over the temporary files; otherwise the next
      // writer run must.
      if (leaveToTheWriter) {
        for (int t = 0; t < kTargetCount; ++t) writerMustReplace[t] = record.temporary[t];
      } else {
        SaveOverTheTemporaryFiles(record);
      }
      leaveToTheWriter = !leaveToTheWriter;
    }
  }

  const Tally& Counts() const { return tally_; }

 private:
  std::string Path(Target t) const { return folder_.Path(Name(t)); }
  static std::string Name(Target t) { return t == kSettings ? kSettingsName : kPageName; }

  // Starts the writer, lets it finish its first cycle (both files saved once), waits
  // `delay` seconds more and kills it.
  KillRecord RunAndKill(double delay) {
    KillRecord record;
    shared_.Reset();
    WriterProcess writer(folder_.Path(), shared_.Name());
    EXPECT_TRUE(writer.Started()) << "the writer did not start, error " << writer.StartError();
    Progress& p = shared_.Get();
    const double start = Seconds();
    while (p.done < 2 && p.failed == 0 && writer.Running() && Seconds() - start < 30) Sleep(1);
    EXPECT_GE(p.done, 2) << "the writer did not finish its first cycle";
    tally_.startSeconds += Seconds() - start;
    BusyWait(delay);
    EXPECT_TRUE(writer.Kill());
    EXPECT_EQ(p.failed, 0) << "a save failed";
    record.begun = p.begun;
    record.done = p.done;
    return record;
  }

  // Each file holds its last finished save's bytes or, when the kill came during its
  // save, those of the save under way; a temporary file only beside the file whose
  // save was under way; no other file anywhere.
  void CheckFiles(KillRecord& record) {
    SCOPED_TRACE("lane " + std::to_string(number_) + ", kill " + std::to_string(tally_.kills + 1) + ": " +
                 std::to_string(record.begun) + " saves begun, " + std::to_string(record.done) + " done");
    ASSERT_GE(record.done, 2);
    ASSERT_TRUE(record.begun == record.done || record.begun == record.done + 1);
    const bool underWay = record.begun == record.done + 1;
    for (int ti = 0; ti < kTargetCount; ++ti) {
      const Target t = static_cast<Target>(ti);
      const long lastDone = TargetOfSave(record.done - 1) == t ? record.done - 1 : record.done - 2;
      const std::string& finished = bytes_[t][VersionOfSave(lastDone)];
      const bool mine = underWay && TargetOfSave(record.done) == t;
      const std::string now = folder_.Read(Name(t));
      if (mine) {
        const std::string& next = bytes_[t][VersionOfSave(record.done)];
        EXPECT_TRUE(now == finished || now == next) << Name(t) << " is torn: " << now.size() << " bytes";
        if (now == next) ++tally_.newBytesAfterAnUnfinishedSave;
      } else {
        EXPECT_TRUE(now == finished) << Name(t) << " does not hold its last save: " << now.size() << " bytes";
      }
      record.temporary[t] = folder_.Exists(Name(t) + kTemporarySuffix);
      if (record.temporary[t]) {
        ++tally_.temporaryLeft[t];
        EXPECT_TRUE(mine) << "a temporary file beside " << Name(t) << ", whose save was not under way";
      }
    }
    std::set<std::string> top{kSettingsName}, data{"User11.dat"};
    if (record.temporary[kSettings]) top.insert(std::string(kSettingsName) + kTemporarySuffix);
    if (record.temporary[kPage]) data.insert(std::string("User11.dat") + kTemporarySuffix);
    EXPECT_EQ(FilesIn(folder_.Path()), top);
    EXPECT_EQ(FilesIn(folder_.Path("DATA")), data);

    if (underWay)
      ++tally_.duringSave[record.done % 4];
    else
      ++tally_.betweenSaves;
  }

  // With a temporary file beside it, a file reads as its own bytes, and the data
  // folder's size counts the page files alone.
  void CheckReadersIgnoreTheTemporaryFiles(const KillRecord& record) {
    core::IniStore store(files_, codePage_);
    for (int ti = 0; ti < kTargetCount; ++ti) {
      const Target t = static_cast<Target>(ti);
      if (!record.temporary[t]) continue;
      EXPECT_EQ(BytesOf(store.Load(Path(t)), codePage_), folder_.Read(Name(t))) << Name(t);
    }
    if (record.temporary[kPage]) {
      EXPECT_EQ(files_.TotalSize(folder_.Path("DATA"), ".dat"), folder_.Read(kPageName).size());
    }
  }

  // The next save through the program's store replaces the temporary file left beside
  // its target.
  void SaveOverTheTemporaryFiles(const KillRecord& record) {
    core::IniStore store(files_, codePage_);
    for (int ti = 0; ti < kTargetCount; ++ti) {
      const Target t = static_cast<Target>(ti);
      if (!record.temporary[t]) continue;
      const int other = folder_.Read(Name(t)) == bytes_[t][0] ? 1 : 0;
      store.Save(Path(t), Version(t, other));
      EXPECT_EQ(folder_.Read(Name(t)), bytes_[t][other]);
      EXPECT_FALSE(folder_.Exists(Name(t) + kTemporarySuffix)) << "the save left the temporary file of " << Name(t);
      ++tally_.replacedByTheDriver;
    }
  }

  // The data copy dialog's backup of all data copies DATA\*.dat through the shell: the
  // temporary file beside a page is not among them.
  void CheckBackupLeavesTheTemporaryFileOut() {
    TempFolder backup;
    win32::WinShell shell;
    shell.CopyIntoFolder(0, folder_.Path("DATA") + "\\*.dat", backup.Path());
    EXPECT_EQ(FilesIn(backup.Path()), std::set<std::string>{"User11.dat"});
    EXPECT_EQ(backup.Read("User11.dat"), folder_.Read(kPageName));
  }

  int number_;
  std::mt19937 random_;
  std::atomic<bool>& backupChecked_;
  TempFolder folder_;
  win32::WinFileSystem files_;
  win32::WinCodePage codePage_{932};
  SharedProgress shared_{number_};
  std::string bytes_[kTargetCount][2];
  Tally tally_;
};

TEST(KilledWriter, EachFileHoldsItsOldOrNewBytesAndTemporaryFilesNeitherCountNorStay) {
  const double begin = Seconds();
  const unsigned seed = std::random_device{}();
  std::printf("seed %u, %d lanes\n", seed, kLanes);
  std::atomic<bool> backupChecked{false};
  std::vector<std::unique_ptr<Lane>> lanes;
  for (int i = 0; i < kLanes; ++i)
    lanes.push_back(std::make_unique<Lane>(i, seed + static_cast<unsigned>(i), backupChecked));
  std::vector<std::thread> threads;
  for (int i = 0; i < kLanes; ++i)
    threads.emplace_back(
        [&, i] { lanes[static_cast<size_t>(i)]->Run(kKills / kLanes + (i < kKills % kLanes ? 1 : 0)); });
  for (auto& thread : threads) thread.join();
  Tally all;
  for (const auto& lane : lanes) all.Add(lane->Counts());

  std::printf(
      "kills: %d (+%d to measure the cycle of %.1f ms at most); during settings saves %d/%d, page saves "
      "%d/%d, between saves %d\n",
      all.kills, kLanes, all.cycleSeconds * 1000, all.duringSave[0], all.duringSave[2], all.duringSave[1],
      all.duringSave[3], all.betweenSaves);
  std::printf("new bytes already in place after an unfinished save: %d\n", all.newBytesAfterAnUnfinishedSave);
  std::printf("temporary files left: settings %d, page %d; replaced by the next save: driver %d, writer %d\n",
              all.temporaryLeft[kSettings], all.temporaryLeft[kPage], all.replacedByTheDriver, all.replacedByTheWriter);
  std::printf("time: %.1f s; from a writer's start to the end of its first cycle: %.0f ms on average\n",
              Seconds() - begin, all.startSeconds * 1000 / (all.kills + kLanes));
  std::printf("processor time of this process: %.1f s\n", endurance::CpuSeconds(GetCurrentProcess()));

  EXPECT_EQ(all.kills, kKills);
  // The kills must have hit every part of the cycle, or the test proved little.
  for (int place = 0; place < 4; ++place) EXPECT_GE(all.duringSave[place], 10) << "save " << place;
  EXPECT_GE(all.temporaryLeft[kSettings], 5);
  EXPECT_GE(all.temporaryLeft[kPage], 5);
  EXPECT_TRUE(backupChecked);
}

}  // namespace
