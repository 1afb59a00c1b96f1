#include "launch_button/missing_targets.h"

namespace core {

DriveKind RememberedDrives::KindOfDrive(char letter) const {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return probe_.KindOfDrive(letter);
  auto& kind = kinds_[static_cast<size_t>(letter - 'A')];
  if (!kind) kind = probe_.KindOfDrive(letter);
  return *kind;
}

MissingTargets::MissingTargets(std::vector<TLaunchButton*> buttons, const PathPorts& ports)
    : buttons_(std::move(buttons)), drives_(ports.probe), ports_{ports.environment, drives_} {}

MissingTargets::~MissingTargets() = default;

// An empty button, and one whose path only the shell can follow, is never dimmed. A
// button waiting for its answer keeps what it shows.
void MissingTargets::Check() {
  const std::uint64_t round = ++shared_->round;
  std::vector<Query> away;
  for (TLaunchButton* button : buttons_) {
    TargetCheck check = PlanTargetCheck(button->Entry().path, ports_);
    switch (check.when) {
      case CheckTime::kNever: button->SetTargetMissing(false); break;
      case CheckTime::kNow: button->SetTargetMissing(TargetMissing(check, ports_.probe)); break;
      case CheckTime::kAway: away.push_back({button, button->Entry().path, std::move(check)}); break;
    }
  }
  if (!away.empty() && background_) CheckAway(round, std::move(away));
}

bool MissingTargets::MissingNow(const std::string& stored) const {
  TargetCheck check = PlanTargetCheck(stored, ports_);
  return check.when == CheckTime::kNow && TargetMissing(check, ports_.probe);
}

void MissingTargets::DrivesChanged() {
  drives_.Forget();
  Check();
}

// The work holds copies of everything it looks at; the buttons are touched only by
// the answer, on the window's thread.
void MissingTargets::CheckAway(std::uint64_t round, std::vector<Query> queries) {
  background_->Run([shared = shared_, alive = lifetime_.Watch(), round,
                    queries = std::move(queries)](const FileProbe& probe) -> Background::Done {
    std::vector<Answer> answers;
    for (const Query& query : queries) {
      if (shared->round.load() != round) return {};  // a newer check is on its way
      answers.push_back({query.button, query.path, TargetMissing(query.check, probe)});
    }
    return [shared, alive, round, answers = std::move(answers)] {
      if (!alive.Alive() || shared->round.load() != round) return;
      for (const Answer& answer : answers)
        if (answer.button->Entry().path == answer.path) answer.button->SetTargetMissing(answer.missing);
    };
  });
}

}  // namespace core
