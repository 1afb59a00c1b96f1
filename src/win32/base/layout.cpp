#include "base/layout.h"

#include "base/accessible.h"
#include "base/dpi.h"
#include "base/utf16.h"
#include "base/window.h"

namespace win32 {

void Layout::Create(HWND window, std::span<const ControlSpec> specs, UINT dpi) {
  window_ = window;
  specs_ = specs;
  controls_.clear();
  for (const ControlSpec& spec : specs) {
    HWND parent = spec.parentId ? Get(spec.parentId) : window;
    HWND control = Created(
        CreateWindowExW(spec.exStyle, spec.className, Widen(spec.text ? spec.text : "").c_str(),
                        spec.style | WS_CHILD | WS_VISIBLE, Scale(spec.left, dpi), Scale(spec.top, dpi),
                        Scale(spec.width, dpi), Scale(spec.height, dpi), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleW(nullptr), nullptr),
        "creating a control of a layout");
    controls_.push_back(control);
  }
}

void Layout::Place(UINT dpi) {
  for (size_t i = 0; i < specs_.size(); ++i) PlaceAt(i, dpi);
}

void Layout::Place(int id, UINT dpi) {
  for (size_t i = 0; i < specs_.size(); ++i)
    if (specs_[i].id == id) PlaceAt(i, dpi);
}

void Layout::PlaceAt(size_t i, UINT dpi) {
  const ControlSpec& s = specs_[i];
  SetWindowPos(controls_[i], nullptr, Scale(s.left, dpi), Scale(s.top, dpi), Scale(s.width, dpi), Scale(s.height, dpi),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Layout::SetFonts(std::span<const HFONT> fonts) {
  for (size_t i = 0; i < specs_.size(); ++i) {
    size_t font = static_cast<size_t>(specs_[i].font);
    if (font < fonts.size() && fonts[font])
      SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts[font]), FALSE);
  }
}

void Layout::TakeFonts(std::vector<UniqueHfont> fonts) {
  std::vector<HFONT> handles;
  for (const UniqueHfont& font : fonts) handles.push_back(font.get());
  SetFonts(handles);
  fonts_ = std::move(fonts);
}

void Layout::Name(std::span<const ControlName> names) const {
  for (const ControlName& name : names) {
    HWND control = Get(name.id);
    NameControl(control, name.name);
    if (HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr)) NameControl(edit, name.name);
  }
}

HWND Layout::Get(int id) const {
  for (size_t i = 0; i < specs_.size() && i < controls_.size(); ++i)
    if (specs_[i].id == id) return controls_[i];
  return nullptr;
}

const ControlSpec* Layout::Spec(int id) const {
  for (const ControlSpec& spec : specs_)
    if (spec.id == id) return &spec;
  return nullptr;
}

}  // namespace win32
