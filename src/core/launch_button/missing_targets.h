#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "launch_button/launch_button.h"
#include "lifetime.h"
#include "ports/background.h"

namespace core {

// Drive kinds remembered until drives come or go: asking the system is slow on some
// systems (milliseconds a letter), and a page load asks for every button.
class RememberedDrives final : public FileProbe {
 public:
  explicit RememberedDrives(const FileProbe& probe) : probe_(probe) {}
  bool Exists(const std::string& path) const override { return probe_.Exists(path); }
  bool ShellItemExists(const std::string& name) const override { return probe_.ShellItemExists(name); }
  DriveKind KindOfDrive(char letter) const override;
  std::optional<std::string> NetworkPath(const std::string& path) const override { return probe_.NetworkPath(path); }
  void Forget() { kinds_ = {}; }

 private:
  const FileProbe& probe_;
  mutable std::array<std::optional<DriveKind>, 26> kinds_;
};

// Looks for the programs of the buttons shown and dims the buttons whose program is
// not where its path leads. Paths on drives that answer at once are looked at on the
// spot; the others (removable, network, UNC) in the background, whose answers come
// back later and count only while the same paths are still shown: a newer check, or
// a button given another path, makes them void.
class MissingTargets {
 public:
  MissingTargets(std::vector<TLaunchButton*> buttons, const PathPorts& ports);
  ~MissingTargets();
  MissingTargets(const MissingTargets&) = delete;
  MissingTargets& operator=(const MissingTargets&) = delete;

  // Without one, paths on slow drives are not looked at.
  void SetBackground(Background* background) { background_ = background; }
  // Looks at every button anew.
  void Check();
  // A drive came or went: its kind is asked again, then every button looked at.
  void DrivesChanged();
  // Whether a stored path leads nowhere, for a button not shown; false when that cannot
  // be told at once (a slow drive, or a path only the shell can follow).
  bool MissingNow(const std::string& stored) const;

 private:
  struct Query {
    TLaunchButton* button;
    std::string path;  // as stored when asked
    TargetCheck check;
  };
  struct Answer {
    TLaunchButton* button;
    std::string path;
    bool missing;
  };
  // The newest round, which the background work reads to skip what is out of date.
  struct Shared {
    std::atomic<std::uint64_t> round{0};
  };
  void CheckAway(std::uint64_t round, std::vector<Query> queries);

  std::vector<TLaunchButton*> buttons_;
  RememberedDrives drives_;
  PathPorts ports_;
  Background* background_ = nullptr;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  Lifetime lifetime_;  // answers still on their way find nobody once it is gone
};

}  // namespace core
