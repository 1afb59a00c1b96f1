#include "launch/page_run.h"

namespace core {

void PageRun::Begin(const LaunchButtons& buttons, bool selectedOnly) {
  if (running_) return;
  items_.clear();
  for (const auto& button : buttons) {
    const ButtonEntry& entry = button->Entry();
    if (entry.Empty() || button->TargetMissing() || (selectedOnly && entry.isIconSmall)) continue;
    items_.push_back({entry, button->Running()});
  }
  next_ = 0;
  phase_ = Phase::kNext;
  running_ = true;
  view_.RunSteps(true);
  Step();
}

// A cancel from inside a start (a message box of the system lets messages through)
// ends the run once that start is over.
void PageRun::Cancel() {
  if (!running_) return;
  cancelled_ = true;
  if (!stepping_) End();
}

// As many phases as are over at `now`: a start that gives nothing to wait for goes
// on to the next at once. A step asked for while one runs is left out.
void PageRun::Step() {
  if (!running_ || stepping_) return;
  stepping_ = true;
  bool waiting = false;
  while (running_ && !cancelled_ && !waiting) {
    const std::uint64_t now = view_.Milliseconds();
    switch (phase_) {
      case Phase::kNext: StartNext(); break;
      case Phase::kWindow:
        waiting = !process_->ShowsWindow() && !process_->Ended() && now < until_;
        if (!waiting) Pause(now);
        break;
      case Phase::kPause:
        waiting = now < until_;
        if (!waiting) phase_ = Phase::kNext;
        break;
    }
  }
  stepping_ = false;
  if (cancelled_) End();
}

void PageRun::Pause(std::uint64_t now) {
  process_.reset();
  phase_ = Phase::kPause;
  until_ = now + static_cast<std::uint64_t>(pause_);
}

// The last start ends the run: nothing after it is waited for. The waits count from
// the moment the start returned.
void PageRun::StartNext() {
  if (next_ == items_.size()) {
    End();
    return;
  }
  Item& item = items_[next_++];
  const bool last = next_ == items_.size();
  if (item.running) {
    if (last) activation_.BringToFront(item.entry);
    return;
  }
  WatchedStart start = activation_.StartWatched(item.entry, view_.NativeHandle());
  if (!start.started || last) return;
  const std::uint64_t now = view_.Milliseconds();
  pause_ = item.entry.startDelay;
  if (!start.process) {
    Pause(now);
    return;
  }
  process_ = std::move(start.process);
  phase_ = Phase::kWindow;
  until_ = now + (process_->IsConsoleProgram() ? kConsoleWait : kWindowWait);
}

void PageRun::End() {
  running_ = false;
  cancelled_ = false;
  process_.reset();
  items_.clear();
  view_.RunSteps(false);
  activation_.AfterStarts(true);  // the user may have hidden the window meanwhile
}

}  // namespace core
