#include "temp_folder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

#include "storage/paths.h"

namespace testing_support {

// Process numbers repeat (Wine reuses them), so the name takes a random part and
// skips any folder an earlier run left behind.
TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  static const unsigned run = std::random_device{}();
  std::error_code ec;
  do {
    root_ =
        std::filesystem::temp_directory_path() / ("zubi-test-" + std::to_string(run) + "-" + std::to_string(counter++));
  } while (std::filesystem::exists(root_, ec));
  std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(root_, ec);
}

std::string TempFolder::Path(const std::string& name) const {
  return name.empty() ? core::FromFsPath(root_) : core::FromFsPath(root_ / core::ToFsPath(name));
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  auto path = root_ / core::ToFsPath(name);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(root_ / core::ToFsPath(name), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempFolder::Exists(const std::string& name) const {
  std::error_code ec;
  return std::filesystem::exists(root_ / core::ToFsPath(name), ec);
}

}  // namespace testing_support
