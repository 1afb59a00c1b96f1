#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "launch/page_file.h"

namespace core {

// Where an installed program was found, in the order of precedence: of two places
// that hold the same program, the earlier wins.
enum class ProgramPlace { kUserStart, kCommonStart, kUserDesktop, kPublicDesktop, kApps };

// A file found in one of the places' folders (or their subfolders).
struct FoundFile {
  ProgramPlace place = ProgramPlace::kUserStart;
  std::string path;
  // A shortcut's target as the shortcut holds it; empty for a program file, and for a
  // shortcut whose target cannot be read (such a shortcut is still listed).
  std::string target;
  friend bool operator==(const FoundFile&, const FoundFile&) = default;
};

// An item of the Applications folder: its parsing name and the name it shows.
struct FoundApp {
  std::string parsingName;
  std::string displayName;
  friend bool operator==(const FoundApp&, const FoundApp&) = default;
};

// One installed program, as the find box lists it and a button would store it.
struct InstalledProgram {
  std::string name;    // a shortcut's or program's file name without its extension; an app's name
  std::string stored;  // the shortcut's own path, the program's path, or shell:AppsFolder\<id>
  ProgramPlace place = ProgramPlace::kUserStart;
  std::string program;  // what it starts: a shortcut's target, else the stored text
  friend bool operator==(const InstalledProgram&, const InstalledProgram&) = default;
};

// Whether a file of that name can be an installed program: a shortcut (.lnk), an
// Internet shortcut (.url), a ClickOnce reference (.appref-ms) or a program (.exe).
bool IsProgramFile(std::string_view path);

// The text a button stores for an item of the Applications folder: "shell:AppsFolder\"
// followed by its application user model id, whether the parsing name is the id alone
// or the id under the folder's class id; empty for an item that is no packaged app
// (its parsing name holds no "!").
std::string AppsFolderText(std::string_view parsingName);

class FileSystem;
class ProgramSources;

// Whether a place's subfolders are looked in too: the Start menu's are (its programs'
// folders); a desktop's are not, where a project's folder would bring its builds along.
inline bool LooksInSubfolders(ProgramPlace place) {
  return place == ProgramPlace::kUserStart || place == ProgramPlace::kCommonStart;
}

// The program files in the places' folders and, for the Start menu, their subfolders
// (not deeper than kDeepestFolder, so that a folder linked into itself ends), with
// each shortcut's target. A folder that cannot be read holds nothing. `stopped` is asked before each
// file and folder: once it holds, the walk ends with what it has found.
inline constexpr int kDeepestFolder = 8;
std::vector<FoundFile> ProgramFiles(const ProgramSources& sources, const FileSystem& files,
                                    const std::function<bool()>& stopped = {});

// The programs of the files and apps found: uninstallers and shortcuts to documents
// are left out; the same program found in several places is listed once, as the place
// of highest precedence has it. In the order found.
std::vector<InstalledProgram> IndexPrograms(const std::vector<FoundFile>& files, const std::vector<FoundApp>& apps);

// What the buttons of a user's pages hold, in the form Windows compares file names in:
// a program one of them holds is listed only as that button.
std::unordered_set<std::string> ProgramsOnButtons(const std::vector<Page>& pages);

// The installed programs, each name already in search form and in name order, so that
// each typed key only compares texts.
class ProgramIndex {
 public:
  static constexpr size_t kMostListed = 50;

  ProgramIndex() = default;
  explicit ProgramIndex(std::vector<InstalledProgram> programs);

  // The programs whose name holds `query` (in any letter case, width or kana), none of
  // `onButtons`: first those whose name begins with it, then the others, each by name
  // as Windows compares names; at most kMostListed. An empty query finds none.
  std::vector<const InstalledProgram*> Find(std::string_view query,
                                            const std::unordered_set<std::string>& onButtons) const;
  size_t Size() const { return items_.size(); }
  // About the memory it takes, in bytes: its lines and their texts.
  size_t Bytes() const;

 private:
  struct Item {
    InstalledProgram program;
    std::string name;                 // in search form
    std::string stored, programForm;  // in file name form
  };
  std::vector<Item> items_;
};

// A button of some page.
struct ButtonPlace {
  int page = 0, button = 0;
  friend bool operator==(const ButtonPlace&, const ButtonPlace&) = default;
};

// Where a program put on a button goes: the first empty button of the page shown,
// else of the pages after it up to the count, else of the pages before it; nothing
// when every button of those pages holds a program. Page p is pages[p - 1]; a page
// beyond the pages given is empty.
std::optional<ButtonPlace> FirstEmptyButton(const std::vector<Page>& pages, int shown, int count);

}  // namespace core
