#include "base/folder_chooser.h"

#include <shlobj.h>

#include "base/lazy_library.h"
#include "base/utf16.h"

namespace win32 {
namespace {

int CALLBACK StartIn(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& start) {
  static const auto browse = Bind<decltype(&SHBrowseForFolderW)>(Shell32(), "SHBrowseForFolderW");
  static const auto pathFromList = Bind<decltype(&SHGetPathFromIDListW)>(Shell32(), "SHGetPathFromIDListW");
  static const auto freeMemory = Bind<decltype(&CoTaskMemFree)>(Ole32(), "CoTaskMemFree");
  if (!browse || !pathFromList || !freeMemory) return std::nullopt;
  std::wstring startWide = Widen(start);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = StartIn;
  info.lParam = reinterpret_cast<LPARAM>(startWide.c_str());
  PIDLIST_ABSOLUTE list = browse(&info);
  if (!list) return std::nullopt;
  wchar_t path[MAX_PATH] = L"";
  bool ok = pathFromList(list, path);
  freeMemory(list);
  if (!ok) return std::nullopt;
  return Narrow(path);
}

}  // namespace win32
