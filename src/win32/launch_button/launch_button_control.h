#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/win.h"

#include <commctrl.h>

#include "base/accessible.h"
#include "base/tooltips.h"
#include "launch_button/button_drop_target.h"
#include "launch_button/icon_glyph.h"
#include "launch_button/launch_button.h"

namespace win32 {

// The window side of one launch button: a push button that shows its glyph centred,
// tells its model of presses, releases, clicks, dropped files and the context menu key,
// and carries a hint and a name for screen readers.
class LaunchButtonControl final : public core::LaunchButtonView, private AccessibleSource {
 public:
  LaunchButtonControl() = default;
  LaunchButtonControl(const LaunchButtonControl&) = delete;
  LaunchButtonControl& operator=(const LaunchButtonControl&) = delete;
  ~LaunchButtonControl() override;

  // Takes over the button window.
  void Attach(HWND button, UINT dpi);
  void Bind(core::TLaunchButton* model) { model_ = model; }
  // The hints exist from shortly after the window first shows.
  void SetHints(Tooltips* hints);
  void SetDpi(UINT dpi);
  // Draws the glyph again from its source: its icon has come, or the colours it is
  // drawn in have changed.
  void RedrawGlyph();
  // Takes OLE drags too (shell items, links), besides the files of WM_DROPFILES.
  void AcceptDrags();

  HWND Handle() const { return button_; }
  const Glyph* CurrentGlyph() const { return glyph_.get(); }
  bool HasGlyph() const { return hasGlyph_; }
  bool Dimmed() const { return dimmed_; }
  bool RunningMark() const { return running_; }

  // NM_CUSTOMDRAW, which the button sends to its parent: the glyph goes over the face.
  LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw);
  // BN_CLICKED: a left release over the button, or the keyboard.
  void Clicked();

  // core::LaunchButtonView
  void SetHint(const std::string& hint) override;
  void SetAccessibleName(const std::string& name, const std::string& description) override;
  void Repaint() override;
  void DrawGlyph(const core::GlyphSource& source, bool small) override;
  void RemoveGlyph() override;
  void SetDimmed(bool dimmed) override;
  void SetRunning(bool running) override;
  void Flash() override;
  void AcceptFiles(bool accept) override;
  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(button_); }
  std::unique_ptr<core::ButtonSettingsView> CreateSettingsView() override;

 private:
  static LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self) noexcept;
  void Dropped(HDROP drop);
  void DrawMarks(HDC dc) const;
  void DrawFocus(HDC dc) const;
  std::wstring AccessibleName() const override { return name_; }
  std::wstring AccessibleDescription() const override { return description_; }

  HWND button_ = nullptr;
  ComPtr<ButtonDropTarget> dropTarget_;
  UINT dpi_ = 96;
  core::TLaunchButton* model_ = nullptr;
  Tooltips* hints_ = nullptr;
  std::string hint_;
  std::wstring name_, description_;
  core::GlyphSource source_;
  bool small_ = false;
  bool hasGlyph_ = false;
  bool dimmed_ = false;
  bool running_ = false;
  bool flashing_ = false;
  bool pressing_ = false;       // a press of the left button is under way
  bool keyboardFocus_ = false;  // the focus came from the keyboard, not a press
  // While a left release is handled: its click comes from within it, and is noted
  // (true) for the release to report.
  std::optional<bool> releaseClicked_;
  std::shared_ptr<const Glyph> glyph_;
};

}  // namespace win32
