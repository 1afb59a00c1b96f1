#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/shot_label.h"
#include "support.h"

using core::MouseButton;
using core::Rgb;
using core::TCaptionType;
using core::TFont;
using core::TFontStyles;
using core::TShotLabel;
using testing_support::FakeShell;

namespace {

class FakeLabelView : public core::ShotLabelView {
 public:
  void Repaint() override { ++repaints; }
  std::uintptr_t DesktopWindow() const override { return 0x10010; }
  int repaints = 0;
};

constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kPurple{128, 0, 128};
constexpr TFontStyles kPlain{};
constexpr TFontStyles kBold{true, false, false, false};
constexpr TFontStyles kItalic{false, true, false, false};

struct Label {
  Label() {
    label.SetCaption("https://zubi-launcher.example.org/");
    // Distinct looks, so that every state can be told from the others.
    label.SetFont({kGreen, kBold});
    label.SetFontColorHot(core::clRed);
    label.SetFontStyleHot(core::kUnderlineOnly);
    label.SetFontColorDown(kPurple);
    label.SetFontStyleDown(kItalic);
  }
  FakeLabelView view;
  FakeShell shell;
  TShotLabel label{view, shell};
};

const TFont kNormal{kGreen, kBold};
const TFont kHot{core::clRed, core::kUnderlineOnly};
const TFont kDown{kPurple, kItalic};

}  // namespace

TEST(ShotLabel, StartsAsABlueHandCursorLinkOfTypeUrl) {
  FakeLabelView view;
  FakeShell shell;
  TShotLabel label(view, shell);
  EXPECT_EQ(label.Font(), (TFont{core::clBlue, kPlain}));
  EXPECT_EQ(label.CaptionLinkTo(), "");
  EXPECT_EQ(label.CaptionType(), TCaptionType::ctURL);
  EXPECT_EQ(label.Cursor(), -21);
  EXPECT_EQ(label.FontColorDown(), (Rgb{255, 0, 0}));
  EXPECT_EQ(label.FontColorHot(), (Rgb{255, 0, 0}));
  EXPECT_EQ(label.FontStyleDown(), (TFontStyles{false, false, true, false}));
  EXPECT_EQ(label.FontStyleHot(), (TFontStyles{false, false, true, false}));
  EXPECT_FALSE(label.Hover());
  EXPECT_FALSE(label.Pressed());
  EXPECT_EQ(static_cast<int>(TCaptionType::ctLinkToMail), 4);
}

// Each step of a sequence of mouse events, with the look and the flags after it.
struct Step {
  char event;  // E enter, L leave, D left down, U left up, R right down, r right up
  TFont font;
  bool hover, pressed;
};

TEST(ShotLabel, MouseEventsChangeTheLookInEveryOrder) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {"enter press release leave",
       {{'E', kHot, true, false}, {'D', kDown, true, true}, {'U', kHot, true, false}, {'L', kNormal, false, false}}},
      {"press after leaving is released away",
       {{'E', kHot, true, false}, {'D', kDown, true, true}, {'L', kNormal, false, true}, {'U', kNormal, false, true}}},
      // Pressed stays set from the release away; coming back and releasing ends it.
      {"back in after a release away",
       {{'E', kHot, true, false},
        {'D', kDown, true, true},
        {'L', kNormal, false, true},
        {'U', kNormal, false, true},
        {'E', kHot, true, true},
        {'U', kHot, true, false},
        {'L', kNormal, false, false}}},
      {"release without a press", {{'E', kHot, true, false}, {'U', kHot, true, false}}},
      {"press without hover", {{'D', kDown, false, true}, {'U', kDown, false, true}}},
      // The enter saves the look of the moment: the pressed look, which the leave puts back.
      {"enter while pressed", {{'D', kDown, false, true}, {'E', kHot, true, true}, {'L', kDown, false, true}}},
      {"right button", {{'E', kHot, true, false}, {'R', kHot, true, false}, {'r', kHot, true, false}}},
      {"right button outside", {{'R', kNormal, false, false}, {'r', kNormal, false, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Label l;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      SCOPED_TRACE(i);
      switch (s.event) {
        case 'E': l.label.MouseEnter(); break;
        case 'L': l.label.MouseLeave(); break;
        case 'D': l.label.MouseDown(MouseButton::kLeft); break;
        case 'U': l.label.MouseUp(MouseButton::kLeft); break;
        case 'R': l.label.MouseDown(MouseButton::kRight); break;
        case 'r': l.label.MouseUp(MouseButton::kRight); break;
      }
      EXPECT_EQ(l.label.Font(), s.font);
      EXPECT_EQ(l.label.Hover(), s.hover);
      EXPECT_EQ(l.label.Pressed(), s.pressed);
    }
  }
}

TEST(ShotLabel, AChangeOfLookRepaintsTheControl) {
  Label l;
  int before = l.view.repaints;
  l.label.MouseEnter();
  EXPECT_EQ(l.view.repaints, before + 1);
  l.label.MouseDown(MouseButton::kRight);
  EXPECT_EQ(l.view.repaints, before + 1);
  l.label.SetCaption("other");
  EXPECT_EQ(l.view.repaints, before + 2);
}

TEST(ShotLabel, AClickOpensTheTargetOfItsCaptionType) {
  struct Case {
    TCaptionType type;
    std::string caption, linkTo, target;
  };
  const std::vector<Case> cases = {
      {TCaptionType::ctNone, "https://a.example.org/", "https://b.example.org/", ""},
      {TCaptionType::ctURL, "https://a.example.org/", "https://b.example.org/", "https://a.example.org/"},
      {TCaptionType::ctURL, "mailto:me@example.org", "", "mailto:me@example.org"},
      {TCaptionType::ctMail, "me@example.org", "you@example.org", "mailto:me@example.org"},
      {TCaptionType::ctLinkToURL, "Home page", "https://b.example.org/", "https://b.example.org/"},
      {TCaptionType::ctLinkToURL, "Home page", "", ""},
      {TCaptionType::ctLinkToMail, "Write to us", "you@example.org", "mailto:you@example.org"},
      {TCaptionType::ctLinkToMail, "Write to us", "", ""},
      // Every type needs a caption, also those that open CaptionLinkTo.
      {TCaptionType::ctURL, "", "https://b.example.org/", ""},
      {TCaptionType::ctMail, "", "you@example.org", ""},
      {TCaptionType::ctLinkToURL, "", "https://b.example.org/", ""},
      {TCaptionType::ctLinkToMail, "", "you@example.org", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    SCOPED_TRACE(c.caption);
    Label l;
    l.label.SetCaption(c.caption);
    l.label.SetCaptionType(c.type);
    l.label.SetCaptionLinkTo(c.linkTo);
    int clicks = 0;
    l.label.OnClick = [&](TShotLabel&) { ++clicks; };
    l.label.Click();
    EXPECT_EQ(clicks, 1);  // the click event fires whatever the target
    if (c.target.empty()) {
      EXPECT_TRUE(l.shell.requests.empty());
      continue;
    }
    ASSERT_EQ(l.shell.requests.size(), 1u);
    const core::ShellRequest& r = l.shell.requests[0];
    EXPECT_EQ(r.file, c.target);
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(r.owner, 0x10010u);  // the desktop window
    EXPECT_EQ(r.parameters, "");
    EXPECT_EQ(r.directory, "");
    EXPECT_EQ(r.showCommand, 1);
  }
}
