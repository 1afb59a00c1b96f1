#pragma once

#include <memory>

#include "base/layout.h"
#include "base/monitor_dpi.h"
#include "base/panel_brush.h"
#include "base/window.h"
#include "find/find_box.h"
#include "find/found_list.h"

namespace win32 {

// The find box: a small always-on-top tool window in the panel colour, against the
// launcher window, with a text box over a list of the buttons found, each line with
// its button's icon. The text box keeps the focus: the list's keys work from it.
class FindBoxWindow final : public Window<FindBoxWindow>, public core::FindBoxView {
 public:
  enum ControlId : int { kText = 101, kList = 102 };

  explicit FindBoxWindow(HWND launcher);
  void Attach(core::TFindBox* box) { box_ = box; }
  HWND Control(int id) const { return id == kList && list_ ? list_->Handle() : layout_.Get(id); }
  bool IsOpen() const { return IsWindowVisible(Handle()) != FALSE; }

  // core::FindBoxView
  void Open() override;
  void Close() override;
  void ShowLines(int count) override;
  void SelectLine(int index) override;
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK TextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) noexcept;
  bool OnTextKey(WPARAM key);
  void ComposingChanged();
  void DrawLine(HDC dc, const RECT& line, int index, bool selected);
  void PlaceAgainstLauncher();
  void LayOut(UINT dpi);

  core::TFindBox* box_ = nullptr;
  HWND launcher_;
  Layout layout_;
  MonitorDpi dpi_;
  UniqueMemoryDc glyphDc_;  // where the icons are taken from
  std::unique_ptr<FoundList> list_;
  PanelBrush background_;
  bool nothingFound_ = false;  // the list's one line is the grey one
};

}  // namespace win32
