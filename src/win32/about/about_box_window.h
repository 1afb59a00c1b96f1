#pragma once

#include "about/about_box.h"
#include "base/contrast.h"
#include "base/layout.h"
#include "base/modal_dialog.h"
#include "base/monitor_dpi.h"
#include "base/palette.h"
#include "base/panel_brush.h"
#include "components/shot_label_control.h"

namespace win32 {

// The version dialog: the program's icon, name, version and notice of rights in a
// bevelled panel, two link labels and OK.
class AboutBoxWindow final : public ModalDialog<AboutBoxWindow, core::AboutBoxView> {
 public:
  enum ControlId : int {
    kPanel1 = 101,
    kProgramIcon,
    kProductName,
    kVersion,
    kNotice,
    kShotLabelMail,
    kShotLabelURL,
    kOKButton = IDOK,
  };

  explicit AboutBoxWindow(HWND owner);
  void Attach(core::TAboutBox* dialog);
  HWND Control(int id) const { return layout_.Get(id); }

  // core::AboutBoxView
  void SetLabelText(core::AboutLabel label, const std::string& text) override;
  core::ShotLabelView& MailLabelView() override { return mail_; }
  core::ShotLabelView& URLLabelView() override { return url_; }
  void ShowModal() override;
  void SetPanelColour(const core::PanelColour& colour) override;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void LayOut(UINT dpi);
  LRESULT LabelColour(HDC dc, HWND control);
  // The labels as wide as their texts. The link captions are the models'; they are in
  // by the time the dialog opens.
  void FitLabels();

  core::TAboutBox* dialog_ = nullptr;
  Layout layout_;
  MonitorDpi dpi_;
  UniqueHicon icon_;
  FixedColours productName_{kFuchsia, kWhite, FixedColours::Role::kLabel};
  FixedColours version_{kYellow, kBlack, FixedColours::Role::kLabel};
  PanelBrush background_;
  ShotLabelControl mail_;
  ShotLabelControl url_;
};

}  // namespace win32
