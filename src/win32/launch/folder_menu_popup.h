#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/win.h"

#include <commctrl.h>

#include "launch/folder_menu.h"
#include "launch_button/launch_button.h"

namespace win32 {

// The menu of a folder button. The folder is read on the system's thread pool, and the
// menu opens once it is read, or after the read limit as unreadable; a subfolder is read
// as the pointer or the keyboard rests on it and filled as its submenu opens (waiting
// for the rest of the limit at most, while the windows still paint). Small shell icons
// come from the system's image list, looked up on the reading thread, and are drawn as
// they arrive. The owner window hands it the menu messages.
class FolderMenuPopup {
 public:
  // A choice: an empty path for the menu's own folder ("open", "the rest"), else the
  // file or folder chosen, with the keys held as it was chosen. A folder that turned out
  // to be a file is chosen as its own folder, without a menu.
  using Chosen = std::function<void(const std::string& path, core::ShiftState shift)>;

  explicit FolderMenuPopup(HWND owner) : owner_(owner) {}
  FolderMenuPopup(const FolderMenuPopup&) = delete;
  FolderMenuPopup& operator=(const FolderMenuPopup&) = delete;

  // Reads `folder` and shows its menu with its top-left corner at `at` (screen). `closed`
  // runs once it has gone, chosen or not, also when another menu of it was open.
  void Open(const std::string& folder, POINT at, Chosen chosen, std::function<void()> closed);
  // WM_INITMENUPOPUP, WM_MENUSELECT, WM_MEASUREITEM, WM_DRAWITEM and its read limit's
  // WM_TIMER: true when the message was the menu's.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // For the tests: the menu shown now (null when none), and whether a submenu is filled.
  HMENU Shown() const { return session_ ? session_->root : nullptr; }
  bool Filled(HMENU submenu) const;
  // The timer id of the read limit on the owner window.
  static constexpr UINT_PTR kReadLimitTimer = 0x46D;

 private:
  struct Read;
  // One opening of the menu, from the click to its close.
  struct Session {
    std::string folder;
    POINT at{};
    Chosen chosen;
    std::function<void()> closed;
    std::shared_ptr<Read> top;
    HMENU root = nullptr;
    struct Submenu {
      std::string folder;
      std::shared_ptr<Read> read;  // once asked for
      bool filled = false;
    };
    std::map<HMENU, Submenu> submenus;
    std::vector<std::string> commands;                     // id - 1 -> path
    std::vector<int> icons;                                // item data - 1 -> the system image, -1: none yet
    std::map<const Read*, std::vector<size_t>> iconSlots;  // a read's items -> icons
  };

  std::shared_ptr<Read> StartRead(const std::string& folder);
  void Arrived(const std::shared_ptr<Read>& read);
  void IconsArrived(const Read* read, const std::vector<int>& icons, HIMAGELIST list);
  void Show();
  void Fill(HMENU menu, const Read* read, const std::vector<core::FolderMenuItem>& items);
  void FillSubmenu(Session::Submenu& submenu, HMENU menu);
  // The subfolder whose submenu `menu` is; null for any other menu.
  Session::Submenu* SubmenuOf(HMENU menu) const;
  void End(int command);

  HWND owner_;
  std::unique_ptr<Session> session_;
  HIMAGELIST images_ = nullptr;  // the system's small images, never destroyed
};

}  // namespace win32
