#pragma once

#include <string>

#include "components/shot_label.h"
#include "option/panel_colours.h"
#include "ports/shell.h"

namespace core {

// The plain labels of the version dialog.
enum class AboutLabel { kProductName, kVersion, kNotice };

// The version dialog as its logic sees it.
class AboutBoxView : public PanelColourTarget {
 public:
  virtual void SetLabelText(AboutLabel label, const std::string& text) = 0;
  // The controls that show the two link labels.
  virtual ShotLabelView& MailLabelView() = 0;
  virtual ShotLabelView& URLLabelView() = 0;
  // Returns when the dialog has been closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

// The version dialog: product name, version, notice of rights, and links to the
// author's mail address and the home page.
class TAboutBox {
 public:
  TAboutBox(AboutBoxView& view, Shell& shell);

  TShotLabel ShotLabelMail;
  TShotLabel ShotLabelURL;

  // Puts the texts in.
  void FormCreate();
  // Opens the dialog in the panel colour of `formColor`.
  void mVersionClick(int formColor);
  void OKButtonClick() { view_.Close(); }

 private:
  AboutBoxView& view_;
};

}  // namespace core
