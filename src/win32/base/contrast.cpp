#include "base/contrast.h"

namespace win32 {
namespace {

std::optional<bool> overridden;

bool SystemHighContrast() {
  if (overridden) return *overridden;
  HIGHCONTRASTW mode{};
  mode.cbSize = sizeof mode;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0) && (mode.dwFlags & HCF_HIGHCONTRASTON);
}

bool& Mode() {
  static bool on = SystemHighContrast();
  return on;
}

}  // namespace

bool HighContrast() { return Mode(); }

bool RereadHighContrast(UINT message, WPARAM wParam) {
  if (message != WM_SYSCOLORCHANGE && !(message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST)) return false;
  Mode() = SystemHighContrast();
  return true;
}

void OverrideHighContrast(std::optional<bool> on) {
  overridden = on;
  Mode() = SystemHighContrast();
}

FixedColours::FixedColours(COLORREF back, COLORREF text, Role role)
    : back_(back), text_(text), role_(role), brush_(CreateSolidBrush(back)) {}

LRESULT FixedColours::Apply(HDC dc) const {
  if (!HighContrast()) {
    SetTextColor(dc, text_);
    SetBkColor(dc, back_);
    return reinterpret_cast<LRESULT>(brush_.get());
  }
  const int back = role_ == Role::kLabel ? COLOR_BTNFACE : COLOR_WINDOW;
  SetTextColor(dc, GetSysColor(role_ == Role::kLabel ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(back));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

}  // namespace win32
