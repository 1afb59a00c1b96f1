#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch_button/button_entry.h"
#include "launch_button/launch_button.h"

namespace core {

// One name in a folder as the system lists it.
struct ListedFile {
  std::string name;
  bool folder = false;
  bool hidden = false;  // hidden or system: the menu leaves it out
};

// A folder as it was read: unreadable when it could not be read at all or not in time.
struct FolderListing {
  bool readable = false;
  std::vector<ListedFile> files;
};

enum class FolderItemKind { kOpen, kSeparator, kFolder, kFile, kEmpty, kUnreadable, kMore };

// One line of a folder's menu. `path` is what it starts or, for a subfolder, what its
// submenu reads; for "open" and "the rest" it is the folder itself.
struct FolderMenuItem {
  FolderItemKind kind = FolderItemKind::kFile;
  std::string text;  // as the menu shows it: an "&" doubled, so that it shows as itself
  std::string path;
  friend bool operator==(const FolderMenuItem&, const FolderMenuItem&) = default;
};

// The most names of a folder one level of the menu lists.
inline constexpr std::size_t kFolderMenuLimit = 500;
// A folder not read within this time (an offline share) shows as unreadable.
inline constexpr unsigned kFolderReadLimitMs = 2000;

// The order of names in the menu: runs of digits by their value ("file2" before
// "file10"), everything else as Windows compares file names, without regard to case.
bool FolderNameLess(std::string_view a, std::string_view b);

// The menu of `folder` from its listing: "open the folder", a separator, its
// subfolders, then its files, each group in name order; hidden and system names left
// out; shortcuts (.lnk, .url) without their extension; at most kFolderMenuLimit names,
// then one line that opens the folder for the rest; one grey line when it is empty or
// unreadable.
std::vector<FolderMenuItem> FolderMenuOf(const std::string& folder, const FolderListing& listing);

// The folder whose menu an activation of the button opens: only a click on the shown
// button (released over it, or Enter or Space on it) without Shift, and only for a
// button that offers one. Every other activation opens the folder as before.
std::optional<std::string> FolderMenuTarget(const ButtonEntry& entry, const Activation& how, const PathPorts& ports);

// The start of a chosen file or folder of the menu: verb "open", its own folder as the
// working folder, a normal window. Its path is the file's own, taken as it is (a name
// may hold "%"), unlike a button's stored path; as administrator, a path on a mapped
// drive goes by its network name.
ShellRequest FolderItemRequest(const std::string& path, std::uintptr_t owner, bool elevated, const FileProbe& probe);

}  // namespace core
