#include "launch/launcher_layout.h"

#include "base/win.h"

#include <commctrl.h>

#include "base/panel.h"
#include "launch/clock_label.h"
#include "launch/launcher_texts.h"

namespace win32::launcher {
namespace {

namespace t = core::texts;

constexpr DWORD kLabel = SS_NOTIFY | SS_NOPREFIX;
constexpr DWORD kNavButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLaunchButton = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec LaunchButton(int index) {
  // The buttons keep their own hints, and take dropped files from the start.
  return {kLaunchButton1 + index,
          L"BUTTON",
          kLaunchButton,
          WS_EX_ACCEPTFILES,
          2 + 36 * (index % 5),
          index < 5 ? 2 : 38,
          36,
          36,
          "",
          nullptr,
          kPanel1,
          kWindowFont};
}

// Client pixels at 96 DPI.
constexpr ControlSpec kLayout[] = {
    {kLabel2, kClockLabelClass, kLabel | SS_RIGHT, 0, 19, 0, 33, 12, "Label2", t::kHintDate, 0, kWindowFont},
    {kLabel3, kClockLabelClass, kLabel | SS_LEFTNOWORDWRAP, 0, 10, 10, 33, 12, "Label3", t::kHintTime, 0, kWindowFont},
    {kEdit1, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 56, 0, 132, 20, "Edit1", t::kHintTitle, 0,
     kWindowFont},
    {kPanel1, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 4, 24, 184, 76, "", t::kHintWindow, 0, kWindowFont},
    LaunchButton(0),
    LaunchButton(1),
    LaunchButton(2),
    LaunchButton(3),
    LaunchButton(4),
    LaunchButton(5),
    LaunchButton(6),
    LaunchButton(7),
    LaunchButton(8),
    LaunchButton(9),
    {kFastTopButton, L"BUTTON", kNavButton, 0, 4, 104, 22, 25, "T", t::kHintFastTop, 0, kBoldFont},
    {kFastBwdButton, L"BUTTON", kNavButton, 0, 26, 104, 22, 25, "<<", t::kHintFastBwd, 0, kBoldFont},
    {kBwdButton, L"BUTTON", kNavButton, 0, 48, 104, 22, 25, "<", t::kHintBwd, 0, kBoldFont},
    {kFwdButton, L"BUTTON", kNavButton, 0, 73, 104, 22, 25, ">", t::kHintFwd, 0, kBoldFont},
    {kFastFwdButton, L"BUTTON", kNavButton, 0, 95, 104, 22, 25, ">>", t::kHintFastFwd, 0, kBoldFont},
    {kFastFinalButton, L"BUTTON", kNavButton, 0, 117, 104, 22, 25, "F", t::kHintFastFinal, 0, kBoldFont},
    {kLabel1, L"STATIC", kLabel | SS_LEFTNOWORDWRAP, 0, 145, 100, 46, 12, "Page Set", t::kHintPageSet, 0, kPlainFont},
    {kMemo1, L"EDIT", ES_MULTILINE | ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE, 146, 110, 25,
     20, "1", t::kHintPageCount, 0, kCountFont},
    {kUpDown1, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 171, 110, 15, 20, "",
     t::kHintPageCountArrows, 0, kWindowFont},
};

// The navigation buttons draw "T", "<<" ...: screen readers read their hints.
constexpr ControlName kNames[] = {
    {kEdit1, t::kNameTitleBox},         {kFastTopButton, t::kHintFastTop},    {kFastBwdButton, t::kHintFastBwd},
    {kBwdButton, t::kHintBwd},          {kFwdButton, t::kHintFwd},            {kFastFwdButton, t::kHintFastFwd},
    {kFastFinalButton, t::kHintFastFinal}, {kMemo1, t::kHintPageCount},     {kUpDown1, t::kHintPageCountArrows},
};

}  // namespace

std::span<const ControlSpec> Layout() { return kLayout; }
std::span<const ControlName> Names() { return kNames; }

bool CarriesPopupMenu(int id) {
  return id == kLabel1 || id == kLabel2 || id == kLabel3 || id == kEdit1 || id == kMemo1 || id == kUpDown1 ||
         (id >= kFastTopButton && id <= kFastFinalButton);
}

}  // namespace win32::launcher
