#include "launch/folder_menu.h"

#include <algorithm>

#include "launch/folder_menu_texts.h"
#include "launch_button/path_text.h"
#include "storage/file_name_case.h"

namespace core {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Compares two runs of digits by their value; of equal values, the one with fewer
// leading zeros first.
int CompareNumbers(std::string_view a, std::string_view b) {
  const size_t zerosA = std::min(a.find_first_not_of('0'), a.size());
  const size_t zerosB = std::min(b.find_first_not_of('0'), b.size());
  const std::string_view valueA = a.substr(zerosA), valueB = b.substr(zerosB);
  if (valueA.size() != valueB.size()) return valueA.size() < valueB.size() ? -1 : 1;
  if (const int c = valueA.compare(valueB)) return c;
  return zerosA == zerosB ? 0 : (zerosA < zerosB ? -1 : 1);
}

// Both names in Windows' form of file names, so that bytes compare as Windows' order
// without case; digits are single bytes in UTF-8, so runs of them are found bytewise.
int CompareForms(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      size_t endA = i, endB = j;
      while (endA < a.size() && IsDigit(a[endA])) ++endA;
      while (endB < b.size() && IsDigit(b[endB])) ++endB;
      if (const int c = CompareNumbers(a.substr(i, endA - i), b.substr(j, endB - j))) return c;
      i = endA;
      j = endB;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
    ++i;
    ++j;
  }
  return (i < a.size()) - (j < b.size());
}

bool EndsWithNoCase(std::string_view name, std::string_view suffix) {
  return name.size() > suffix.size() && SameFileName(name.substr(name.size() - suffix.size()), suffix);
}

// Explorer shows shortcuts without their extension.
std::string ShownName(const ListedFile& file) {
  std::string_view name = file.name;
  if (!file.folder && (EndsWithNoCase(name, ".lnk") || EndsWithNoCase(name, ".url"))) name.remove_suffix(4);
  std::string text;
  for (const char c : name) {
    text += c;
    if (c == '&') text += '&';
  }
  return text;
}

std::string PathIn(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + '\\' + name;
}

}  // namespace

bool FolderNameLess(std::string_view a, std::string_view b) {
  if (const int c = CompareForms(FileNameForm(a), FileNameForm(b))) return c < 0;
  return a < b;  // names that differ only in case (not on Windows): a steady order
}

std::vector<FolderMenuItem> FolderMenuOf(const std::string& folder, const FolderListing& listing) {
  std::vector<FolderMenuItem> menu{{FolderItemKind::kOpen, texts::kFolderMenuOpen, folder},
                                   {FolderItemKind::kSeparator, "", ""}};
  if (!listing.readable) {
    menu.push_back({FolderItemKind::kUnreadable, texts::kFolderMenuUnreadable, ""});
    return menu;
  }
  std::vector<const ListedFile*> shown;
  for (const ListedFile& file : listing.files)
    if (!file.hidden) shown.push_back(&file);
  std::sort(shown.begin(), shown.end(), [](const ListedFile* a, const ListedFile* b) {
    if (a->folder != b->folder) return a->folder;
    return FolderNameLess(a->name, b->name);
  });
  if (shown.empty()) menu.push_back({FolderItemKind::kEmpty, texts::kFolderMenuEmpty, ""});
  for (size_t i = 0; i < shown.size() && i < kFolderMenuLimit; ++i)
    menu.push_back({shown[i]->folder ? FolderItemKind::kFolder : FolderItemKind::kFile, ShownName(*shown[i]),
                    PathIn(folder, shown[i]->name)});
  if (shown.size() > kFolderMenuLimit) menu.push_back({FolderItemKind::kMore, texts::kFolderMenuMore, folder});
  return menu;
}

std::optional<std::string> FolderMenuTarget(const ButtonEntry& entry, const Activation& how, const PathPorts& ports) {
  if (!how.click || how.page != 0 || how.shift.shift || !OffersFolderMenu(entry)) return std::nullopt;
  return StartPathsOf(entry, ports).file;
}

ShellRequest FolderItemRequest(const std::string& path, std::uintptr_t owner, bool elevated, const FileProbe& probe) {
  StartPaths start{path, ExtractFileDir(path)};
  if (elevated) start = ForElevatedStart(std::move(start), probe);
  return {owner, "open", start.file, "", start.directory, kShowNormal, elevated};
}

}  // namespace core
