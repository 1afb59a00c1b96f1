#include "storage/ini_image.h"

#include <algorithm>
#include <cstdint>

namespace core {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Calls `onLine` for each line; lines end with CR LF, LF or CR.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    onLine(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

const IniLine* FindKey(const IniSection& section, std::string_view key) {
  for (const auto& line : section.lines)
    if (line.isKey && EqualsIgnoringCase(line.key, key)) return &line;
  return nullptr;
}

std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return value;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::optional<int> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X")) {
    // Hexadecimal covers all 32 bits, as unsigned: $FFFFFFFF is -1.
    auto value = ParseDigits(text.substr(text.front() == '$' ? 1 : 2), 16);
    if (!value) return std::nullopt;
    auto bits = static_cast<std::uint32_t>(*value);
    if (negative) bits = 0u - bits;
    return static_cast<int>(bits);
  }
  auto value = ParseDigits(text, 10);
  if (!value) return std::nullopt;
  std::int64_t signedValue = negative ? -static_cast<std::int64_t>(*value) : static_cast<std::int64_t>(*value);
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) return std::nullopt;
  return static_cast<int>(signedValue);
}

IniImage IniImage::Parse(std::string_view text) {
  IniImage image;
  IniSection* current = nullptr;
  ForEachLine(text, [&](std::string_view raw) {
    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';') return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      image.sections_.push_back({std::string(Trim(line.substr(1, line.size() - 2))), {}});
      current = &image.sections_.back();
      return;
    }
    if (!current) return;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      current->lines.push_back({false, std::string(line), {}});
    } else {
      current->lines.push_back({true, std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1)))});
    }
  });
  return image;
}

std::string IniImage::Serialize() const {
  std::string out;
  for (const auto& section : sections_) {
    out += '[';
    out += section.name;
    out += "]\r\n";
    for (const auto& line : section.lines) {
      out += line.key;
      if (line.isKey) {
        out += '=';
        out += line.value;
      }
      out += "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

const IniSection* IniImage::FindSection(std::string_view name) const {
  for (const auto& section : sections_)
    if (EqualsIgnoringCase(section.name, name)) return &section;
  return nullptr;
}

IniSection* IniImage::FindSection(std::string_view name) {
  return const_cast<IniSection*>(static_cast<const IniImage*>(this)->FindSection(name));
}

std::optional<std::string> IniImage::Value(std::string_view section, std::string_view key) const {
  const IniSection* s = FindSection(section);
  if (!s) return std::nullopt;
  const IniLine* line = FindKey(*s, key);
  if (!line) return std::nullopt;
  return line->value;
}

std::string IniImage::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  auto value = Value(section, key);
  return value ? *value : std::string(fallback);
}

int IniImage::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  auto value = Value(section, key);
  if (!value) return fallback;
  return ParseInteger(*value).value_or(fallback);
}

bool IniImage::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniImage::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  IniSection* s = FindSection(section);
  if (!s) {
    sections_.push_back({std::string(section), {}});
    s = &sections_.back();
  }
  auto* line = const_cast<IniLine*>(FindKey(*s, key));
  if (line) {
    line->key = key;
    line->value = value;
  } else {
    s->lines.push_back({true, std::string(key), std::string(value)});
  }
}

void IniImage::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniImage::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniImage::DeleteKey(std::string_view section, std::string_view key) {
  IniSection* s = FindSection(section);
  if (!s) return;
  auto it = std::find_if(s->lines.begin(), s->lines.end(),
                         [&](const IniLine& line) { return line.isKey && EqualsIgnoringCase(line.key, key); });
  if (it != s->lines.end()) s->lines.erase(it);
}

void IniImage::EraseSection(std::string_view section) {
  auto it = std::find_if(sections_.begin(), sections_.end(),
                         [&](const IniSection& s) { return EqualsIgnoringCase(s.name, section); });
  if (it != sections_.end()) sections_.erase(it);
}

}  // namespace core
