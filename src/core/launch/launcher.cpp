#include "launch/launcher.h"

#include "error.h"
#include "launch/folder_menu.h"
#include "launch/launcher_texts.h"
#include "storage/paths.h"

namespace core {
namespace {

LaunchButtons MakeButtons(LauncherView& view, LaunchButtonHost& host, const PathPorts& paths) {
  LaunchButtons buttons;
  for (int k = 1; k <= kLaunchButtonCount; ++k) {
    auto& button = buttons[static_cast<size_t>(k - 1)];
    button = std::make_unique<TLaunchButton>(k, view.ButtonView(k), host, paths);
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
      buttonPorts_{ports.shell, ports.prompter, ports.files, {ports.environment, ports.probe}},
      buttons_(MakeButtons(view, *this, buttonPorts_.paths)),
      targets_(Pointers(buttons_), {ports.environment, ports.probe}),
      marks_(buttons_, buttonPorts_.paths),
      pages_(ports.files, ports.codePage, DirectoryWithSeparator(ports.environment.ExecutablePath())),
      status_(view, ports.environment),
      display_(view),
      navigator_(view, buttons_, pages_, status_, targets_, marks_, ports.prompter),
      settings_({ports.files, ports.codePage, ChangeExtension(ports.environment.ExecutablePath(), ".ini")},
                ports.environment),
      options_(view, buttons_, settings_, keys_, display_, navigator_.Current(), ports.prompter,
               DirectoryWithSeparator(ports.environment.ExecutablePath()) + "start.wav"),
      users_(settings_, pages_, ports.files, ports.shell, ports.prompter, *this),
      activation_(navigator_, pages_, marks_, display_, ports.sound, buttonPorts_, options_.CurrentOptions(),
                  options_.StartSoundPath()),
      run_(activation_, view),
      editor_(buttons_, navigator_, pages_, view, activation_, run_, buttonPorts_, ports.log),
      keys_(pages_, navigator_.Current(), buttons_, ports.prompter, ports.log),
      desktop_(view, ports.environment, ports.prompter),
      intake_(view, settings_, pages_, navigator_, keys_, *this, options_.CurrentOptions(), ports.files,
              ports.prompter) {
  navigator_.OnButtonsShown = [this] { keys_.ShowStates(); };
  navigator_.OnPageChanged = [this] { keys_.PagesChanged(); };
  editor_.KeyRefusal = [this](int k, const std::string& text) { return keys_.Refusal(k, text); };
  for (auto& button : buttons_) {
    button->OnMouseDown = [this](TLaunchButton& b, MouseButton m) {
      if (editor_.LaunchButtonOnMouseDown(b, m)) intake_.Hold();
    };
    button->OnContextMenu = [this](TLaunchButton& b) {
      editor_.LaunchButtonContextMenu(b);
      intake_.Hold();
    };
  }
}

TLauncher::~TLauncher() { keys_.SetPort(nullptr); }

// Components that come after the creation step take the options it loaded.
void TLauncher::SetComponents(TTrayIcon* trayIcon, TWaitHotKey* waitHotKey) {
  options_.SetComponents(trayIcon, waitHotKey);
  if (created_) Handle([&] { options_.UseComponentOptions(); });
}

void TLauncher::SetGlobalKeys(GlobalKeys* keys) { keys_.SetPort(keys); }

// The button as its page's file holds it now, whatever page is shown.
void TLauncher::HotKeyPressed(int id) {
  Handle([&] {
    if (const std::optional<PressedKey> pressed = keys_.Pressed(id))
      activation_.ActivateByKey(*pressed, view_.NativeHandle());
  });
}

void TLauncher::SetRunningPrograms(RunningPrograms* programs) {
  marks_.SetPrograms(programs);
  marks_.Refresh();
}

void TLauncher::Handle(const std::function<void()>& handler) { Reporting(ports_.prompter, handler); }

void TLauncher::FormCreate() {
  pages_.EnsureDataFolder();
  Handle([&] { LoadPosition(); });
  Handle([&] { navigator_.SetUser(Current().UserNo, settings_.UserNameOf(Current().UserNo)); });
  Handle([&] { navigator_.RepairPageFileAttributes(); });
  // The title box still holds its placeholder, so the loaded title is written back:
  // this creates the page file on a first run.
  Handle([&] { navigator_.LoadPageTitle(); });
  navigator_.ShowPageCount();
  navigator_.ComposeCaption();
  Handle([&] { navigator_.LoadButtons(); });
  Handle([&] { SavePosition(); });
  Handle([&] { SaveUserName(); });
  Handle([&] { options_.Load(Current().UserNo); });
  created_ = true;
}

void TLauncher::LoadPosition() {
  const WindowState state = settings_.LoadPosition();
  view_.MoveWindowTo(state.position);
  navigator_.SetUser(state.userNo, Current().UserName);
  navigator_.SetPages(state.pageNo, state.pageCount);
}

void TLauncher::SavePosition() {
  settings_.SavePosition({view_.WindowPosition(), Current().UserNo, Current().PageNo, Current().PageNoControl});
}

void TLauncher::SaveUserName() { settings_.StoreUserName(Current().UserNo, Current().UserName); }

// What a user operation changed. The options and the keys follow the user even when
// its pages cannot be shown.
void TLauncher::ShowUser(const ShownUser& shown) {
  navigator_.SetUser(shown.number, shown.name);
  auto follow = [&] {
    if (shown.options)
      options_.Use(*shown.options);  // and the keys
    else
      keys_.PagesChanged();
  };
  try {
    if (shown.pages)
      navigator_.ShowPages(shown.pages->page, shown.pages->count);
    else
      navigator_.ComposeCaption();
  } catch (...) {
    follow();
    throw;
  }
  follow();
}

PageListing TLauncher::ListPages() {
  SavePosition();
  PageListing listing;
  listing.titles = pages_.TitlesOf(Current().UserName, Current().PageNoControl);
  listing.current = Current().PageNo;
  listing.position = settings_.StoredPosition();
  listing.formColor = options_.CurrentOptions().FormColor;
  return listing;
}

FindScope TLauncher::Scope() {
  return {&pages_.ReadPages(Current().UserName, Current().PageNoControl), Current().PageNo,
          options_.CurrentOptions().FormColor};
}

ButtonLook TLauncher::LookOf(const ButtonEntry& entry) const {
  return {
      ResolvedGlyphSourceOf(entry.iconPath, entry.iconNo, entry.path, entry.dir, {ports_.environment, ports_.probe}),
      targets_.MissingNow(entry.path)};
}

// With the working folder a button holding it would take; named by the program's name
// where it cannot start as administrator.
void TLauncher::StartProgram(const InstalledProgram& program, ShiftState shift) {
  ButtonEntry entry;
  entry.title = program.name;
  entry.path = program.stored;
  entry.dir = NamesOfNewButton(program.stored, [this](const std::string& name) {
                return ports_.shell.DisplayName(name);
              }).directory;
  activation_.StartProgram(entry, shift, view_.NativeHandle());
}

// The changes from elsewhere wait for the menu, as for the editing menu.
void TLauncher::Activate(TLaunchButton& button, const Activation& how) {
  if (const std::optional<std::string> folder = FolderMenuTarget(button.Entry(), how, buttonPorts_.paths)) {
    intake_.Hold();
    view_.ShowFolderMenu(button.Number(), *folder);
    return;
  }
  activation_.Activate(button, how);
}

void TLauncher::FolderMenuChosen(int k, const std::string& path, ShiftState shift) {
  if (path.empty())
    activation_.Activate(Button(k), {shift, true, true});
  else
    activation_.StartFolderItem(path, shift, view_.NativeHandle());
}

bool TLauncher::ShowPage(int page) {
  return Reporting(ports_.prompter, [&] { navigator_.MovePage(page); });
}

void TLauncher::PopupMenu1Popup() {
  intake_.Hold();
  editor_.PopupMenu1Popup();
}

void TLauncher::Timer1Timer() {
  intake_.TakeInWaiting();
  status_.ShowClock();
  display_.FollowMouseEdge(options_.CurrentOptions().Mouse);
  marks_.Tick();
}

// A bound key is taken also when it does nothing (a held start key), so that it never
// reaches the focused control as text.
bool TLauncher::KeyDown(const KeyStroke& stroke) {
  if (stroke.key == kKeyEscape && run_.Running()) {
    run_.Cancel();
    return true;
  }
  const KeyBinding* binding = KeyBindingOf(stroke.key, stroke.shift);
  if (!binding) return false;
  if (stroke.repeat && !binding->repeats) return true;
  switch (binding->command.action) {
    case KeyAction::kStartButton: Activate(Button(binding->command.button), {stroke.shift, true, true}); break;
    case KeyAction::kNextPage: navigator_.FwdButtonClick(); break;
    case KeyAction::kPreviousPage: navigator_.BwdButtonClick(); break;
    case KeyAction::kFind: OpenDialog(&LauncherDialogs::OpenFindBox); break;
  }
  return true;
}

void TLauncher::UpDown1Click() {
  Handle([&] {
    navigator_.SetPages(Current().PageNo, view_.PageCountPosition());
    navigator_.ComposeCaption();
    SavePosition();
    navigator_.KeepPageWithinCount();
  });
  keys_.PagesChanged();
}

// A save that fails is reported; the question is asked all the same, or the user
// could never quit while the settings file cannot be written.
void TLauncher::FormCloseQuery() {
  Handle([&] {
    SaveUserName();
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

void TLauncher::mHelpOpenClick() {
  ShellRequest request;
  request.owner = view_.NativeHandle();
  request.verb = "open";
  request.file = DirectoryWithSeparator(ports_.environment.ExecutablePath()) + "help" + kPathSeparator + "index.htm";
  request.showCommand = kShowNormal;
  ports_.shell.Execute(request);
}

}  // namespace core
