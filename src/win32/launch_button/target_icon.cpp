#include "launch_button/target_icon.h"

#include "base/win.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/com.h"
#include "base/lazy_library.h"
#include "base/shell_path.h"
#include "base/utf16.h"
#include "launch_button/target_path.h"

namespace win32 {
namespace {

// "C:\x.exe,-101" or "\"C:\x.dll\",3": the file and the index (a negative one names a
// resource id, as ExtractIconEx takes it).
UniqueHicon FromIconLocation(std::wstring location, bool small) {
  int index = 0;
  if (size_t comma = location.rfind(L','); comma != std::wstring::npos && comma + 1 < location.size()) {
    index = _wtoi(location.c_str() + comma + 1);
    location.resize(comma);
  }
  if (location.size() >= 2 && location.front() == L'"' && location.back() == L'"')
    location = location.substr(1, location.size() - 2);
  wchar_t expanded[MAX_PATH] = L"";
  if (ExpandEnvironmentStringsW(location.c_str(), expanded, MAX_PATH) - 1 < MAX_PATH) location = expanded;
  return ExtractedIcon(location, index, small);
}

std::wstring Associated(const std::wstring& scheme, ASSOCSTR what) {
  static const auto query = Bind<decltype(&AssocQueryStringW)>(Shlwapi(), "AssocQueryStringW");
  wchar_t text[MAX_PATH * 2] = L"";
  DWORD size = MAX_PATH * 2;
  if (!query || FAILED(query(ASSOCF_IS_PROTOCOL, what, scheme.c_str(), nullptr, text, &size))) return {};
  return text;
}

UniqueHicon AddressIcon(const std::string& address, bool small) {
  const std::wstring scheme = Widen(address.substr(0, address.find(':')));
  if (UniqueHicon icon = FromIconLocation(Associated(scheme, ASSOCSTR_DEFAULTICON), small)) return icon;
  return ExtractedIcon(Associated(scheme, ASSOCSTR_EXECUTABLE), 0, small);
}

UniqueHicon ShellNameIcon(const std::string& name, bool small) {
  static const auto parse = Bind<decltype(&SHParseDisplayName)>(Shell32(), "SHParseDisplayName");
  static const auto fileInfo = Bind<decltype(&SHGetFileInfoW)>(Shell32(), "SHGetFileInfoW");
  ComMemory<PIDLIST_ABSOLUTE> item;
  if (!parse || !fileInfo || FAILED(parse(Widen(name).c_str(), nullptr, item.put(), 0, nullptr)) || !item) return {};
  SHFILEINFOW info{};
  if (!fileInfo(reinterpret_cast<LPCWSTR>(item.get()), 0, &info, sizeof info,
                SHGFI_PIDL | SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON)))
    return {};
  return UniqueHicon(info.hIcon);
}

}  // namespace

UniqueHicon ExtractedIcon(const std::wstring& file, int index, bool small) {
  static const auto extract = Bind<decltype(&ExtractIconExW)>(Shell32(), "ExtractIconExW");
  HICON large = nullptr, little = nullptr;
  // Only a count above 0 means the icon exists; the handles may be filled regardless.
  UINT count = extract && !file.empty() ? extract(file.c_str(), index, &large, &little, 1) : 0;
  UniqueHicon keepLarge(large), keepSmall(little);
  if (count == 0 || count == UINT_MAX) return {};
  return small ? std::move(keepSmall) : std::move(keepLarge);
}

UniqueHicon TargetIcon(const std::string& target, bool small) {
  switch (core::KindOfTarget(target)) {
    case core::TargetKind::kAddress: return AddressIcon(target, small);
    case core::TargetKind::kShellName: return ShellNameIcon(target, small);
    case core::TargetKind::kFile: break;
  }
  return {};
}

UniqueHicon InternetShortcutIcon(const std::string& file, bool small) {
  const std::wstring path = ShellPath(file);
  wchar_t iconFile[MAX_PATH] = L"";
  GetPrivateProfileStringW(L"InternetShortcut", L"IconFile", L"", iconFile, MAX_PATH, path.c_str());
  if (!*iconFile) return {};
  const int index = static_cast<int>(GetPrivateProfileIntW(L"InternetShortcut", L"IconIndex", 0, path.c_str()));
  return ExtractedIcon(iconFile, index, small);
}

}  // namespace win32
