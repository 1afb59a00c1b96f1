#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace core {

// Show commands handed to the shell with a start.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

// One request to the shell's "open"-style verbs. The owner is an opaque window
// handle of the platform (0: none).
struct ShellRequest {
  std::uintptr_t owner = 0;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int showCommand = kShowNormal;
  // With the rights of an administrator: the system asks the user first.
  bool elevated = false;
};

// A process that a start gave, watched until it shows a window.
class StartedProcess {
 public:
  virtual ~StartedProcess() = default;
  // It shows a visible top-level window of its own.
  virtual bool ShowsWindow() = 0;
  virtual bool Ended() = 0;
  // Its executable is a console program, whose window may belong to a terminal, a
  // process of its own (so on Windows 11).
  virtual bool IsConsoleProgram() const = 0;
};

// What a watched start gave: whether it started, and the process it started, if any
// (an address, a document opened by a program that runs already, give none).
struct WatchedStart {
  bool started = false;
  std::unique_ptr<StartedProcess> process;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Starts or opens; the result is not reported.
  virtual void Execute(const ShellRequest& request) = 0;
  // Starts as Execute does, and tells whether it did (not when it failed, or the user
  // declined); the system has shown its own message for a failure.
  virtual WatchedStart ExecuteWatched(const ShellRequest& request) {
    Execute(request);
    return {true, nullptr};
  }
  // The program that opens a file (the file itself for a program); empty when none.
  virtual std::string AssociatedProgram(const std::string& file) = 0;
  // The name the shell shows for an item of its namespace (shell:..., ::{...}); empty
  // when it knows none.
  virtual std::string DisplayName(const std::string& shellName) = 0;
  // How many icons a file holds.
  virtual int IconCount(const std::string& file) = 0;
  // Copies one file or one wildcard pattern into a folder as the shell does, with its
  // own progress and its question before replacing a file; the outcome is not reported.
  virtual void CopyIntoFolder(std::uintptr_t owner, const std::string& source, const std::string& folder) = 0;
  // The folder chooser: starts in `start`, also takes the name of a folder that does
  // not exist yet and creates it (with missing parents). Nothing when cancelled.
  virtual std::optional<std::string> ChooseFolder(std::uintptr_t owner, const std::string& start) = 0;
};

}  // namespace core
