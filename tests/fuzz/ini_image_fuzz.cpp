// The INI image against any text: what it writes it reads back as the same image and
// writes again byte for byte; the file survives the code page; and a value the
// program writes under one of its own keys reads back while every other key keeps
// its value.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "memory_file_system.h"
#include "storage/ini_image.h"
#include "storage/ini_store.h"
#include "support.h"

namespace {

using core::IniImage;

std::string Describe(const IniImage& image) {
  std::string text;
  for (const auto& section : image.Sections()) {
    text += "{" + section.name + "}";
    for (const auto& line : section.lines) text += line.isKey ? line.key + "=" + line.value + ";" : line.key + ";";
  }
  return text;
}

bool SameImage(const IniImage& a, const IniImage& b) {
  const auto& x = a.Sections();
  const auto& y = b.Sections();
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    if (x[i].name != y[i].name || x[i].lines.size() != y[i].lines.size()) return false;
    for (size_t j = 0; j < x[i].lines.size(); ++j) {
      const auto& l = x[i].lines[j];
      const auto& m = y[i].lines[j];
      if (l.isKey != m.isKey || l.key != m.key || l.value != m.value) return false;
    }
  }
  return true;
}

// Sections and keys the program writes.
const std::vector<std::pair<std::string, std::string>>& ProgramKeys() {
  static const auto keys = [] {
    std::vector<std::pair<std::string, std::string>> all = {
        {"Setting", "Left"}, {"Setting", "Top"}, {"Setting", "UserNo"}, {"PageTitle", "PageTitle"}};
    for (int n = 1; n <= 10; ++n) {
      all.emplace_back("User", "User" + std::to_string(n));
      for (const char* key : {"PageNo", "PageNoControl", "ToDir", "Mouse", "Tray", "Hot", "Shift", "Ctrl", "Alt",
                              "HotKey", "Key", "FormColor", "BtnClk", "TitleDbClk", "Sound"})
        all.emplace_back("User" + std::to_string(n), key);
      for (const char* key :
           {"ProgPath", "ProgTitle", "ProgDir", "ProgState", "ProgOption", "IconPath", "IconNo", "IsIconSmall"})
        all.emplace_back("Button" + std::to_string(n), key);
    }
    return all;
  }();
  return keys;
}

using Reads = std::vector<std::optional<std::string>>;

Reads ReadAll(const IniImage& image, const std::vector<std::pair<std::string, std::string>>& keys) {
  Reads reads;
  for (const auto& [section, key] : keys) reads.push_back(image.Value(section, key));
  return reads;
}

// The keys whose reads a change may move: the program's own in the sections the text
// holds, and the first ones of the text.
std::vector<std::pair<std::string, std::string>> WatchedKeys(const IniImage& image) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (const auto& key : ProgramKeys())
    if (image.Value(key.first, key.second)) keys.push_back(key);
  for (const auto& section : image.Sections())
    for (const auto& line : section.lines)
      if (line.isKey && keys.size() < 64) keys.emplace_back(section.name, line.key);
  return keys;
}

// Writes (or deletes) one program key, writes the image out and reads it back:
// that key reads as written, every other watched key as before.
void CheckOneChange(const IniImage& image, const std::vector<std::pair<std::string, std::string>>& watched,
                    const Reads& before, size_t which, const std::string* value) {
  const auto& [section, key] = ProgramKeys()[which % ProgramKeys().size()];
  IniImage changed = image;
  if (value)
    changed.WriteString(section, key, *value);
  else
    changed.DeleteKey(section, key);
  const IniImage reread = IniImage::Parse(changed.Serialize());
  if (value) FUZZ_CHECK(reread.Value(section, key) == *value, section + "/" + key + "=" + *value);
  const Reads after = ReadAll(reread, watched);
  for (size_t i = 0; i < watched.size(); ++i) {
    if (core::EqualsIgnoringCase(watched[i].first, section) && core::EqualsIgnoringCase(watched[i].second, key))
      continue;
    FUZZ_CHECK(after[i] == before[i], "changing " + section + "/" + key + " moved " + watched[i].first + "/" +
                                          watched[i].second + " in " + Describe(image));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzzing::AsText(data, size);
  const IniImage image = IniImage::Parse(text);

  const std::string written = image.Serialize();
  const IniImage reread = IniImage::Parse(written);
  FUZZ_CHECK(SameImage(image, reread), Describe(image) + " came back as " + Describe(reread));
  FUZZ_CHECK(reread.Serialize() == written, written);

  // Through a file in the code page and a fresh store, as the next start reads it.
  fuzzing::MemoryFileSystem files;
  files.CreateFolder("/zubi");
  core::IniStore store(files, testing_support::Cp932());
  store.Save("/zubi/zubi.ini", image);
  const IniImage loaded = core::IniStore(files, testing_support::Cp932()).Load("/zubi/zubi.ini");
  FUZZ_CHECK(SameImage(image, loaded), Describe(image) + " was loaded as " + Describe(loaded));

  // Values the text holds, written under the program's keys (the choice of key
  // follows the text's size, so that the fuzzer reaches each one), and a deletion.
  const auto watched = WatchedKeys(image);
  const Reads before = ReadAll(image, watched);
  size_t n = 0;
  for (const auto& section : image.Sections())
    for (const auto& line : section.lines)
      if (line.isKey && n < 4) CheckOneChange(image, watched, before, size + 37 * n++, &line.value);
  CheckOneChange(image, watched, before, size, nullptr);
  return 0;
}
