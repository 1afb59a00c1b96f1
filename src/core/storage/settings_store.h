#pragma once

#include <string>

#include "storage/ini_store.h"
#include "storage/settings_file.h"

namespace core {

// The settings file on disk (the executable's path with ".ini"). Every operation
// reads the file as it is now, so that it sees what the one before it wrote, also
// another program's write.
class SettingsStore {
 public:
  SettingsStore(FileSystem& files, const CodePage& codePage, std::string path)
      : store_(files, codePage), path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  SettingsFile Load() const { return SettingsFile(store_.Load(path_)); }
  void Save(const SettingsFile& settings) { store_.Save(path_, settings.Image()); }
  // One read and one write: `change` edits the file as it is now.
  template <typename Edit>
  SettingsFile Change(Edit&& change) {
    SettingsFile settings = Load();
    change(settings);
    Save(settings);
    return settings;
  }

 private:
  IniStore store_;
  std::string path_;
};

}  // namespace core
