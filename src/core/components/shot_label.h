#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "launch_button/launch_button.h"
#include "ports/shell.h"

namespace core {

// How a click turns the caption or CaptionLinkTo into the address handed to the shell.
enum class TCaptionType { ctNone = 0, ctURL = 1, ctMail = 2, ctLinkToURL = 3, ctLinkToMail = 4 };

struct TFontStyles {
  bool bold = false, italic = false, underline = false, strikeOut = false;
  friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};
inline constexpr TFontStyles kUnderlineOnly{false, false, true, false};

inline constexpr Rgb clBlue{0, 0, 255};
inline constexpr Rgb clRed{255, 0, 0};

// Mouse cursors by their toolkit numbers.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHandPoint = -21;

struct TFont {
  Rgb Color;
  TFontStyles Style;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// What a link label shows.
class ShotLabelView {
 public:
  virtual ~ShotLabelView() = default;
  // The caption or the font's colour or style changed.
  virtual void Repaint() = 0;
  // The desktop window, owner of the label's shell requests.
  virtual std::uintptr_t DesktopWindow() const = 0;
};

// A text label that acts as a hyperlink: its look changes while the mouse is over it
// and while it is pressed, and a click hands its address to the shell's "open".
class TShotLabel {
 public:
  TShotLabel(ShotLabelView& view, Shell& shell) : view_(view), shell_(shell) {}
  TShotLabel(const TShotLabel&) = delete;
  TShotLabel& operator=(const TShotLabel&) = delete;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);

  const std::string& CaptionLinkTo() const { return captionLinkTo_; }
  void SetCaptionLinkTo(const std::string& value) { captionLinkTo_ = value; }
  TCaptionType CaptionType() const { return captionType_; }
  void SetCaptionType(TCaptionType value) { captionType_ = value; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value) { cursor_ = value; }
  Rgb FontColorDown() const { return fontColorDown_; }
  void SetFontColorDown(Rgb value) { fontColorDown_ = value; }
  Rgb FontColorHot() const { return fontColorHot_; }
  void SetFontColorHot(Rgb value) { fontColorHot_ = value; }
  TFontStyles FontStyleDown() const { return fontStyleDown_; }
  void SetFontStyleDown(TFontStyles value) { fontStyleDown_ = value; }
  TFontStyles FontStyleHot() const { return fontStyleHot_; }
  void SetFontStyleHot(TFontStyles value) { fontStyleHot_ = value; }

  bool Hover() const { return hover_; }
  bool Pressed() const { return pressed_; }

  // The label's own click event; it fires before the address is opened.
  std::function<void(TShotLabel&)> OnClick;

  // Mouse events, as the control reports them.
  void MouseEnter();
  void MouseLeave();
  void MouseDown(MouseButton button);
  void MouseUp(MouseButton button);
  void Click();

  // What a click opens; empty when it opens nothing.
  std::string Target() const;

 private:
  void Show(Rgb color, TFontStyles style);

  ShotLabelView& view_;
  Shell& shell_;
  std::string caption_;
  TFont font_{clBlue, {}};
  std::string captionLinkTo_;
  TCaptionType captionType_ = TCaptionType::ctURL;
  TCursor cursor_ = crHandPoint;
  Rgb fontColorDown_ = clRed;
  Rgb fontColorHot_ = clRed;
  TFontStyles fontStyleDown_ = kUnderlineOnly;
  TFontStyles fontStyleHot_ = kUnderlineOnly;

  TFont normal_{clBlue, {}};
  bool pressed_ = false;
  bool hover_ = false;
};

}  // namespace core
