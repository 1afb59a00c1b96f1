#include "base/win_program_sources.h"

#include <shlobj.h>

#include <knownfolders.h>

#include "base/com.h"
#include "base/handles.h"
#include "base/lazy_library.h"
#include "base/shell_item.h"
#include "base/shell_path.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// Spelled out, as mingw-w64's own interface ids are not to be relied on.
constexpr GUID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidShellLink = {0x000214f9, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidPersistFile = {0x0000010b, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kEnumItemsHandler = {0x94f60519, 0x2850, 0x4924, {0xaa, 0x5a, 0xd1, 0x5e, 0x84, 0x86, 0x80, 0x39}};
constexpr GUID kIidEnumShellItems = {0x70629033, 0xe363, 0x4a28, {0xa5, 0x67, 0x0d, 0xb7, 0x80, 0x06, 0xe6, 0xd7}};

// A longer path than the system's longest cannot come back cut.
constexpr int kLongestPath = 32768;

std::optional<std::string> KnownFolderPath(REFKNOWNFOLDERID folder) {
  static const auto get = Bind<decltype(&SHGetKnownFolderPath)>(Shell32(), "SHGetKnownFolderPath");
  if (!get) return std::nullopt;
  // Freed also when the call fails, as the shell asks.
  ComMemory<PWSTR> path;
  if (FAILED(get(folder, KF_FLAG_DONT_VERIFY, nullptr, path.put())) || !path || !*path.get()) return std::nullopt;
  return Narrow(path.get());
}

std::string NameOf(IShellItem& item, SIGDN form) {
  ComMemory<PWSTR> name;
  if (FAILED(item.GetDisplayName(form, name.put())) || !name) return {};
  return Narrow(name.get());
}

}  // namespace

std::vector<core::ProgramSources::Folder> WinProgramSources::Folders() const {
  if (folders_) return *folders_;
  std::vector<Folder> folders;
  const std::pair<core::ProgramPlace, const KNOWNFOLDERID*> places[] = {
      {core::ProgramPlace::kUserStart, &FOLDERID_Programs},
      {core::ProgramPlace::kCommonStart, &FOLDERID_CommonPrograms},
      {core::ProgramPlace::kUserDesktop, &FOLDERID_Desktop},
      {core::ProgramPlace::kPublicDesktop, &FOLDERID_PublicDesktop},
  };
  for (const auto& [place, id] : places)
    if (auto path = KnownFolderPath(*id)) folders.push_back({place, std::move(*path)});
  return folders;
}

std::string WinProgramSources::ShortcutTarget(const std::string& path) const {
  static const auto create = Bind<decltype(&CoCreateInstance)>(Ole32(), "CoCreateInstance");
  if (!create) return {};
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(create(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLink,
                    reinterpret_cast<void**>(link.put()))) ||
      FAILED(link->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(file.put()))) ||
      FAILED(file->Load(ShellPath(path).c_str(), STGM_READ)))
    return {};
  // S_FALSE and an empty text: the shortcut leads to a shell item, not to a file.
  std::wstring target(kLongestPath, L'\0');
  if (link->GetPath(target.data(), kLongestPath, nullptr, 0) != S_OK) return {};
  target.resize(wcsnlen(target.c_str(), target.size()));
  return Narrow(target);
}

std::vector<core::FoundApp> WinProgramSources::Apps() const {
  std::vector<core::FoundApp> apps;
  const ShellItem folder = ShellItem::OfKnownFolder(FOLDERID_AppsFolder);
  ComPtr<IEnumShellItems> items;
  if (!folder ||
      FAILED(folder.get()->BindToHandler(nullptr, kEnumItemsHandler, kIidEnumShellItems,
                                         reinterpret_cast<void**>(items.put()))) ||
      !items)
    return apps;
  for (;;) {
    ComPtr<IShellItem> item;
    if (items->Next(1, item.put(), nullptr) != S_OK || !item) break;
    core::FoundApp app{NameOf(*item.get(), SIGDN_PARENTRELATIVEPARSING), NameOf(*item.get(), SIGDN_NORMALDISPLAY)};
    if (!app.parsingName.empty() && !app.displayName.empty()) apps.push_back(std::move(app));
  }
  return apps;
}

}  // namespace win32
