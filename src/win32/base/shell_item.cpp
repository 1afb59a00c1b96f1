#include "base/shell_item.h"

#include <shlobj.h>

#include "base/com.h"
#include "base/lazy_library.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// Spelled out, as mingw-w64's own interface ids are not to be relied on.
constexpr GUID kIidShellItem = {0x43826d1e, 0xe718, 0x42ee, {0xbc, 0x55, 0xa1, 0xe2, 0x61, 0xc3, 0x7b, 0xfe}};

}  // namespace

ShellItem::ShellItem(const std::string& name) {
  static const auto create = Bind<decltype(&SHCreateItemFromParsingName)>(Shell32(), "SHCreateItemFromParsingName");
  if (!create || name.empty()) return;
  if (FAILED(create(Widen(name).c_str(), nullptr, kIidShellItem, reinterpret_cast<void**>(item_.put())))) item_.reset();
}

ShellItem::ShellItem(PCIDLIST_ABSOLUTE item) {
  static const auto create = Bind<decltype(&SHCreateItemFromIDList)>(Shell32(), "SHCreateItemFromIDList");
  if (!create || !item) return;
  if (FAILED(create(item, kIidShellItem, reinterpret_cast<void**>(item_.put())))) item_.reset();
}

ShellItem ShellItem::OfKnownFolder(REFKNOWNFOLDERID folder) {
  static const auto get = Bind<decltype(&SHGetKnownFolderItem)>(Shell32(), "SHGetKnownFolderItem");
  ShellItem item;
  if (get && FAILED(get(folder, KF_FLAG_DEFAULT, nullptr, kIidShellItem, reinterpret_cast<void**>(item.item_.put()))))
    item.item_.reset();
  return item;
}

std::string ShellItem::Name(SIGDN form) const {
  ComMemory<wchar_t*> name;
  if (!item_ || FAILED(item_->GetDisplayName(form, name.put())) || !name) return {};
  return Narrow(name.get());
}

}  // namespace win32
