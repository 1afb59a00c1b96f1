#pragma once

#include <array>

#include "base/layout.h"
#include "base/tooltips.h"
#include "base/window.h"
#include "launch/launcher.h"
#include "launch/launcher_layout.h"

namespace win32 {

// The launcher window: a small always-on-top tool window with the page's ten launch
// buttons, the page navigation, the page title and count, and the clock. It shows
// what TLauncher decides and hands every user action to it.
class LauncherWindow final : public Window<LauncherWindow>, public core::LauncherView {
 public:
  // Creates the window and its controls, hidden, owned by `owner`.
  explicit LauncherWindow(HWND owner);
  ~LauncherWindow() override;

  void Attach(core::TLauncher* launcher) { launcher_ = launcher; }
  // The first tick, then the window appears at its loaded position and the 200 ms
  // timer starts. What the first paint does not need follows right after it.
  void Start();
  // The hints and the pop-up menus; done once, at the latest when first needed.
  void CompleteStart();
  // The Ctrl shortcuts of the pop-up menu, while a control that carries it has the
  // keyboard focus; true when the key was taken.
  bool TranslateShortcut(const MSG& message);

  HWND Control(int id) const { return layout_.Get(id); }
  HMENU PopupMenu() const { return popupMenu1_.get(); }
  HMENU TrayMenu() const { return trayMenu_.get(); }
  const Tooltips& Hints() const { return hints_; }
  UINT Dpi() const { return dpi_; }

  // core::LauncherView
  void SetCaption(const std::string& caption) override;
  std::string TitleText() const override;
  void SetTitleText(const std::string& text) override;
  void SetPageCount(int count) override;
  void SetDateText(const std::string& text) override;
  void SetTimeText(const std::string& text) override;
  void EnableNavButton(core::NavButton button, bool enabled) override;
  core::ScreenPoint WindowPosition() const override;
  void MoveWindowTo(core::ScreenPoint position) override;
  bool IsWindowShown() const override;
  void ShowWindow() override;
  void HideWindow() override;
  void BringToForeground() override;
  core::ScreenPoint CursorPosition() const override;
  std::uintptr_t NativeHandle() const override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateControls();
  void CreateHints();
  void ApplyDpi(UINT dpi);
  void FitClientArea();
  void SizeClockLabel(int id);
  void OnCommand(int id, int code);
  void OnClose();
  void ShowPopupMenu(HWND source, LPARAM screenPoint);
  LRESULT OnControlColour(HDC dc, HWND control);
  std::string ControlText(int id) const;

  core::TLauncher* launcher_ = nullptr;
  Layout layout_;
  Tooltips hints_;
  std::array<UniqueHfont, launcher::kFontCount> fonts_;
  UniqueHmenu popupMenu1_;
  UniqueHmenu trayMenu_;
  UniqueHbrush yellow_, aqua_, white_;
  COLORREF background_;
  UniqueHbrush backgroundBrush_;
  UINT dpi_ = 96;
  bool started_ = false;
};

}  // namespace win32
