#include "launch_button/target_icon.h"

#include "base/win.h"

#include <commctrl.h>
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
UniqueHicon FromIconLocation(std::wstring location, IconSize size) {
  int index = 0;
  if (size_t comma = location.rfind(L','); comma != std::wstring::npos && comma + 1 < location.size()) {
    index = _wtoi(location.c_str() + comma + 1);
    location.resize(comma);
  }
  if (location.size() >= 2 && location.front() == L'"' && location.back() == L'"')
    location = location.substr(1, location.size() - 2);
  wchar_t expanded[MAX_PATH] = L"";
  if (ExpandEnvironmentStringsW(location.c_str(), expanded, MAX_PATH) - 1 < MAX_PATH) location = expanded;
  return ExtractedIcon(location, index, size);
}

std::wstring Associated(const std::wstring& scheme, ASSOCSTR what) {
  static const auto query = Bind<decltype(&AssocQueryStringW)>(Shlwapi(), "AssocQueryStringW");
  wchar_t text[MAX_PATH * 2] = L"";
  DWORD size = MAX_PATH * 2;
  if (!query || FAILED(query(ASSOCF_IS_PROTOCOL, what, scheme.c_str(), nullptr, text, &size))) return {};
  return text;
}

UniqueHicon AddressIcon(const TargetIconSource& source, IconSize size) {
  if (UniqueHicon icon = FromIconLocation(source.iconLocation, size)) return icon;
  return ExtractedIcon(source.handler, 0, size);
}

UniqueHicon ShellNameIcon(const std::string& name, IconSize size) {
  static const auto parse = Bind<decltype(&SHParseDisplayName)>(Shell32(), "SHParseDisplayName");
  static const auto fileInfo = Bind<decltype(&SHGetFileInfoW)>(Shell32(), "SHGetFileInfoW");
  ComMemory<PIDLIST_ABSOLUTE> item;
  if (!parse || !fileInfo || FAILED(parse(Widen(name).c_str(), nullptr, item.put(), 0, nullptr)) || !item) return {};
  SHFILEINFOW info{};
  const UINT what =
      size.IsSystemSize() ? SHGFI_ICON | (size.small ? SHGFI_SMALLICON : SHGFI_LARGEICON) : SHGFI_SYSICONINDEX;
  if (!fileInfo(reinterpret_cast<LPCWSTR>(item.get()), 0, &info, sizeof info, SHGFI_PIDL | what)) return {};
  return size.IsSystemSize() ? UniqueHicon(info.hIcon) : SystemImage(info.iIcon, size);
}

// IID_IImageList: the system image lists are handed out as this interface, which is
// the same object as an HIMAGELIST.
constexpr GUID kImageListInterface = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

}  // namespace

// At 96 DPI the file's own 16 or 32 pixel image; else the image of the size asked for.
UniqueHicon ExtractedIcon(const std::wstring& file, int index, IconSize size) {
  if (file.empty()) return {};
  if (!size.IsSystemSize()) {
    static const auto extract = Bind<decltype(&SHDefExtractIconW)>(Shell32(), "SHDefExtractIconW");
    HICON icon = nullptr;
    const UINT pixels = static_cast<UINT>(size.Pixels());
    HRESULT result = extract ? extract(file.c_str(), index, 0, &icon, nullptr, MAKELONG(pixels, pixels)) : E_FAIL;
    UniqueHicon keep(icon);
    return result == S_OK ? std::move(keep) : UniqueHicon();
  }
  static const auto extract = Bind<decltype(&ExtractIconExW)>(Shell32(), "ExtractIconExW");
  HICON large = nullptr, little = nullptr;
  // Only a count above 0 means the icon exists; the handles may be filled regardless.
  UINT count = extract ? extract(file.c_str(), index, &large, &little, 1) : 0;
  UniqueHicon keepLarge(large), keepSmall(little);
  if (count == 0 || count == UINT_MAX) return {};
  return size.small ? std::move(keepSmall) : std::move(keepLarge);
}

// From the smallest system image list that is at least as big as asked.
UniqueHicon SystemImage(int index, IconSize size) {
  static const auto getImageList = Bind<decltype(&SHGetImageList)>(Shell32(), "SHGetImageList");
  if (!getImageList) return {};
  HIMAGELIST best = nullptr;
  for (int list : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
    void* images = nullptr;
    if (FAILED(getImageList(list, kImageListInterface, &images)) || !images) continue;
    best = static_cast<HIMAGELIST>(images);
    int cx = 0, cy = 0;
    if (ImageList_GetIconSize(best, &cx, &cy) && cx >= size.Pixels()) break;
  }
  return best ? UniqueHicon(ImageList_GetIcon(best, index, ILD_NORMAL)) : UniqueHicon();
}

TargetIconSource IconSourceOf(const std::string& target) {
  TargetIconSource source{target, {}, {}};
  if (core::KindOfTarget(target) != core::TargetKind::kAddress) return source;
  const std::wstring scheme = Widen(target.substr(0, target.find(':')));
  source.iconLocation = Associated(scheme, ASSOCSTR_DEFAULTICON);
  source.handler = Associated(scheme, ASSOCSTR_EXECUTABLE);
  return source;
}

UniqueHicon TargetIcon(const TargetIconSource& source, IconSize size) {
  switch (core::KindOfTarget(source.target)) {
    case core::TargetKind::kAddress: return AddressIcon(source, size);
    case core::TargetKind::kShellName: return ShellNameIcon(source.target, size);
    case core::TargetKind::kFile: break;
  }
  return {};
}

UniqueHicon InternetShortcutIcon(const std::string& file, IconSize size) {
  const std::wstring path = ShellPath(file);
  wchar_t iconFile[MAX_PATH] = L"";
  GetPrivateProfileStringW(L"InternetShortcut", L"IconFile", L"", iconFile, MAX_PATH, path.c_str());
  if (!*iconFile) return {};
  const int index = static_cast<int>(GetPrivateProfileIntW(L"InternetShortcut", L"IconIndex", 0, path.c_str()));
  return ExtractedIcon(iconFile, index, size);
}

}  // namespace win32
