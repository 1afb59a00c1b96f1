#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// What the data copy dialog asks of the launcher.
class CopyOperations {
 public:
  virtual ~CopyOperations() = default;
  // The names of users 1..10.
  virtual std::vector<std::string> UserNames() const = 0;
  virtual int FormColor() const = 0;
  // The summed sizes of a name's page files, pages 1..99; of every page file.
  virtual std::uint64_t UserDataSize(const std::string& name) const = 0;
  virtual std::uint64_t AllDataSize() const = 0;
  // Copies each page file of `source` over the same page of `target`; a page that
  // cannot be copied is reported, and the rest are still copied.
  virtual void CopyUserData(const std::string& source, const std::string& target) = 0;
  // Asks for a folder, starting in the backup folder, which then becomes the chosen
  // one, and copies a name's page files (every page file when `name` is null) into it
  // with the shell, `owner` owning its windows. Nothing when the choice is cancelled.
  virtual void BackUp(std::uintptr_t owner, const std::string* name) = 0;
  virtual void OpenHelp() = 0;
};

}  // namespace core
