#include "launch_button/button_drop_target.h"

#include <shellapi.h>
#include <shlobj.h>

#include "base/com.h"
#include "base/lazy_library.h"
#include "base/log.h"
#include "base/shell_item.h"
#include "base/shell_path.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// Spelled out, as mingw-w64's own interface ids are not to be relied on.
constexpr GUID kIidDropTarget = {0x00000122, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// One format of the data as global memory, released when it goes.
class Medium {
 public:
  Medium(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    held_ = data && SUCCEEDED(data->GetData(&wanted, &medium_)) && medium_.tymed == TYMED_HGLOBAL;
  }
  ~Medium() {
    static const auto release = Bind<decltype(&ReleaseStgMedium)>(Ole32(), "ReleaseStgMedium");
    if (held_ && release) release(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
  HGLOBAL Global() const { return held_ ? medium_.hGlobal : nullptr; }

 private:
  STGMEDIUM medium_{};
  bool held_ = false;
};

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

std::vector<std::string> ExistingFiles(IDataObject* data) {
  Medium medium(data, CF_HDROP);
  std::vector<std::string> paths = DroppedPaths(static_cast<HDROP>(medium.Global()));
  // The shell's data of a virtual item may name a file that is not there.
  for (const std::string& path : paths)
    if (GetFileAttributesW(SystemPath(path).c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  return paths;
}

std::string ParsingName(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE child) {
  static const auto combine = Bind<decltype(&ILCombine)>(Shell32(), "ILCombine");
  if (!combine) return {};
  ComMemory<PIDLIST_ABSOLUTE> full(combine(parent, child));
  return full ? ShellItem(full.get()).Name(SIGDN_DESKTOPABSOLUTEPARSING) : std::string();
}

std::vector<std::string> ShellItems(IDataObject* data) {
  Medium medium(data, Format(CFSTR_SHELLIDLIST));
  std::vector<std::string> names;
  auto* ids = static_cast<const CIDA*>(GlobalLock(medium.Global()));
  if (!ids) return names;
  const auto* base = reinterpret_cast<const BYTE*>(ids);
  const auto parent = reinterpret_cast<PCIDLIST_ABSOLUTE>(base + ids->aoffset[0]);
  for (UINT i = 1; i <= ids->cidl; ++i) {
    std::string name = ParsingName(parent, reinterpret_cast<PCUIDLIST_RELATIVE>(base + ids->aoffset[i]));
    if (!name.empty()) names.push_back(std::move(name));
  }
  GlobalUnlock(medium.Global());
  return names;
}

std::vector<std::string> Address(IDataObject* data) {
  Medium medium(data, Format(L"UniformResourceLocatorW"));
  const auto* text = static_cast<const wchar_t*>(GlobalLock(medium.Global()));
  if (!text) return {};
  std::string address = Narrow(std::wstring(text, wcsnlen(text, GlobalSize(medium.Global()) / sizeof(wchar_t))));
  GlobalUnlock(medium.Global());
  if (address.empty()) return {};
  return {address};
}

bool Offers(IDataObject* data) {
  for (CLIPFORMAT format :
       {static_cast<CLIPFORMAT>(CF_HDROP), Format(CFSTR_SHELLIDLIST), Format(L"UniformResourceLocatorW")}) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (data && data->QueryGetData(&wanted) == S_OK) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> DroppedPaths(HDROP drop) {
  static const auto query = Bind<decltype(&DragQueryFileW)>(Shell32(), "DragQueryFileW");
  std::vector<std::string> paths;
  if (!drop || !query) return paths;
  for (UINT i = 0, count = query(drop, 0xFFFFFFFF, nullptr, 0); i < count; ++i) {
    std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(Narrow(path));
  }
  return paths;
}

std::vector<std::string> DroppedTargets(IDataObject* data) {
  if (std::vector<std::string> files = ExistingFiles(data); !files.empty()) return files;
  if (std::vector<std::string> items = ShellItems(data); !items.empty()) return items;
  return Address(data);
}

bool ButtonDropTarget::Register(HWND window) {
  static const auto initialize = Bind<decltype(&OleInitialize)>(Ole32(), "OleInitialize");
  static const auto registerTarget = Bind<decltype(&RegisterDragDrop)>(Ole32(), "RegisterDragDrop");
  static const bool ready = initialize && SUCCEEDED(initialize(nullptr));
  if (!ready || !registerTarget) return false;
  const HRESULT result = registerTarget(window, this);
  if (FAILED(result)) LogFailure("taking drops on a launch button", "RegisterDragDrop " + std::to_string(result));
  return SUCCEEDED(result);
}

HRESULT ButtonDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ButtonDropTarget::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT ButtonDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  offered_ = Offers(data);
  return DragOver(0, {}, effect);
}

HRESULT ButtonDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = offered_ && accepts_() ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT ButtonDropTarget::DragLeave() {
  offered_ = false;
  return S_OK;
}

HRESULT ButtonDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  const bool take = offered_ && accepts_();
  offered_ = false;
  if (effect) *effect = take ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  if (!take) return S_OK;
  try {
    std::vector<std::string> targets = DroppedTargets(data);
    if (!targets.empty()) dropped_(targets);
  } catch (...) {
    LogCurrentException("a drop on a launch button");
  }
  return S_OK;
}

}  // namespace win32
