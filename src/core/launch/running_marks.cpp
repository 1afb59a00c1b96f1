#include "launch/running_marks.h"

#include <vector>

#include "launch_button/path_text.h"
#include "launch_button/target_path.h"
#include "storage/file_name_case.h"

namespace core {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithExe(std::string_view path) {
  constexpr std::string_view kExe = ".exe";
  if (path.size() <= kExe.size()) return false;
  for (size_t i = 0; i < kExe.size(); ++i)
    if (LowerAscii(path[path.size() - kExe.size() + i]) != kExe[i]) return false;
  return true;
}

// The folders and the file of a path in the form Windows compares them in, "." and
// ".." resolved; a leading "\\" of a share is kept apart by the caller.
std::string FoldSegments(std::string_view original) {
  const std::string path = FileNameForm(original);
  std::vector<std::string> segments;
  std::string segment;
  auto close = [&] {
    if (segment == "..") {
      if (segments.size() > 1) segments.pop_back();  // never above the drive or share
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    segment.clear();
  };
  for (char c : path) {
    if (c == '\\' || c == '/') {
      close();
    } else {
      segment += c;
    }
  }
  close();
  std::string folded;
  for (const std::string& s : segments) folded += (folded.empty() ? "" : "\\") + s;
  return folded;
}

}  // namespace

std::string ProgramKey(std::string_view startFile) {
  if (!EndsWithExe(startFile)) return {};
  switch (FormOfPath(startFile)) {
    case PathForm::kBareName: return FoldSegments(startFile);
    case PathForm::kDrive: return FoldSegments(startFile);
    case PathForm::kUnc: return "\\\\" + FoldSegments(startFile);
    default: return {};  // where it leads depends on the current folder, or only the shell knows
  }
}

bool IsSameProgram(const std::string& buttonKey, const std::string& windowKey) {
  if (buttonKey.empty()) return false;
  if (buttonKey.find('\\') != std::string::npos) return buttonKey == windowKey;
  return ExtractFileName(windowKey) == buttonKey;
}

void RunningMarks::Look(std::function<void()> after) {
  if (!programs_) {
    if (after) after();
    return;
  }
  if (!background_) {
    Mark(programs_->VisibleWindows());
    if (after) after();
    return;
  }
  background_->Run(
      [programs = programs_, alive = lifetime_.Watch(), after, this](const FileProbe&) -> Background::Done {
        return [alive, after, this, windows = programs->VisibleWindows()]() mutable {
          if (!alive.Alive()) return;
          Mark(std::move(windows));
          if (after) after();
        };
      });
}

std::string RunningMarks::KeyOf(const ButtonEntry& entry) const {
  return entry.Empty() ? std::string() : ProgramKey(StartPathsOf(entry, paths_).file);
}

void RunningMarks::SwitchTo(const ButtonEntry& entry, std::function<void(bool switched)> then) {
  const std::string key = KeyOf(entry);
  if (key.empty()) {
    then(false);
    return;
  }
  Look([this, key, then] { then(BringToFront(key)); });
}

void RunningMarks::Mark(std::vector<ProgramWindow> windows) {
  windows_ = std::move(windows);
  std::vector<std::string> running;
  for (const ProgramWindow& window : windows_) running.push_back(ProgramKey(window.program));
  for (auto& button : buttons_) {
    const std::string key = KeyOf(button->Entry());
    bool marked = false;
    for (const std::string& program : running) marked = marked || IsSameProgram(key, program);
    button->SetRunning(marked);
  }
}

void RunningMarks::Tick() {
  if (ticksToRefresh_ > 0 && --ticksToRefresh_ == 0) Refresh();
}

bool RunningMarks::BringToFront(const ButtonEntry& entry) {
  if (entry.Empty()) return false;
  return BringToFront(KeyOf(entry));
}

bool RunningMarks::BringToFront(const std::string& programKey) {
  if (!programs_) return false;
  for (const ProgramWindow& window : windows_)
    if (IsSameProgram(programKey, ProgramKey(window.program))) return programs_->BringToFront(window.window);
  return false;
}

}  // namespace core
