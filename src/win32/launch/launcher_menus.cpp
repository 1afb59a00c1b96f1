#include "launch/launcher_menus.h"

#include "launch/launcher_texts.h"

namespace win32::launcher {
namespace {

namespace t = core::texts;
using enum MenuEntry;

constexpr MenuSpec kMainMenu[] = {
    {kSubmenu, 0, t::kMenuFile, 0},
    {kItem, kUser, t::kMenuUser, 0},
    {kItem, kOption, t::kMenuOption, 0},
    {kItem, kExit, t::kMenuExit, 0},
    {kEnd, 0, nullptr, 0},
    {kSubmenu, 0, t::kMenuPage, 0},
    {kItem, kFastTop, t::kMenuFastTop, 0},
    {kItem, kFastBwd, t::kMenuFastBwd, 0},
    {kItem, kBwd, t::kMenuBwd, 0},
    {kItem, kFwd, t::kMenuFwd, 0},
    {kItem, kFastFwd, t::kMenuFastFwd, 0},
    {kItem, kFastFinal, t::kMenuFastFinal, 0},
    {kSeparator, 0, nullptr, 0},
    {kItem, kList, t::kMenuList, 0},
    {kSeparator, 0, nullptr, 0},
    {kItem, kDelete, t::kMenuDelete, 0},
    {kEnd, 0, nullptr, 0},
    {kSubmenu, 0, t::kMenuHelp, 0},
    {kItem, kHelpOpen, t::kMenuHelpOpen, 0},
    {kItem, kVersion, t::kMenuVersion, 0},
    {kEnd, 0, nullptr, 0},
};

constexpr MenuSpec kPopupMenu1[] = {
    {kItem, kChoice, t::kMenuChoice, 'C'},
    {kItem, kAllStart, t::kMenuAllStart, 'A'},
    {kItem, kInOrder, t::kMenuInOrder, 0},
    {kSeparator, 0, nullptr, 0},
    {kItem, kFind, t::kMenuFind, 'F'},
    {kItem, kScreen, t::kMenuScreen, 'S'},
    {kSeparator, 0, nullptr, 0},
    {kSubmenu, 0, t::kMenuClose, 0},
    {kItem, kCloseFolder, t::kMenuCloseFolder, 'D'},
    {kItem, kCloseIE, t::kMenuCloseIE, 'B'},
    {kItem, kCloseAll, t::kMenuCloseAll, 'X'},
    {kItem, kWholly, t::kMenuWholly, 0},
    {kEnd, 0, nullptr, 0},
    {kSubmenu, 0, t::kMenuWindows, 0},
    {kItem, kWindowsExit, t::kMenuWindowsExit, 'E'},
    {kItem, kWindowsReboot, t::kMenuWindowsReboot, 'R'},
    {kItem, kWindowsLogoff, t::kMenuWindowsLogoff, 'L'},
    {kEnd, 0, nullptr, 0},
};

constexpr MenuSpec kPopupMenuTrayIcon[] = {
    {kSubmenu, 0, t::kMenuTrayHelp, 0},        {kItem, kTrayHelp, t::kMenuHelpOpen, 0},
    {kItem, kTrayVersion, t::kMenuVersion, 0}, {kEnd, 0, nullptr, 0},
    {kItem, kTrayExit, t::kMenuExit, 0},
};

constexpr MenuSpec kPopupMenuLaunch[] = {
    {kItem, kCut1, t::kMenuCut, 0},        {kItem, kCopy1, t::kMenuCopy, 0}, {kItem, kPaste1, t::kMenuPaste, 0},
    {kItem, kDelete1, t::kMenuDelete1, 0}, {kSeparator, 0, nullptr, 0},      {kItem, kSelect1, t::kMenuSelect, 0},
};

}  // namespace

std::span<const MenuSpec> PopupMenuLaunch() { return kPopupMenuLaunch; }

std::span<const MenuSpec> MainMenu() { return kMainMenu; }
std::span<const MenuSpec> PopupMenu1() { return kPopupMenu1; }
std::span<const MenuSpec> PopupMenuTrayIcon() { return kPopupMenuTrayIcon; }

}  // namespace win32::launcher
