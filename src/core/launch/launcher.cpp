#include "launch/launcher.h"

#include <cstdio>

#include "about/about_box.h"
#include "error.h"
#include "launch/launcher_texts.h"
#include "storage/paths.h"

namespace core {

TLauncher::TLauncher(LauncherView& view, const LauncherPorts& ports)
    : view_(view), ports_(ports), store_(ports.files, ports.codePage) {
  const PathPorts paths{ports.environment, ports.probe};
  std::vector<TLaunchButton*> all;
  for (int k = 1; k <= kLaunchButtonCount; ++k) {
    auto& button = buttons_[static_cast<size_t>(k - 1)];
    button = std::make_unique<TLaunchButton>("LaunchButton" + std::to_string(k), view.ButtonView(k), *this,
                                             LaunchButtonPorts{ports.shell, ports.prompter, ports.files, paths});
    button->SetAcceptDragFile(true);
    all.push_back(button.get());
  }
  targets_ = std::make_unique<MissingTargets>(std::move(all), paths);
}

void TLauncher::Handle(const std::function<void()>& handler) { Reporting(ports_.prompter, handler); }

std::string TLauncher::ExecutableDirectory() const {
  return DirectoryWithSeparator(ports_.environment.ExecutablePath());
}

template <typename Step>
void TLauncher::RunStep(Step&& step) {
  Reporting(ports_.prompter, std::forward<Step>(step));
}

void TLauncher::FormCreate() {
  state_.StartSoundPath = ExecutableDirectory() + "start.wav";
  EnsureDataFolder();

  RunStep([&] { LoadPosition(); });
  RunStep([&] { LoadUserName(state_.UserNo); });
  RunStep([&] {
    state_.PageFilePath = PageFileName(state_.UserName, state_.PageNo);
    RepairPageFileAttributes();
  });
  // The title box still holds its placeholder, so the loaded title is written back:
  // this creates the page file on a first run.
  RunStep([&] { LoadPageTitle(state_.PageNo); });
  view_.SetPageCount(state_.PageNoControl);
  ComposeCaption();
  for (auto& button : buttons_) {
    button->OnUpdated = [this](TLaunchButton& b) { OnBtnUpdated(b); };
    button->OnClick = [this](TLaunchButton& b) { LaunchButtonOnClick(b); };
    button->OnMouseDown = [this](TLaunchButton& b, MouseButton m) { LaunchButtonOnMouseDown(b, m); };
  }
  RunStep([&] { LoadButtons(state_.PageNo); });
  RunStep([&] { SavePosition(); });
  RunStep([&] { SaveUserName(state_.UserNo); });
  RunStep([&] { LoadOption(state_.UserNo); });
}

void TLauncher::ComposeCaption() {
  state_.CaptionText =
      state_.UserName + " - Page " + std::to_string(state_.PageNo) + "/" + std::to_string(state_.PageNoControl);
  ShowStatus();
}

std::string ShortDateText(const LocalTime& time, const std::string& separator) {
  char year[8];
  std::snprintf(year, sizeof year, "%02d", ((time.year % 100) + 100) % 100);
  return year + separator + std::to_string(time.month) + separator + std::to_string(time.day);
}

namespace {

bool SameDay(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace

// The caption and the navigation buttons, set only where they change; every change of
// the user, the page or the page count ends here.
void TLauncher::ShowStatus() {
  const int page = state_.PageNo;
  const int count = state_.PageNoControl;
  auto enableBackward = [&](bool on) {
    ShowNavButton(NavButton::kFastTop, on);
    ShowNavButton(NavButton::kFastBwd, on);
    ShowNavButton(NavButton::kBwd, on);
  };
  auto enableForward = [&](bool on) {
    ShowNavButton(NavButton::kFastFinal, on);
    ShowNavButton(NavButton::kFastFwd, on);
    ShowNavButton(NavButton::kFwd, on);
  };
  // Four separate tests: a page outside 1..count leaves some buttons as they were.
  if (page == 1) enableBackward(false);
  if (page == count) enableForward(false);
  if (page > 1) enableBackward(true);
  if (page < count) enableForward(true);
  if (shown_.caption != state_.CaptionText) {
    shown_.caption = state_.CaptionText;
    view_.SetCaption(state_.CaptionText);
  }
}

void TLauncher::ShowNavButton(NavButton button, bool enabled) {
  auto& shown = shown_.nav[static_cast<size_t>(button)];
  if (shown == enabled) return;
  shown = enabled;
  view_.EnableNavButton(button, enabled);
}

void TLauncher::Timer1Timer() {
  const Environment& env = ports_.environment;
  LocalTime now = env.Now();
  auto show = [](std::optional<std::string>& shown, const std::string& text, auto&& set) {
    if (shown == text) return;
    shown = text;
    set(text);
  };
  // The time is formatted once a second, not on every tick; the date once a day, or
  // again after the regional settings changed.
  if (shown_.clock != now) {
    if (!shown_.clock || !SameDay(*shown_.clock, now))
      show(shown_.date, ShortDateText(now, env.DateSeparator()), [&](const std::string& t) { view_.SetDateText(t); });
    shown_.clock = now;
    show(shown_.time, env.LongTimeText(now), [&](const std::string& t) { view_.SetTimeText(t); });
  }

  if (state_.Mouse > 0) {
    ScreenPoint p = view_.CursorPosition();
    if (p.x == 0 && p.y == 0)
      view_.ShowWindow();
    else if (p.x == 0 || p.y == 0)
      view_.HideWindow();
  }
}

void TLauncher::RegionalSettingsChanged() { shown_.clock.reset(); }

void TLauncher::TrayIcon1Click() {
  if (view_.IsWindowShown()) {
    view_.HideWindow();
  } else {
    view_.ShowWindow();
    view_.BringToForeground();
  }
}

void TLauncher::TitleBarDoubleClick(int hitTest) {
  if (state_.TitleDbClk && hitTest == kHitCaption) TrayIcon1Click();
}

// A save that fails is reported; the question is asked all the same, or the user
// could never quit while the settings file cannot be written.
void TLauncher::FormCloseQuery() {
  Reporting(ports_.prompter, [&] {
    SaveUserName(state_.UserNo);
    SavePosition();
  });
}

bool TLauncher::FormClose() {
  return ports_.prompter.Confirm(texts::kQuitQuestion, ConfirmKind::kYesNo, BoxPlacement::Centred());
}

bool TLauncher::CloseRequest() {
  FormCloseQuery();
  return FormClose();
}

void TLauncher::EndSession() { FormCloseQuery(); }

void TLauncher::mHelpOpenClick() {
  ShellRequest request;
  request.owner = view_.NativeHandle();
  request.verb = "open";
  request.file = ExecutableDirectory() + "help" + kPathSeparator + "index.htm";
  request.showCommand = kShowNormal;
  ports_.shell.Execute(request);
}

void TLauncher::mVersionClick() {
  if (aboutBox_) aboutBox_->mVersionClick(state_.FormColor);
}

}  // namespace core
