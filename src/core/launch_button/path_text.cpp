#include "launch_button/path_text.h"

namespace core {
namespace {

bool IsDelimiter(char c) { return c == '\\' || c == ':'; }

// Index one past the last "\" or ":" (0 when there is none).
size_t NameStart(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsDelimiter(path[i - 1])) --i;
  return i;
}

}  // namespace

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ExtractFileDir(std::string_view path) {
  size_t end = NameStart(path);
  // Drop the final "\" unless it follows a drive's ":" or another "\" (a root).
  if (end > 1 && path[end - 1] == '\\' && !IsDelimiter(path[end - 2])) --end;
  return std::string(path.substr(0, end));
}

std::string FileTitle(std::string_view path) {
  std::string name = ExtractFileName(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace core
