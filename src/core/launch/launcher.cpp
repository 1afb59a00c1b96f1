#include "launch/launcher.h"

#include "about/about_box.h"
#include "components/tray_icon.h"
#include "components/wait_hot_key.h"
#include "error.h"
#include "find/find_box.h"
#include "launch/launcher_texts.h"
#include "list/list_dlg.h"
#include "option/option_dlg.h"
#include "storage/paths.h"
#include "user/user_dlg.h"

namespace core {
namespace {

LaunchButtons MakeButtons(LauncherView& view, LaunchButtonHost& host, const LaunchButtonPorts& ports) {
  LaunchButtons buttons;
  for (int k = 1; k <= kLaunchButtonCount; ++k) {
    auto& button = buttons[static_cast<size_t>(k - 1)];
    button = std::make_unique<TLaunchButton>("LaunchButton" + std::to_string(k), view.ButtonView(k), host, ports);
    button->SetAcceptDragFile(true);
  }
  return buttons;
}

std::vector<TLaunchButton*> Pointers(const LaunchButtons& buttons) {
  std::vector<TLaunchButton*> all;
  for (const auto& button : buttons) all.push_back(button.get());
  return all;
}

}  // namespace

TLauncher::TLauncher(LauncherView& view, const LauncherPorts& ports)
    : view_(view),
      ports_(ports),
      buttons_(MakeButtons(view, *this, {ports.shell, ports.prompter, ports.files, {ports.environment, ports.probe}})),
      targets_(Pointers(buttons_), {ports.environment, ports.probe}),
      marks_(buttons_),
      pages_(ports.files, ports.codePage, ExecutableDirectory() + "DATA"),
      status_(view, ports.environment),
      display_(view),
      navigator_(view, buttons_, pages_, status_, targets_, marks_, ports.prompter),
      settings_({ports.files, ports.codePage, ChangeExtension(ports.environment.ExecutablePath(), ".ini")}, view,
                navigator_, ports.environment),
      editor_(buttons_, navigator_, pages_, view, display_, {ports.prompter, ports.shell, ports.sound}, options_,
              ExecutableDirectory() + "start.wav"),
      desktop_(view, ports.environment, ports.prompter) {
  for (auto& button : buttons_) {
    button->OnUpdated = [this](TLaunchButton& b) { editor_.OnBtnUpdated(b); };
    button->OnClick = [this](TLaunchButton& b) { editor_.LaunchButtonOnClick(b); };
    button->OnMouseDown = [this](TLaunchButton& b, MouseButton m) { editor_.LaunchButtonOnMouseDown(b, m); };
  }
}

void TLauncher::SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey) {
  trayIcon_ = trayIcon;
  waitHotKey_ = waitHotKey;
  if (trayIcon_) trayIcon_->OnClick = [this](TTrayIcon&) { TrayIcon1Click(); };
  if (waitHotKey_) waitHotKey_->OnCatchHotKey = [this](TWaitHotKey&) { TrayIcon1Click(); };
  if (created_) Handle([&] { UseComponentOptions(); });
}

void TLauncher::Handle(const std::function<void()>& handler) { Reporting(ports_.prompter, handler); }

std::string TLauncher::ExecutableDirectory() const {
  return DirectoryWithSeparator(ports_.environment.ExecutablePath());
}

void TLauncher::FormCreate() {
  pages_.EnsureDataFolder();
  Handle([&] { settings_.LoadPosition(); });
  Handle([&] { settings_.ReloadUserName(); });
  Handle([&] { navigator_.RepairPageFileAttributes(Current().PageNo); });
  // The title box still holds its placeholder, so the loaded title is written back:
  // this creates the page file on a first run.
  Handle([&] { navigator_.LoadPageTitle(Current().PageNo); });
  navigator_.ShowPageCount();
  navigator_.ComposeCaption();
  Handle([&] { navigator_.LoadButtons(Current().PageNo); });
  Handle([&] { settings_.SavePosition(); });
  Handle([&] { settings_.SaveUserName(); });
  Handle([&] { LoadOption(Current().UserNo); });
  created_ = true;
}

// The name is stored first; the page, the count and the options come from the file as
// that write left it.
void TLauncher::SwitchUser(int n, const std::string& name) {
  Handle([&] {
    UseOptions(settings_.SwitchUser(n, name));
    settings_.SavePosition();
  });
}

void TLauncher::LoadOption(int n) { UseOptions(settings_.OptionsOf(n)); }

void TLauncher::UseOptions(const Options& options) {
  options_ = options;
  ColorChange(view_, options_.FormColor);
  UseComponentOptions();
}

void TLauncher::UseComponentOptions() {
  if (trayIcon_) trayIcon_->SetVisible(options_.Tray > 0);
  if (!waitHotKey_) return;
  if (options_.Hot <= 0) {
    // Switched off, the key is withdrawn from the system, so that other programs may
    // have the combination.
    waitHotKey_->SetEnabled(false);
    waitHotKey_->UnregisterKey();
    return;
  }
  waitHotKey_->SetEnabled(true);
  waitHotKey_->SetHotKey(options_.HotKey);
  waitHotKey_->RegisterKey();
}

bool TLauncher::ApplyOptions(int n, const Options& options) {
  if (!Reporting(ports_.prompter, [&] { settings_.SaveOptions(n, options); })) return false;
  Handle([&] { LoadOption(n); });
  return true;
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// A changed path names the file, or is the file's folder (with its "\"), which
// stands for every file in it.
bool Covers(const std::string& changed, const std::string& file) {
  if (!changed.empty() && changed.back() == kPathSeparator)
    return file.size() > changed.size() && SameText(file.substr(0, changed.size()), changed) &&
           file.find(kPathSeparator, changed.size()) == std::string::npos;
  return SameText(changed, file);
}

}  // namespace

void TLauncher::FilesChanged(const std::vector<std::string>& paths) {
  changedFiles_.insert(changedFiles_.end(), paths.begin(), paths.end());
  if (view_.TakesInput()) TakeInChanges();
}

void TLauncher::TakeInChanges() {
  const std::vector<std::string> paths = std::move(changedFiles_);
  changedFiles_.clear();
  const std::string page = pages_.PathOf(Current().UserName, Current().PageNo);
  bool settings = false, shown = false;
  for (const std::string& path : paths) {
    settings = settings || Covers(path, settings_.Path());
    shown = shown || Covers(path, page);
  }
  if (settings) Handle([&] { TakeInSettings(); });
  if (shown) Handle([&] { navigator_.TakeInPage(); });
}

// The current user stays, and so does the page while the count still holds it. A
// new name of the user leads to other page files: the page is shown from them.
void TLauncher::TakeInSettings() {
  const SettingsFile file = settings_.Read();
  const int n = Current().UserNo;
  if (const Options options = file.OptionsOf(n); !(options == options_)) UseOptions(options);
  if (const auto toDir = file.ToDir(n)) settings_.SetToDir(*toDir);
  if (const std::string name = settings_.UserNameOf(n); name != Current().UserName) {
    navigator_.SetUserName(name);
    navigator_.MovePage(Current().PageNo);
  }
  if (const int count = file.PageCount(n); count != Current().PageNoControl) {
    navigator_.SetPageCount(count);
    navigator_.ShowPageCount();
    navigator_.ComposeCaption();
    navigator_.KeepPageWithinCount();
  }
}

void TLauncher::Timer1Timer() {
  if (!changedFiles_.empty() && view_.TakesInput()) TakeInChanges();
  status_.ShowClock();
  display_.FollowMouseEdge(options_.Mouse);
  marks_.Tick();
}

bool TLauncher::KeyDown(const KeyStroke& stroke) {
  return RunKey(stroke, buttons_, navigator_, [this] {
    if (findBox_) findBox_->Open();
  });
}

void TLauncher::UpDown1Click() {
  Handle([&] {
    navigator_.SetPageCount(view_.PageCountPosition());
    navigator_.ComposeCaption();
    settings_.SavePosition();
    navigator_.KeepPageWithinCount();
  });
}

// A save that fails is reported; the question is asked all the same, or the user
// could never quit while the settings file cannot be written.
void TLauncher::FormCloseQuery() {
  Handle([&] {
    settings_.SaveUserName();
    settings_.SavePosition();
  });
}

bool TLauncher::FormClose() {
  return ports_.prompter.Confirm(texts::kQuitQuestion, ConfirmKind::kYesNo, BoxPlacement::Centred());
}

bool TLauncher::CloseRequest() {
  FormCloseQuery();
  return FormClose();
}

void TLauncher::mHelpOpenClick() {
  ShellRequest request;
  request.owner = view_.NativeHandle();
  request.verb = "open";
  request.file = ExecutableDirectory() + "help" + kPathSeparator + "index.htm";
  request.showCommand = kShowNormal;
  ports_.shell.Execute(request);
}

void TLauncher::mListClick() {
  if (listDlg_) listDlg_->mListClick();
}

void TLauncher::mUserClick() {
  if (userDlg_) userDlg_->mUserClick();
}

void TLauncher::mOptionClick() {
  if (optionDlg_) optionDlg_->mOptionClick();
}

// The version dialog, in the panel colour; the tray menu's item runs the same.
void TLauncher::mVersionClick() {
  if (aboutBox_) aboutBox_->mVersionClick(options_.FormColor);
}

}  // namespace core
