#pragma once

#include <map>

#include "base/handles.h"
#include "components/shot_label.h"

namespace win32 {

// The window class of a link label; layout tables create its windows.
inline constexpr wchar_t kShotLabelClass[] = L"ZubiShotLabel";
void RegisterShotLabelClass();

// The window side of a link label: draws the caption in the model's font colour and
// style on its parent's colour, and tells the model of the mouse.
class ShotLabelControl final : public core::ShotLabelView {
 public:
  ShotLabelControl() = default;
  ShotLabelControl(const ShotLabelControl&) = delete;
  ShotLabelControl& operator=(const ShotLabelControl&) = delete;
  ~ShotLabelControl() override;

  // Takes over a window of kShotLabelClass.
  void Attach(HWND label);
  // The model's caption becomes the window's text.
  void Bind(core::TShotLabel* model);
  HWND Handle() const { return label_; }

  // core::ShotLabelView
  void Repaint() override;
  std::uintptr_t DesktopWindow() const override;

 private:
  friend void RegisterShotLabelClass();
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void MouseMoved(POINT at);
  void Paint();
  HFONT FontFor(const core::TFontStyles& style);

  HWND label_ = nullptr;
  core::TShotLabel* model_ = nullptr;
  HFONT font_ = nullptr;  // set by the parent, not owned
  std::map<int, UniqueHfont> styled_;
  bool tracking_ = false;
  bool leftDown_ = false;
};

}  // namespace win32
