#include "launch_button/button_drop_target.h"

#include <cstdint>
#include <cstring>

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

// One format of the data, released as its storage medium says when it goes.
class Medium {
 public:
  Medium(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    held_ = data && SUCCEEDED(data->GetData(&wanted, &medium_));
  }
  ~Medium() {
    static const auto release = Bind<decltype(&ReleaseStgMedium)>(Ole32(), "ReleaseStgMedium");
    if (held_ && release) release(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
  // Null unless the source gave global memory, as asked.
  HGLOBAL Global() const { return held_ && medium_.tymed == TYMED_HGLOBAL ? medium_.hGlobal : nullptr; }

 private:
  STGMEDIUM medium_{};
  bool held_ = false;
};

// The bytes of global memory while they are locked; none for no memory.
class Locked {
 public:
  explicit Locked(HGLOBAL global)
      : global_(global),
        bytes_(global ? static_cast<const BYTE*>(GlobalLock(global)) : nullptr),
        size_(bytes_ ? GlobalSize(global) : 0) {}
  ~Locked() {
    if (bytes_) GlobalUnlock(global_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  const BYTE* Bytes() const { return bytes_; }
  size_t Size() const { return size_; }

 private:
  HGLOBAL global_;
  const BYTE* bytes_;
  size_t size_;
};

template <typename T>
T Read(const BYTE* bytes) {
  T value;
  memcpy(&value, bytes, sizeof value);
  return value;
}

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

// Whether a drop list's names, after their header, end with their two zeros within the
// memory: the system reads them without a bound.
bool FileListFits(HGLOBAL global) {
  Locked block(global);
  if (!block.Bytes() || block.Size() < sizeof(DROPFILES)) return false;
  const auto header = Read<DROPFILES>(block.Bytes());
  const size_t unit = header.fWide ? sizeof(wchar_t) : 1;
  size_t run = 0;  // zeros in a row
  for (size_t at = header.pFiles; at + unit <= block.Size(); at += unit) {
    const bool zero = unit == 1 ? block.Bytes()[at] == 0 : Read<wchar_t>(block.Bytes() + at) == 0;
    run = zero ? run + 1 : 0;
    if (run == 2 || (zero && at == header.pFiles)) return true;  // the end, or an empty list
  }
  return false;
}

// Every path the drag carries as files, whether they exist or not.
std::vector<std::string> FilePaths(IDataObject* data) {
  Medium medium(data, CF_HDROP);
  if (!FileListFits(medium.Global())) return {};
  return DroppedPaths(static_cast<HDROP>(medium.Global()));
}

bool Exists(const std::string& path) { return GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether an item id list starting at `offset` ends, with its zero, within `size` bytes.
bool IdListFits(const BYTE* base, size_t size, size_t offset) {
  while (offset + sizeof(USHORT) <= size) {
    const auto length = Read<USHORT>(base + offset);
    if (length == 0) return true;
    if (length < sizeof(USHORT)) return false;
    offset += length;
  }
  return false;
}

std::string ParsingName(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE child) {
  static const auto combine = Bind<decltype(&ILCombine)>(Shell32(), "ILCombine");
  if (!combine) return {};
  ComMemory<PIDLIST_ABSOLUTE> full(combine(parent, child));
  return full ? ShellItem(full.get()).Name(SIGDN_DESKTOPABSOLUTEPARSING) : std::string();
}

// One name for each item of a Shell IDList Array, empty where the shell knows none;
// nothing when any of its offsets or lists would read past its memory.
std::vector<std::string> ShellItems(IDataObject* data) {
  Medium medium(data, Format(CFSTR_SHELLIDLIST));
  Locked block(medium.Global());
  const BYTE* base = block.Bytes();
  const size_t size = block.Size();
  if (!base || size < sizeof(UINT)) return {};
  const UINT count = Read<UINT>(base);
  if (static_cast<std::uint64_t>(count) + 2 > size / sizeof(UINT)) return {};  // the count and its offsets
  std::vector<UINT> offsets(count + 1);
  for (UINT i = 0; i <= count; ++i) {
    offsets[i] = Read<UINT>(base + sizeof(UINT) * (i + 1));
    if (!IdListFits(base, size, offsets[i])) return {};
  }
  std::vector<std::string> names;
  const auto parent = reinterpret_cast<PCIDLIST_ABSOLUTE>(base + offsets[0]);
  for (UINT i = 1; i <= count; ++i)
    names.push_back(ParsingName(parent, reinterpret_cast<PCUIDLIST_RELATIVE>(base + offsets[i])));
  return names;
}

std::vector<std::string> Address(IDataObject* data) {
  Medium medium(data, Format(L"UniformResourceLocatorW"));
  Locked block(medium.Global());
  const auto* text = reinterpret_cast<const wchar_t*>(block.Bytes());
  if (!text) return {};
  std::string address = Narrow(std::wstring(text, wcsnlen(text, block.Size() / sizeof(wchar_t))));
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
  std::vector<std::string> files = FilePaths(data);
  std::vector<std::string> items = ShellItems(data);
  if (files.size() >= 2) return files;
  if (items.size() >= 2) return items;
  // The shell's data of a virtual item may name a file that is not there.
  if (files.size() == 1 && Exists(files[0])) return files;
  if (items.size() == 1 && !items[0].empty()) return items;
  return Address(data);
}

bool ButtonDropTarget::Register(HWND window) {
  static const auto initialize = Bind<decltype(&OleInitialize)>(Ole32(), "OleInitialize");
  static const auto registerTarget = Bind<decltype(&RegisterDragDrop)>(Ole32(), "RegisterDragDrop");
  static const bool ready = initialize && SUCCEEDED(initialize(nullptr));
  if (!ready || !registerTarget) return false;
  const HRESULT result = registerTarget(window, this);
  if (FAILED(result)) LogFailure("taking drops on a launch button", "RegisterDragDrop " + std::to_string(result));
  if (SUCCEEDED(result)) window_ = window;
  return SUCCEEDED(result);
}

void ButtonDropTarget::Revoke() {
  static const auto revoke = Bind<decltype(&RevokeDragDrop)>(Ole32(), "RevokeDragDrop");
  if (!window_ || !revoke) return;
  const HRESULT result = revoke(window_);
  if (FAILED(result)) LogFailure("letting go of a launch button's drops", "RevokeDragDrop " + std::to_string(result));
  window_ = nullptr;
}

void ButtonDropTarget::DeliverDrops() {
  std::vector<std::vector<std::string>> taken;
  taken.swap(taken_);
  for (const auto& targets : taken) dropped_(targets);
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

// The system shows, and the source is told, only an effect the source allows: copy
// where it may, else link (the Start menu and the shell's virtual folders allow only
// that), else none.
DWORD ButtonDropTarget::Effect(DWORD allowed) const {
  if (!offered_ || !accepts_()) return DROPEFFECT_NONE;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return allowed & DROPEFFECT_LINK;
}

HRESULT ButtonDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  offered_ = Offers(data);
  return DragOver(keys, point, effect);
}

HRESULT ButtonDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT ButtonDropTarget::DragLeave() {
  offered_ = false;
  return S_OK;
}

// Only what was dropped is read here: the source waits in its drag until this returns.
HRESULT ButtonDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = Effect(*effect);
  offered_ = false;
  if (*effect == DROPEFFECT_NONE) return S_OK;
  try {
    std::vector<std::string> targets = DroppedTargets(data);
    if (targets.empty()) return S_OK;
    taken_.push_back(std::move(targets));
    if (window_) PostMessageW(window_, kDropTaken, 0, 0);
  } catch (...) {
    LogCurrentException("a drop on a launch button");
  }
  return S_OK;
}

}  // namespace win32
