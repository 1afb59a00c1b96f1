#include "base/file_chooser.h"

#include <commdlg.h>
#include <shobjidl.h>

#include "base/com.h"
#include "base/handles.h"
#include "base/lazy_library.h"
#include "base/shell_item.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// "" when cancelled; nothing when the modern dialog is missing.
std::optional<std::string> ModernFileOpen(HWND owner, const FileChoice& choice) {
  static const auto create = Bind<decltype(&CoCreateInstance)>(Ole32(), "CoCreateInstance");
  if (!create) return std::nullopt;
  ComApartment com;
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(create(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                    reinterpret_cast<void**>(dialog.put()))))
    return std::nullopt;
  const std::wstring title = Widen(choice.title), name = Widen(choice.filterName),
                     pattern = Widen(choice.filterPattern);
  if (!title.empty()) dialog->SetTitle(title.c_str());
  const COMDLG_FILTERSPEC filter{name.c_str(), pattern.c_str()};
  if (!pattern.empty()) dialog->SetFileTypes(1, &filter);
  if (const ShellItem folder(choice.folder); folder) dialog->SetFolder(folder.get());
  std::optional<std::string> chosen;
  ComPtr<IShellItem> item;
  if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(item.put()))) {
    ComMemory<PWSTR> path;
    if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, path.put()))) chosen = Narrow(path.get());
  }
  return chosen ? chosen : std::optional<std::string>(std::string());
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const FileChoice& choice) {
  if (auto chosen = ModernFileOpen(owner, choice)) {
    if (chosen->empty()) return std::nullopt;
    return chosen;
  }
  std::wstring path(32768, L'\0');
  const std::wstring title = Widen(choice.title), folder = Widen(choice.folder);
  const std::wstring filter = choice.filterPattern.empty()
                                  ? std::wstring()
                                  : Widen(choice.filterName) + L'\0' + Widen(choice.filterPattern) + L'\0' + L'\0';
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  static const auto open = Bind<decltype(&GetOpenFileNameW)>(Comdlg32(), "GetOpenFileNameW");
  if (!open || !open(&dialog)) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  return Narrow(path);
}

}  // namespace win32
