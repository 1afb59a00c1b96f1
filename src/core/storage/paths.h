#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace core {

// Separator of the paths the program builds for its own files.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The folder part of a path, with its trailing separator ("" when there is none).
std::string DirectoryWithSeparator(std::string_view path);

// The name part of a path: what follows its folder.
std::string NameOf(std::string_view path);

// The path with its last extension replaced (C:\Tools\Launch.exe, ".ini" gives
// C:\Tools\Launch.ini); a path without extension gets it appended.
std::string ChangeExtension(std::string_view path, std::string_view extension);

// A UTF-8 path for the standard library (which takes narrow strings in the ANSI
// code page on Windows).
std::filesystem::path ToFsPath(const std::string& utf8);
std::string FromFsPath(const std::filesystem::path& path);

}  // namespace core
