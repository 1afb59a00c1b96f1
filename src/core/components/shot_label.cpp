#include "components/shot_label.h"

namespace core {
namespace {

constexpr char kMailTo[] = "mailto:";

}  // namespace

void TShotLabel::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  view_.Repaint();
}

void TShotLabel::SetFont(const TFont& value) {
  if (value == font_) return;
  font_ = value;
  view_.Repaint();
}

void TShotLabel::Show(Rgb color, TFontStyles style) { SetFont({color, style}); }

// The look of the moment is saved, not the look at creation: a font changed in
// between is what the leave puts back.
void TShotLabel::MouseEnter() {
  hover_ = true;
  normal_ = font_;
  Show(fontColorHot_, fontStyleHot_);
}

void TShotLabel::MouseLeave() {
  hover_ = false;
  Show(normal_.Color, normal_.Style);
}

void TShotLabel::MouseDown(MouseButton button) {
  if (button != MouseButton::kLeft) return;
  pressed_ = true;
  Show(fontColorDown_, fontStyleDown_);
}

// A release away from the label keeps `pressed_`; the leave has put the look back.
void TShotLabel::MouseUp(MouseButton button) {
  if (button != MouseButton::kLeft || !hover_ || !pressed_) return;
  pressed_ = false;
  Show(fontColorHot_, fontStyleHot_);
}

// Every type needs a caption, also the two that open CaptionLinkTo.
std::string TShotLabel::Target() const {
  if (caption_.empty()) return {};
  switch (captionType_) {
    case TCaptionType::ctNone: return {};
    case TCaptionType::ctURL: return caption_;
    case TCaptionType::ctMail: return kMailTo + caption_;
    case TCaptionType::ctLinkToURL: return captionLinkTo_;
    case TCaptionType::ctLinkToMail: return captionLinkTo_.empty() ? std::string() : kMailTo + captionLinkTo_;
  }
  return {};
}

// What the shell makes of the address is not examined.
void TShotLabel::Click() {
  if (OnClick) OnClick(*this);
  std::string target = Target();
  if (target.empty()) return;
  ShellRequest request;
  request.owner = view_.DesktopWindow();
  request.verb = "open";
  request.file = target;
  request.showCommand = kShowNormal;
  shell_.Execute(request);
}

}  // namespace core
