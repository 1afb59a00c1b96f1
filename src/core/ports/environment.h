#pragma once

#include <optional>
#include <string>

namespace core {

struct LocalTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// Shell special folders the program asks for.
inline constexpr int kFolderDesktop = 0;
inline constexpr int kFolderPersonal = 5;

// Facts about the running program and the machine it runs on.
class Environment {
 public:
  virtual ~Environment() = default;
  // Full path of the running executable.
  virtual std::string ExecutablePath() const = 0;
  // The process's current folder.
  virtual std::string CurrentDirectory() const = 0;
  // The value of an environment variable of the process (names ignore letter case);
  // nothing when it is not set.
  virtual std::optional<std::string> Variable(const std::string& name) const = 0;
  // File-system path of a shell special folder (empty when it has none).
  virtual std::string FolderPath(int id) const = 0;
  virtual LocalTime Now() const = 0;
  // The system's date separator ("/" on Japanese systems).
  virtual std::string DateSeparator() const = 0;
  // A time in the system's long time format.
  virtual std::string LongTimeText(const LocalTime& time) const = 0;
};

}  // namespace core
