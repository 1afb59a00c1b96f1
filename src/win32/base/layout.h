#pragma once

#include <span>
#include <vector>

#include "base/handles.h"

namespace win32 {

// One control of a window's layout table, in the parent's client pixels at 96 DPI.
struct ControlSpec {
  int id;
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;
  const char* text;  // UTF-8
  const char* hint;  // UTF-8; nullptr: none
  int parentId;      // 0: the window itself, else an earlier control of the table
  int font;          // index into the fonts the window passes
};

// A control's name for screen readers, given where the label before it in creation
// order would name it wrongly or where it has no text of its own. UTF-8.
struct ControlName {
  int id;
  const char* name;
};

// The fonts of a layout, in the order its table indexes them.
template <typename... Fonts>
std::vector<UniqueHfont> FontList(Fonts... fonts) {
  std::vector<UniqueHfont> list;
  (list.push_back(std::move(fonts)), ...);
  return list;
}

// Creates the controls of a table and places them again when the DPI changes.
class Layout {
 public:
  void Create(HWND window, std::span<const ControlSpec> specs, UINT dpi);
  void Place(UINT dpi);
  // One control back at its place, after something else moved it.
  void Place(int id, UINT dpi);
  void SetFonts(std::span<const HFONT> fonts);
  // The same with fonts the layout keeps; those it kept before go once the controls
  // hold the new ones.
  void TakeFonts(std::vector<UniqueHfont> fonts);
  HFONT Font(size_t index) const { return index < fonts_.size() ? fonts_[index].get() : nullptr; }
  // Names the controls for screen readers; a combo box's edit is named with it.
  void Name(std::span<const ControlName> names) const;
  HWND Get(int id) const;
  const ControlSpec* Spec(int id) const;
  std::span<const ControlSpec> Specs() const { return specs_; }

 private:
  void PlaceAt(size_t index, UINT dpi);
  HWND window_ = nullptr;
  std::span<const ControlSpec> specs_;
  std::vector<HWND> controls_;
  std::vector<UniqueHfont> fonts_;
};

}  // namespace win32
