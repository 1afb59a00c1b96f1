#include "storage/paths.h"

namespace core {
namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/' || c == ':';
#else
  return c == '/';
#endif
}

size_t NameStart(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return i;
}

}  // namespace

std::string DirectoryWithSeparator(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string NameOf(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  size_t start = NameStart(path);
  size_t dot = path.rfind('.');
  std::string_view stem = (dot != std::string_view::npos && dot >= start) ? path.substr(0, dot) : path;
  return std::string(stem) + std::string(extension);
}

std::filesystem::path ToFsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FromFsPath(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace core
