#include "launch/folder_menu_popup.h"

#include <shellapi.h>

#include "base/com.h"
#include "base/handles.h"
#include "base/keyboard.h"
#include "base/lazy_library.h"
#include "base/menus.h"
#include "base/posted_closure.h"
#include "base/utf16.h"

namespace win32 {

using GetFileInfo = decltype(&SHGetFileInfoW);

struct FolderMenuPopup::Read {
  std::string folder;
  HWND owner = nullptr;
  GetFileInfo fileInfo = nullptr;  // bound on the window's thread
  UniqueKernel done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  ULONGLONG started = GetTickCount64();
  // Written on the reading thread before `done` is set, read on the window's after.
  bool notAFolder = false;
  std::vector<core::FolderMenuItem> items;
};

namespace {

constexpr wchar_t kMenuWindowClass[] = L"#32768";  // the system's class of a shown menu

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

core::FolderListing ListFolder(std::wstring folder) {
  core::FolderListing listing;
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW((folder + L'*').c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    listing.readable = GetLastError() == ERROR_FILE_NOT_FOUND;  // a drive's root that holds nothing
    return listing;
  }
  listing.readable = true;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD a = found.dwFileAttributes;
    listing.files.push_back({Narrow(name), (a & FILE_ATTRIBUTE_DIRECTORY) != 0,
                             (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return listing;
}

void CALLBACK RunTask(PTP_CALLBACK_INSTANCE, void* context) {
  std::unique_ptr<std::function<void()>> task(static_cast<std::function<void()>*>(context));
  (*task)();
}

bool OnThreadPool(std::function<void()> task) {
  auto* held = new std::function<void()>(std::move(task));
  if (TrySubmitThreadpoolCallback(RunTask, held, nullptr)) return true;
  delete held;
  return false;
}

BOOL CALLBACK RepaintMenuWindow(HWND window, LPARAM) {
  wchar_t name[16] = L"";
  if (GetClassNameW(window, name, 16) && std::wstring_view(name) == kMenuWindowClass)
    InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

// Until the read is done or its limit has passed; the windows paint meanwhile.
bool WaitForRead(HANDLE done, ULONGLONG started) {
  for (;;) {
    const ULONGLONG passed = GetTickCount64() - started;
    if (passed >= core::kFolderReadLimitMs) return WaitForSingleObject(done, 0) == WAIT_OBJECT_0;
    const DWORD left = static_cast<DWORD>(core::kFolderReadLimitMs - passed);
    if (MsgWaitForMultipleObjects(1, &done, FALSE, left, QS_PAINT) == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
  }
}

}  // namespace

std::shared_ptr<FolderMenuPopup::Read> FolderMenuPopup::StartRead(const std::string& folder) {
  auto read = std::make_shared<Read>();
  read->folder = folder;
  read->owner = owner_;
  read->fileInfo = Bind<GetFileInfo>(Shell32(), "SHGetFileInfoW");
  // The menu's items first; their icons, which may take the shell a while, after them.
  const bool queued = OnThreadPool([read, popup = this] {
    const std::wstring folder = Widen(read->folder);
    read->notAFolder = IsFile(folder);
    read->items = core::FolderMenuOf(read->folder, read->notAFolder ? core::FolderListing{} : ListFolder(folder));
    SetEvent(read->done.get());
    PostClosure(read->owner, [popup, read] { popup->Arrived(read); });
    if (!read->fileInfo) return;
    ComApartment com;
    std::vector<int> icons(read->items.size(), -1);
    HIMAGELIST list = nullptr;
    for (size_t i = 0; i < read->items.size(); ++i) {
      const core::FolderMenuItem& item = read->items[i];
      if (item.kind != core::FolderItemKind::kFolder && item.kind != core::FolderItemKind::kFile) continue;
      SHFILEINFOW info{};
      const auto images = reinterpret_cast<HIMAGELIST>(
          read->fileInfo(Widen(item.path).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
      if (!images) continue;
      list = images;
      icons[i] = info.iIcon;
    }
    PostClosure(read->owner, [popup, read, icons, list] { popup->IconsArrived(read.get(), icons, list); });
  });
  if (!queued) SetEvent(read->done.get());  // no thread: an unreadable folder, at once
  return read;
}

void FolderMenuPopup::Open(const std::string& folder, POINT at, Chosen chosen, std::function<void()> closed) {
  if (session_) {  // a second click while the first still reads
    if (closed) closed();
    return;
  }
  session_ = std::make_unique<Session>();
  session_->folder = folder;
  session_->at = at;
  session_->chosen = std::move(chosen);
  session_->closed = std::move(closed);
  session_->top = StartRead(folder);
  SetTimer(owner_, kReadLimitTimer, core::kFolderReadLimitMs, nullptr);
  if (WaitForSingleObject(session_->top->done.get(), 0) == WAIT_OBJECT_0) PostClosure(owner_, [this] { Show(); });
}

void FolderMenuPopup::Arrived(const std::shared_ptr<Read>& read) {
  if (session_ && !session_->root && session_->top == read) Show();
}

// The top menu: its folder's items, or unreadable once the limit has passed.
void FolderMenuPopup::Show() {
  KillTimer(owner_, kReadLimitTimer);
  if (!session_ || session_->root) return;
  const Read& top = *session_->top;
  const bool read = WaitForSingleObject(top.done.get(), 0) == WAIT_OBJECT_0;
  if (read && top.notAFolder) {
    const std::unique_ptr<Session> session = std::move(session_);
    session->chosen("", HeldModifiers());
    if (session->closed) session->closed();
    return;
  }
  session_->root = CreatePopupMenu();
  Fill(session_->root, &top, read ? top.items : core::FolderMenuOf(top.folder, {}));
  End(TrackMenu(session_->root, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, session_->at, owner_));
}

void FolderMenuPopup::End(int command) {
  const std::unique_ptr<Session> session = std::move(session_);
  DestroyMenu(session->root);  // and every submenu in it
  if (command > 0 && static_cast<size_t>(command) <= session->commands.size()) {
    const std::string& path = session->commands[static_cast<size_t>(command) - 1];
    session->chosen(path == session->folder ? "" : path, HeldModifiers());
  }
  if (session->closed) session->closed();
}

// Each item with a small icon drawn by the owner (HBMMENU_CALLBACK), its item data the
// icon's slot + 1; a subfolder with an empty submenu filled as it opens.
void FolderMenuPopup::Fill(HMENU menu, const Read* read, const std::vector<core::FolderMenuItem>& items) {
  std::vector<size_t>& slots = session_->iconSlots[read];
  slots.assign(items.size(), SIZE_MAX);
  for (size_t i = 0; i < items.size(); ++i) {
    const core::FolderMenuItem& item = items[i];
    const std::wstring text = Widen(item.text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    switch (item.kind) {
      case core::FolderItemKind::kSeparator:
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
        break;
      case core::FolderItemKind::kEmpty:
      case core::FolderItemKind::kUnreadable: info.fState = MFS_GRAYED; break;
      case core::FolderItemKind::kOpen:
      case core::FolderItemKind::kMore:
        info.fMask |= MIIM_ID;
        session_->commands.push_back(item.path);
        info.wID = static_cast<UINT>(session_->commands.size());
        break;
      case core::FolderItemKind::kFolder:
      case core::FolderItemKind::kFile:
        info.fMask |= MIIM_BITMAP | MIIM_DATA;
        info.hbmpItem = HBMMENU_CALLBACK;
        slots[i] = session_->icons.size();
        session_->icons.push_back(-1);
        info.dwItemData = session_->icons.size();
        if (item.kind == core::FolderItemKind::kFolder) {
          info.fMask |= MIIM_SUBMENU;
          info.hSubMenu = CreatePopupMenu();
          session_->submenus[info.hSubMenu].folder = item.path;
        } else {
          info.fMask |= MIIM_ID;
          session_->commands.push_back(item.path);
          info.wID = static_cast<UINT>(session_->commands.size());
        }
        break;
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
  }
}

FolderMenuPopup::Session::Submenu* FolderMenuPopup::SubmenuOf(HMENU menu) const {
  if (!session_) return nullptr;
  const auto it = session_->submenus.find(menu);
  return it == session_->submenus.end() ? nullptr : &it->second;
}

void FolderMenuPopup::FillSubmenu(Session::Submenu& submenu, HMENU menu) {
  if (!submenu.read) submenu.read = StartRead(submenu.folder);
  const std::shared_ptr<Read> read = submenu.read;
  const bool done = WaitForRead(read->done.get(), read->started);
  submenu.filled = true;
  Fill(menu, read.get(),
       done && !read->notAFolder ? read->items : core::FolderMenuOf(read->folder, core::FolderListing{}));
}

void FolderMenuPopup::IconsArrived(const Read* read, const std::vector<int>& icons, HIMAGELIST list) {
  if (!session_ || !list) return;
  const auto slots = session_->iconSlots.find(read);
  if (slots == session_->iconSlots.end()) return;
  images_ = list;
  for (size_t i = 0; i < icons.size() && i < slots->second.size(); ++i)
    if (slots->second[i] != SIZE_MAX) session_->icons[slots->second[i]] = icons[i];
  EnumThreadWindows(GetCurrentThreadId(), RepaintMenuWindow, 0);
}

bool FolderMenuPopup::Filled(HMENU submenu) const {
  const Session::Submenu* found = SubmenuOf(submenu);
  return found && found->filled;
}

bool FolderMenuPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!session_) return false;
  switch (message) {
    case WM_TIMER:
      if (wParam != kReadLimitTimer) return false;
      Show();
      result = 0;
      return true;
    case WM_MENUSELECT: {  // a subfolder under the pointer or the keyboard: read it ahead
      const auto menu = reinterpret_cast<HMENU>(lParam);
      if (!menu || !(HIWORD(wParam) & MF_POPUP)) return false;
      Session::Submenu* submenu = SubmenuOf(GetSubMenu(menu, LOWORD(wParam)));
      if (submenu && !submenu->read) submenu->read = StartRead(submenu->folder);
      return false;
    }
    case WM_INITMENUPOPUP: {
      const auto menu = reinterpret_cast<HMENU>(wParam);
      Session::Submenu* submenu = SubmenuOf(menu);
      if (!submenu || submenu->filled) return false;
      FillSubmenu(*submenu, menu);
      result = 0;
      return true;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU || item.itemData == 0 || item.itemData > session_->icons.size()) return false;
      item.itemWidth = static_cast<UINT>(GetSystemMetrics(SM_CXSMICON));
      item.itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYSMICON));
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU || item.itemData == 0 || item.itemData > session_->icons.size()) return false;
      const int icon = session_->icons[item.itemData - 1];
      const int size = GetSystemMetrics(SM_CYSMICON);
      const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size) / 2;
      if (icon >= 0 && images_) ImageList_Draw(images_, icon, item.hDC, item.rcItem.left, top, ILD_TRANSPARENT);
      result = TRUE;
      return true;
    }
    default: return false;
  }
}

}  // namespace win32
