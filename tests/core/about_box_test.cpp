#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "about/about_box.h"
#include "support.h"

using core::AboutLabel;
using testing_support::FakeShell;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

class FakeLabelView : public core::ShotLabelView {
 public:
  void Repaint() override {}
  std::uintptr_t DesktopWindow() const override { return 0x10010; }
};

class FakeAboutView : public core::AboutBoxView {
 public:
  void SetLabelText(AboutLabel label, const std::string& text) override { texts[label] = text; }
  core::ShotLabelView& MailLabelView() override { return mail; }
  core::ShotLabelView& URLLabelView() override { return url; }
  void ShowModal() override {
    ++shown;
    if (whileShown) whileShown();
  }
  void Close() override { ++closed; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }

  std::map<AboutLabel, std::string> texts;
  FakeLabelView mail, url;
  int shown = 0, closed = 0;
  std::optional<core::PanelColour> colour;
  std::function<void()> whileShown;
};

struct Fixture : LauncherFixture {
  explicit Fixture(const std::vector<std::string>& settings) {
    WriteSettings(Lines(settings));
    dialogs.about = &about;
    Launcher().FormCreate();
    about.FormCreate();
  }
  FakeAboutView aboutView;
  core::TAboutBox about{aboutView, shell};
};

}  // namespace

TEST(AboutBox, ShowsTheProductTheVersionTheNoticeAndTwoLinks) {
  FakeAboutView view;
  FakeShell shell;
  core::TAboutBox about(view, shell);
  about.FormCreate();
  EXPECT_EQ(view.texts[AboutLabel::kProductName], "ZUBI らんちゃ for Windows 95/98/Me/NT/2000/XP");
  EXPECT_EQ(view.texts[AboutLabel::kVersion], "Version 2.9");
  EXPECT_NE(view.texts[AboutLabel::kNotice].find("2026"), std::string::npos);
  EXPECT_EQ(about.ShotLabelMail.Caption().rfind("mailto:", 0), 0u);
  EXPECT_EQ(about.ShotLabelURL.Caption().rfind("https://", 0), 0u);
  // Both keep the default type: the captions go to the shell as they stand.
  EXPECT_EQ(about.ShotLabelMail.CaptionType(), core::TCaptionType::ctURL);
  EXPECT_EQ(about.ShotLabelURL.CaptionType(), core::TCaptionType::ctURL);
  EXPECT_EQ(about.ShotLabelMail.Font().Color, core::clBlue);
  EXPECT_TRUE(shell.requests.empty());
}

TEST(AboutBox, OpensInThePanelColourOfTheCurrentUserAndOkClosesIt) {
  struct Case {
    const char* formColor;
    std::optional<core::PanelColour> colour;
  };
  using Kind = core::PanelColour::Kind;
  const Case cases[] = {
      {"7", core::PanelColour{Kind::kFixed, {166, 202, 240}}},
      {"0", core::PanelColour{Kind::kButtonFace, {}}},
      {"9", core::PanelColour{Kind::kDesktop, {}}},
      {"12", std::nullopt},  // outside the list: the dialog keeps its colour
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.formColor);
    Fixture f({"[User1]", std::string("FormColor=") + c.formColor});
    f.aboutView.whileShown = [&] { f.about.OKButtonClick(); };
    f.Launcher().Command(core::command::kVersion);
    EXPECT_EQ(f.aboutView.shown, 1);
    EXPECT_EQ(f.aboutView.closed, 1);
    EXPECT_EQ(f.aboutView.colour, c.colour);
  }
}

TEST(AboutBox, EachLinkHandsItsAddressToTheShell) {
  Fixture f({"[User1]", "FormColor=2"});
  f.aboutView.whileShown = [&] {
    f.about.ShotLabelMail.Click();
    f.about.ShotLabelURL.Click();
  };
  f.Launcher().Command(core::command::kVersion);
  ASSERT_EQ(f.shell.requests.size(), 2u);
  EXPECT_EQ(f.shell.requests[0].file, f.about.ShotLabelMail.Caption());
  EXPECT_EQ(f.shell.requests[1].file, f.about.ShotLabelURL.Caption());
  for (const auto& r : f.shell.requests) {
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(r.owner, 0x10010u);
  }
}
