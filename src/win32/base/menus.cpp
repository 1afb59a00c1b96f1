#include "base/menus.h"

#include <string>

#include "base/utf16.h"

namespace win32 {
namespace {

// Appends the entries up to the matching kEnd; returns the index after it.
size_t Fill(HMENU menu, std::span<const MenuSpec> table, size_t i) {
  while (i < table.size()) {
    const MenuSpec& spec = table[i++];
    switch (spec.entry) {
      case MenuEntry::kEnd: return i;
      case MenuEntry::kSeparator: AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); break;
      case MenuEntry::kSubmenu: {
        HMENU sub = CreatePopupMenu();
        i = Fill(sub, table, i);
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), Widen(spec.caption).c_str());
        break;
      }
      case MenuEntry::kItem: {
        std::string caption = spec.caption;
        if (spec.ctrlKey) caption += std::string("\tCtrl+") + spec.ctrlKey;
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(spec.id), Widen(caption).c_str());
        break;
      }
    }
  }
  return i;
}

}  // namespace

HMENU BuildMenu(std::span<const MenuSpec> table, bool popup) {
  HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  Fill(menu, table, 0);
  return menu;
}

int CommandOfShortcut(std::span<const MenuSpec> table, char key) {
  for (const MenuSpec& spec : table)
    if (spec.entry == MenuEntry::kItem && spec.ctrlKey == key) return spec.id;
  return 0;
}

// The posted null message lets the next menu open at the first try.
int TrackMenu(HMENU menu, UINT flags, POINT at, HWND owner) {
  MSG quit;
  if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return 0;
  SetForegroundWindow(owner);
  const BOOL chosen = TrackPopupMenu(menu, flags, at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  return (flags & TPM_RETURNCMD) ? static_cast<int>(chosen) : 0;
}

}  // namespace win32
