#include "about/about_box.h"

#include "about/about_texts.h"

namespace core {

TAboutBox::TAboutBox(AboutBoxView& view, Shell& shell)
    : ShotLabelMail(view.MailLabelView(), shell), ShotLabelURL(view.URLLabelView(), shell), view_(view) {}

// Both links keep the type ctURL: the mail caption carries its "mailto:" itself.
void TAboutBox::FormCreate() {
  view_.SetLabelText(AboutLabel::kProductName, texts::kAboutProductName);
  view_.SetLabelText(AboutLabel::kVersion, texts::kAboutVersion);
  view_.SetLabelText(AboutLabel::kNotice, texts::kAboutNotice);
  ShotLabelMail.SetCaption(texts::kAboutMail);
  ShotLabelURL.SetCaption(texts::kAboutHomePage);
}

void TAboutBox::mVersionClick(int formColor) {
  ColorChange(view_, formColor);
  view_.ShowModal();
}

}  // namespace core
