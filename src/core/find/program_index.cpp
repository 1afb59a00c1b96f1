#include "find/program_index.h"

#include <algorithm>
#include <unordered_map>

#include "find/search_text.h"
#include "launch_button/path_text.h"
#include "ports/program_sources.h"
#include "storage/file_name_case.h"
#include "storage/file_system.h"

namespace core {
namespace {

constexpr std::string_view kAppsFolderClass = "::{4234D49B-0245-4DF3-B780-3893943456E1}\\";
constexpr std::string_view kAppsFolderText = "shell:AppsFolder\\";

std::string Extension(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : FileNameForm(std::string_view(name).substr(dot));
}

bool OneOf(const std::string& extension, std::initializer_list<std::string_view> extensions) {
  return std::ranges::find(extensions, extension) != extensions.end();
}

bool IsShortcut(std::string_view path) { return OneOf(Extension(path), {".LNK", ".URL", ".APPREF-MS"}); }

// An uninstaller by its name or its target's file name, in any case or width.
bool IsUninstaller(const std::string& name, const std::string& target) {
  for (const std::string& text : {SearchForm(name), SearchForm(ExtractFileName(target))})
    for (std::string_view word : {"uninstall", "unins000", "アンインストール"})
      if (Holds(text, SearchForm(word))) return true;
  return false;
}

bool IsDocument(const std::string& target) {
  return OneOf(Extension(target), {".CHM", ".HLP", ".TXT", ".RTF", ".PDF", ".HTM", ".HTML"});
}

}  // namespace

bool IsProgramFile(std::string_view path) { return IsShortcut(path) || Extension(path) == ".EXE"; }

namespace {

struct Walk {
  const ProgramSources& sources;
  const FileSystem& files;
  const std::function<bool()>& stopped;
  std::vector<FoundFile> found;
};

void AddProgramFiles(Walk& walk, ProgramPlace place, const std::string& folder, int depth) {
  std::vector<FolderEntry> entries = walk.files.ListFolder(folder);
  std::ranges::sort(entries, {}, [](const FolderEntry& entry) { return FileNameForm(entry.name); });
  for (const FolderEntry& entry : entries) {
    if (walk.stopped && walk.stopped()) return;
    const std::string path = folder + "\\" + entry.name;
    if (entry.folder) {
      if (LooksInSubfolders(place) && depth < kDeepestFolder) AddProgramFiles(walk, place, path, depth + 1);
    } else if (IsProgramFile(entry.name)) {
      walk.found.push_back(
          {place, path, Extension(path) == ".LNK" ? walk.sources.ShortcutTarget(path) : std::string()});
    }
  }
}

}  // namespace

std::vector<FoundFile> ProgramFiles(const ProgramSources& sources, const FileSystem& files,
                                    const std::function<bool()>& stopped) {
  Walk walk{sources, files, stopped, {}};
  for (const ProgramSources::Folder& folder : sources.Folders()) {
    if (stopped && stopped()) break;
    AddProgramFiles(walk, folder.place, folder.path, 1);
  }
  return std::move(walk.found);
}

std::string AppsFolderText(std::string_view parsingName) {
  if (parsingName.size() > kAppsFolderClass.size() &&
      FileNameForm(parsingName.substr(0, kAppsFolderClass.size())) == FileNameForm(kAppsFolderClass))
    parsingName.remove_prefix(kAppsFolderClass.size());
  if (parsingName.find('!') == std::string_view::npos || parsingName.find_first_of("\\:/") != std::string_view::npos)
    return {};
  return std::string(kAppsFolderText) + std::string(parsingName);
}

std::vector<InstalledProgram> IndexPrograms(const std::vector<FoundFile>& files, const std::vector<FoundApp>& apps) {
  std::vector<InstalledProgram> programs;
  std::unordered_map<std::string, size_t> byProgram;  // the program's file name form: its line
  auto add = [&](InstalledProgram program) {
    const std::string key = FileNameForm(program.program);
    const auto [at, added] = byProgram.try_emplace(key, programs.size());
    if (added)
      programs.push_back(std::move(program));
    else if (program.place < programs[at->second].place)
      programs[at->second] = std::move(program);
  };
  for (const FoundFile& file : files) {
    if (!IsProgramFile(file.path)) continue;
    const bool shortcut = IsShortcut(file.path);
    const std::string& program = shortcut && !file.target.empty() ? file.target : file.path;
    const std::string name = FileTitle(file.path);
    if (IsUninstaller(name, program) || (shortcut && IsDocument(program))) continue;
    add({name, file.path, file.place, program});
  }
  for (const FoundApp& app : apps) {
    std::string stored = AppsFolderText(app.parsingName);
    if (stored.empty() || IsUninstaller(app.displayName, "")) continue;
    add({app.displayName, stored, ProgramPlace::kApps, stored});
  }
  return programs;
}

std::unordered_set<std::string> ProgramsOnButtons(const std::vector<Page>& pages) {
  std::unordered_set<std::string> held;
  for (const Page& page : pages)
    for (const ButtonEntry& entry : page.buttons)
      if (!entry.Empty()) held.insert(FileNameForm(entry.path));
  return held;
}

ProgramIndex::ProgramIndex(std::vector<InstalledProgram> programs) {
  items_.reserve(programs.size());
  for (InstalledProgram& program : programs) {
    Item item{std::move(program), {}, {}, {}};
    item.name = SearchForm(item.program.name);
    item.stored = FileNameForm(item.program.stored);
    item.programForm = FileNameForm(item.program.program);
    items_.push_back(std::move(item));
  }
  std::ranges::stable_sort(items_, {}, [](const Item& item) { return FileNameForm(item.program.name); });
}

size_t ProgramIndex::Bytes() const {
  auto text = [](const std::string& s) { return s.capacity() > sizeof(std::string) ? s.capacity() + 1 : 0; };
  size_t bytes = sizeof(*this) + items_.capacity() * sizeof(Item);
  for (const Item& item : items_)
    for (const std::string* s :
         {&item.program.name, &item.program.stored, &item.program.program, &item.name, &item.stored, &item.programForm})
      bytes += text(*s);
  return bytes;
}

std::vector<const InstalledProgram*> ProgramIndex::Find(std::string_view query,
                                                        const std::unordered_set<std::string>& onButtons) const {
  std::vector<const InstalledProgram*> found;
  if (query.empty()) return found;
  const std::string form = SearchForm(query);
  for (bool beginning : {true, false}) {
    for (const Item& item : items_) {
      if (found.size() == kMostListed) return found;
      const size_t at = item.name.find(form);
      if (at == std::string::npos || (at == 0) != beginning) continue;
      if (onButtons.contains(item.stored) || onButtons.contains(item.programForm)) continue;
      found.push_back(&item.program);
    }
  }
  return found;
}

std::optional<ButtonPlace> FirstEmptyButton(const std::vector<Page>& pages, int shown, int count) {
  auto emptyOn = [&](int page) -> std::optional<ButtonPlace> {
    if (page < 1 || static_cast<size_t>(page) > pages.size()) return ButtonPlace{page, 1};
    const Page& p = pages[static_cast<size_t>(page - 1)];
    for (int k = 1; k <= kLaunchButtonCount; ++k)
      if (p.buttons[static_cast<size_t>(k - 1)].Empty()) return ButtonPlace{page, k};
    return std::nullopt;
  };
  for (int page = shown; page <= count; ++page)
    if (auto place = emptyOn(page)) return place;
  for (int page = 1; page < shown && page <= count; ++page)
    if (auto place = emptyOn(page)) return place;
  return std::nullopt;
}

}  // namespace core
