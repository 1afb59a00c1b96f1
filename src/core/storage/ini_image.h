#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// One line of a section: a key with its value, or a line without "=" that is kept
// and written back but is no key.
struct IniLine {
  bool isKey = true;
  std::string key;  // the whole line when isKey is false
  std::string value;
};

struct IniSection {
  std::string name;
  std::vector<IniLine> lines;
};

// The in-memory image of an INI text. Sections and keys are matched without regard
// to letter case; the first occurrence of a name is the one read and changed, later
// ones are written back as they were. Comments, empty lines and lines before the
// first section are not kept.
class IniImage {
 public:
  static IniImage Parse(std::string_view text);
  // Each section, its lines, then one empty line; lines end with CR LF.
  std::string Serialize() const;

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // A key present with an empty value reads as the empty text.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Missing, empty or not an integer: the fallback.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // A changed key keeps its place and takes the letter case given here; a new key goes
  // to the end of its section, a new section to the end of the image.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void DeleteKey(std::string_view section, std::string_view key);
  // The section's first occurrence with its lines.
  void EraseSection(std::string_view section);

  const std::vector<IniSection>& Sections() const { return sections_; }

 private:
  IniSection* FindSection(std::string_view name);
  const IniSection* FindSection(std::string_view name) const;

  std::vector<IniSection> sections_;
};

// Decimal, or hexadecimal after "0x", "0X" or "$", with an optional sign; nothing when
// the text is not such a number or does not fit 32 bits.
std::optional<int> ParseInteger(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace core
