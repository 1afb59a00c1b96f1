#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "about/about_box.h"
#include "button_setup.h"
#include "components/wait_hot_key.h"
#include "fake_ports.h"
#include "find/find_box.h"
#include "launch/launcher.h"
#include "launch_button/button_settings_dlg.h"
#include "list/list_dlg.h"
#include "option/option_dlg.h"
#include "ports/background.h"
#include "ports/file_probe.h"
#include "storage/iconv_code_page.h"
#include "storage/posix_file_system.h"
#include "temp_folder.h"
#include "user/user_dlg.h"

namespace testing_support {

// Code page 932, as on Japanese Windows.
const core::CodePage& Cp932();

// Bytes of UTF-8 text in code page 932.
std::string Sjis(const std::string& utf8);

// A process of a watched start: it shows its window from a moment of the clock on.
class FakeProcess : public core::StartedProcess {
 public:
  FakeProcess(const std::uint64_t& clock, std::uint64_t windowAt, bool console)
      : clock_(clock), windowAt_(windowAt), console_(console) {}
  bool ShowsWindow() override { return clock_ >= windowAt_; }
  bool Ended() override { return false; }
  bool IsConsoleProgram() const override { return console_; }

 private:
  const std::uint64_t& clock_;
  std::uint64_t windowAt_;
  bool console_;
};

class FakeShell : public core::Shell {
 public:
  void Execute(const core::ShellRequest& request) override { requests.push_back(request); }
  // A file of `windowAfter` starts a process whose window shows that many ms later
  // (a console program when also in `consoles`); one of `failing` does not start; any
  // other starts no process.
  core::WatchedStart ExecuteWatched(const core::ShellRequest& request) override {
    requests.push_back(request);
    startedAt.push_back(clock ? *clock : 0);
    if (failing.count(request.file)) return {};
    auto it = windowAfter.find(request.file);
    if (it == windowAfter.end() || !clock) return {true, nullptr};
    return {true, std::make_unique<FakeProcess>(*clock, *clock + it->second, consoles.count(request.file) > 0)};
  }
  std::string AssociatedProgram(const std::string& file) override {
    auto it = executables.find(file);
    return it == executables.end() ? "" : it->second;
  }
  int IconCount(const std::string& file) override {
    auto it = iconCounts.find(file);
    return it == iconCounts.end() ? 0 : it->second;
  }
  std::string DisplayName(const std::string& shellName) override {
    auto it = displayNames.find(shellName);
    return it == displayNames.end() ? "" : it->second;
  }
  void CopyIntoFolder(std::uintptr_t, const std::string& source, const std::string& folder) override {
    copies.emplace_back(source, folder);
  }
  std::optional<std::string> ChooseFolder(std::uintptr_t, const std::string& start) override {
    chooserStarts.push_back(start);
    return chosenFolder;
  }
  std::vector<core::ShellRequest> requests;
  std::map<std::string, std::string> executables;  // document -> program
  std::map<std::string, int> iconCounts;
  std::map<std::string, std::string> displayNames;          // shell name -> what the shell shows
  std::vector<std::pair<std::string, std::string>> copies;  // (source, folder)
  std::vector<std::string> chooserStarts;
  std::optional<std::string> chosenFolder;  // what the folder chooser answers
  const std::uint64_t* clock = nullptr;     // the watched starts' clock
  std::map<std::string, std::uint64_t> windowAfter;
  std::set<std::string> failing, consoles;
  std::vector<std::uint64_t> startedAt;  // the clock at each watched start
};

// The system's side of the buttons' own keys: every registration and withdrawal in
// order, the refusals answered at once.
class FakeGlobalKeys : public core::GlobalKeys {
 public:
  void Change(const std::vector<int>& withdrawn, const std::vector<core::KeyRegistration>& added,
              Refused done) override {
    std::vector<int> refused;
    for (int id : withdrawn) calls.push_back("-" + std::to_string(id));
    for (const auto& key : added) {
      calls.push_back("+" + std::to_string(key.id) + " " + std::to_string(key.modifiers) + " " +
                      std::to_string(key.code));
      if (taken.count({key.modifiers, key.code})) refused.push_back(key.id);
    }
    if (holdAnswers)
      held.emplace_back(std::move(done), refused);
    else if (done)
      done(refused);
  }
  void Flush() override { calls.push_back("flush"); }
  // The answers held back, in order, as the keys' thread gives them later.
  void Answer() {
    for (auto& [done, refused] : std::exchange(held, {}))
      if (done) done(refused);
  }
  std::vector<std::string> calls;
  std::set<std::pair<unsigned, int>> taken;  // what other programs hold
  bool holdAnswers = false;
  std::vector<std::pair<Refused, std::vector<int>>> held;
};

class FakeRunningPrograms : public core::RunningPrograms {
 public:
  std::vector<core::ProgramWindow> VisibleWindows() override {
    ++looks;
    return windows;
  }
  bool BringToFront(std::uintptr_t window) override {
    brought.push_back(window);
    return true;
  }
  std::vector<core::ProgramWindow> windows;
  std::vector<std::uintptr_t> brought;
  int looks = 0;
};

// What a settings dialog window showed, kept by the test: the window itself belongs to
// the dialog and goes with it.
struct SettingsWindow {
  core::TButtonSettingsDlg* dialog = nullptr;
  core::ScreenRect button{100, 200, 136, 236}, monitor{0, 0, 1280, 1024};
  core::ScreenPoint position;
  std::map<core::SettingsField, std::string> texts;
  int state = -1, scrollMax = -1, scrollPosition = 0, shown = 0, closed = 0;
  std::map<core::SettingsCheck, bool> checked;
  std::optional<core::SettingsField> focused;
  std::optional<core::GlyphSource> preview;
  bool previewSmall = false;
  std::optional<std::string> chosenFile;
  std::function<void(core::TButtonSettingsDlg&)> whileShown;  // runs while the dialog is open
};

class FakeSettingsView : public core::ButtonSettingsView {
 public:
  explicit FakeSettingsView(SettingsWindow& w) : w_(w) {}
  void Attach(core::TButtonSettingsDlg* d) override { w_.dialog = d; }
  core::ScreenRect ButtonRect() const override { return w_.button; }
  core::ScreenRect MonitorRect() const override { return w_.monitor; }
  int OuterWidth() const override { return 420; }
  void MoveTo(core::ScreenPoint p) override { w_.position = p; }
  std::string Text(core::SettingsField f) const override {
    auto it = w_.texts.find(f);
    return it == w_.texts.end() ? "" : it->second;
  }
  void SetText(core::SettingsField f, const std::string& t) override { w_.texts[f] = t; }
  void SelectState(int index) override { w_.state = index; }
  void FocusField(core::SettingsField field) override { w_.focused = field; }
  bool Checked(core::SettingsCheck box) const override { return w_.checked[box]; }
  void SetChecked(core::SettingsCheck box, bool on) override { w_.checked[box] = on; }
  void SetScrollRange(int max) override { w_.scrollMax = max; }
  void SetScrollPosition(int p) override { w_.scrollPosition = p; }
  void ShowPreview(const core::GlyphSource& source, bool isSmall) override {
    w_.preview = source;
    w_.previewSmall = isSmall;
  }
  void RemovePreview() override { w_.preview.reset(); }
  std::optional<std::string> ChooseFile() override { return w_.chosenFile; }
  void ShowModal() override {
    ++w_.shown;
    if (w_.whileShown) w_.whileShown(*w_.dialog);
  }
  void Close() override { ++w_.closed; }

 private:
  SettingsWindow& w_;
};

class FakeEnvironment : public core::Environment {
 public:
  std::string ExecutablePath() const override { return exePath; }
  std::string CurrentDirectory() const override { return currentDirectory; }
  std::optional<std::string> Variable(const std::string& name) const override {
    auto it = variables.find(name);
    return it == variables.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  std::string FolderPath(int id) const override {
    ++folderQueries;
    if (id == core::kFolderPersonal) return documents;
    return id == core::kFolderDesktop ? desktop : "";
  }
  core::LocalTime Now() const override { return now; }
  std::string DateSeparator() const override { return dateSeparator; }
  std::string LongTimeText(const core::LocalTime& t) const override;

  std::string exePath;
  std::string dateSeparator = "/";
  std::string currentDirectory;
  std::map<std::string, std::string> variables;
  std::string desktop = "C:\\Desktop";
  std::string documents = "C:\\Users\\me\\Documents";
  core::LocalTime now{2026, 12, 8, 9, 5, 7};
  mutable int folderQueries = 0;
};

// Drives and the files on them, as a test lays them out: the paths present, and the
// folders that hold them. A letter not listed is no drive; every look is remembered.
class FakeProbe : public core::FileProbe {
 public:
  bool Exists(const std::string& path) const override {
    looked.push_back(path);
    if (present.count(path)) return true;
    auto it = present.lower_bound(path + "\\");
    return it != present.end() && it->rfind(path + "\\", 0) == 0;
  }
  bool ShellItemExists(const std::string& name) const override { return shellItems.count(name) > 0; }
  core::DriveKind KindOfDrive(char letter) const override {
    kindsAsked.push_back(letter);
    auto it = drives.find(letter);
    return it == drives.end() ? core::DriveKind::kAbsent : it->second;
  }
  std::optional<std::string> NetworkPath(const std::string& path) const override {
    auto it = networkPaths.find(path);
    return it == networkPaths.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  std::set<std::string> present;
  std::set<std::string> shellItems;  // the items of the shell's namespace it knows
  std::map<char, core::DriveKind> drives;
  std::map<std::string, std::string> networkPaths;
  mutable std::vector<std::string> looked;
  mutable std::vector<char> kindsAsked;
};

// Holds background work until the test runs it with the probe it names, and holds
// the answers until the test hands them back.
class FakeBackground : public core::Background {
 public:
  void Run(std::function<Done(const core::FileProbe&)> work) override { pending.push_back(std::move(work)); }
  void Work(const core::FileProbe& probe) {
    for (auto& work : pending) answers.push_back(work(probe));
    pending.clear();
  }
  void Deliver() {
    auto ready = std::move(answers);
    answers.clear();
    for (auto& answer : ready)
      if (answer) answer();
  }
  void Finish(const core::FileProbe& probe) {
    Work(probe);
    Deliver();
  }
  std::vector<std::function<Done(const core::FileProbe&)>> pending;
  std::vector<Done> answers;
};

// A launch button's face: its hint, its glyph and whether it takes dropped files.
class FakeButtonView : public core::LaunchButtonView {
 public:
  void SetHint(const std::string& text) override { hint = text; }
  void SetAccessibleName(const std::string& text, const std::string& about) override {
    name = text;
    description = about;
  }
  void Repaint() override { ++repaints; }
  void DrawGlyph(const core::GlyphSource& source, bool isSmall) override {
    glyph = source;
    hasGlyph = true;
    small = isSmall;
    ++glyphsDrawn;
  }
  void RemoveGlyph() override { hasGlyph = false; }
  void SetDimmed(bool on) override { dimmed = on; }
  void SetRunning(bool on) override { running = on; }
  void Flash() override { ++flashes; }
  void AcceptFiles(bool accept) override { acceptsFiles = accept; }
  std::uintptr_t NativeHandle() const override { return 0x5678; }
  // The window of the next settings dialog shows into `settings`.
  std::unique_ptr<core::ButtonSettingsView> CreateSettingsView() override {
    return settings ? std::make_unique<FakeSettingsView>(*settings) : nullptr;
  }
  SettingsWindow* settings = nullptr;

  std::string hint, name, description;
  core::GlyphSource glyph;
  bool hasGlyph = false, small = false, acceptsFiles = false, dimmed = false, running = false;
  int repaints = 0, glyphsDrawn = 0, flashes = 0;
};

// The launcher window as the tests see it. Like the real title box, it reports a
// changed title to the launcher.
class FakeView : public core::LauncherView {
 public:
  void SetCaption(const std::string& c) override {
    caption = c;
    updates.push_back("caption");
  }
  std::string TitleText() const override { return title; }
  void SetTitleText(const std::string& text) override { title = text; }
  // The user types into the title box: the box reports the change.
  void TypeTitle(const std::string& text);
  void SetPageCount(int count) override { pageCount = count; }
  void SetDateText(const std::string& text) override {
    date = text;
    updates.push_back("date");
  }
  void SetTimeText(const std::string& text) override {
    time = text;
    updates.push_back("time");
  }
  void EnableNavButton(core::NavButton button, bool on) override {
    enabled[button] = on;
    updates.push_back("nav" + std::to_string(static_cast<int>(button)));
  }
  core::ScreenPoint WindowPosition() const override { return position; }
  void MoveWindowTo(core::ScreenPoint p) override { position = p; }
  bool IsWindowShown() const override { return shown; }
  bool TakesInput() const override { return takesInput; }
  void ShowWindow() override {
    shown = true;
    ++shows;
  }
  void HideWindow() override {
    shown = false;
    ++hides;
  }
  void BringToForeground() override { ++foregrounds; }
  std::optional<core::ScreenPoint> CursorPosition() const override { return cursor; }
  std::uintptr_t NativeHandle() const override { return 0x1234; }
  core::LaunchButtonView& ButtonView(int k) override { return buttons[static_cast<size_t>(k - 1)]; }
  int PageCountPosition() const override { return pageCount; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }
  void PopupLaunchMenu(const core::LaunchMenuState& state, int atButton) override {
    launchMenus.push_back(state);
    launchMenuAt = atButton;
  }
  void ShowFolderMenu(int k, const std::string& folder) override { folderMenus.emplace_back(k, folder); }
  void FocusLaunchButton(int k) override { focused = k; }
  void EnablePageCommands(bool selected, bool page, bool inOrder) override {
    pageCommands = {selected, page};
    checkedInOrder = inOrder;
  }
  void RunSteps(bool on) override { stepping = on; }
  std::uint64_t Milliseconds() const override { return clock; }

  // Which buttons are enabled, in the order T << < > >> F.
  std::string NavStates() const;

  core::TLauncher* launcher = nullptr;
  std::string caption;
  std::string title = "Edit1";
  int pageCount = 1;
  std::string date = "Label2";
  std::string time = "Label3";
  std::map<core::NavButton, bool> enabled;
  core::ScreenPoint position{0, 0};
  std::optional<core::ScreenPoint> cursor = core::ScreenPoint{500, 500};
  bool shown = true;
  bool takesInput = true;  // no dialog open
  int shows = 0, hides = 0, foregrounds = 0;
  std::array<FakeButtonView, core::kLaunchButtonCount> buttons;
  std::optional<core::PanelColour> colour;
  std::vector<core::LaunchMenuState> launchMenus;
  int launchMenuAt = -1;                                 // the button the last menu opened at; 0: at the pointer
  std::vector<std::pair<int, std::string>> folderMenus;  // button, folder
  int focused = 0;                                       // the launch button given the keyboard focus
  std::pair<bool, bool> pageCommands{true, true};
  bool checkedInOrder = false;
  bool stepping = false;             // the page run asks for steps
  std::uint64_t clock = 0;           // what Milliseconds tells
  std::vector<std::string> updates;  // what the timer changed, in order
};

// The page-title list as the tests see it; ShowModal runs `whileShown`.
class FakeListView : public core::ListDlgView {
 public:
  void ClearItems() override { items.clear(); }
  void AddItem(const std::string& text) override { items.push_back(text); }
  void SelectItem(int index) override { selected = index; }
  void MoveTo(core::ScreenPoint p) override { position = p; }
  void ShowModal() override {
    ++shown;
    if (whileShown) whileShown();
  }
  void Close() override { ++closed; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }

  std::vector<std::string> items;
  int selected = -1;
  core::ScreenPoint position;
  int shown = 0, closed = 0;
  std::function<void()> whileShown;
  std::optional<core::PanelColour> colour;
};

// The user dialog as the tests see it. Like the real name field, it reports a changed
// text to the dialog.
class FakeUserView : public core::UserDlgView {
 public:
  void SetListItems(const std::vector<std::string>& names) override { items = names; }
  void SelectListItem(int index) override { selected = index; }
  std::string NameText() const override { return name; }
  void SetNameText(const std::string& text) override {
    if (text == name) return;
    name = text;
    if (dialog) dialog->Edit1Change();
  }
  int UserNumber() const override { return number; }
  void SetUserNumber(int n) override { number = n; }
  core::ScreenPoint Position() const override { return position; }
  void MoveTo(core::ScreenPoint p) override { position = p; }
  void ShowModal() override {
    ++shown;
    if (whileShown) whileShown();
  }
  void Close() override { ++closed; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }

  core::TUserDlg* dialog = nullptr;
  std::vector<std::string> items;
  int selected = 99, number = 1, shown = 0, closed = 0;
  std::string name;
  core::ScreenPoint position;
  std::optional<core::PanelColour> colour;
  std::function<void()> whileShown;
};

// Holds the global atom table and the registrations, and records every call.
class FakeRegistrar : public core::HotKeyRegistrar {
 public:
  std::string WindowHandleText() const override { return handleText; }
  std::uint16_t FindGlobalAtom(const std::string& name) override { return atoms.count(name) ? 0xC001 : 0; }
  std::uint16_t AddGlobalAtom(const std::string& name) override {
    calls.push_back("add " + name);
    if (!canAddAtom) return 0;
    atoms.insert(name);
    return kAtom;
  }
  void DeleteGlobalAtom(std::uint16_t atom) override { calls.push_back("delete " + std::to_string(atom)); }
  bool Register(std::uint16_t id, unsigned modifiers, int keyCode) override {
    calls.push_back("register " + std::to_string(id) + " " + std::to_string(modifiers) + " " + std::to_string(keyCode));
    return !refuse;
  }
  void Unregister(std::uint16_t id) override { calls.push_back("unregister " + std::to_string(id)); }

  static constexpr std::uint16_t kAtom = 0xC123;
  std::string handleText = "65602";
  std::set<std::string> atoms;
  bool canAddAtom = true;
  bool refuse = false;
  std::vector<std::string> calls;
};

// The dialogs that the launcher's menus and keys open, those a test made.
struct FakeDialogs : core::LauncherDialogs {
  void OpenPageList() override {
    if (list) list->mListClick();
  }
  void OpenUsers() override {
    if (users) users->mUserClick();
  }
  void OpenOptions() override {
    if (options) options->mOptionClick();
  }
  void OpenVersion(int formColor) override {
    if (about) about->mVersionClick(formColor);
  }
  void OpenFindBox() override {
    if (find) find->Open();
  }
  core::TListDlg* list = nullptr;
  core::TUserDlg* users = nullptr;
  core::TOptionDlg* options = nullptr;
  core::TAboutBox* about = nullptr;
  core::TFindBox* find = nullptr;
};

// A launcher with fakes around it, its executable in a temporary folder
// (<folder>/zubi.exe with DATA beside it once created).
class LauncherFixture {
 public:
  LauncherFixture();
  // The launcher works on `launcherFiles` (one that fails or has a clock of its own);
  // `files` stays the plain real one for the test.
  explicit LauncherFixture(core::FileSystem& launcherFiles);
  core::TLauncher& Launcher() { return *launcher_; }
  const core::CurrentPage& Current() const { return launcher_->Current(); }
  std::string SettingsText() const;  // the settings file, decoded, "" when absent
  std::string PageText(const std::string& name) const;
  void WriteSettings(const std::string& utf8) const;

  TempFolder folder;
  core::PosixFileSystem files;
  FakePrompter prompter;
  FakeShell shell;
  FakeEnvironment environment;
  FakeSound sound;
  FakeProbe probe;
  FakeFailureLog log;
  FakeView view;
  FakeDialogs dialogs;

 private:
  std::unique_ptr<core::TLauncher> launcher_;
};

// Joins lines with CR LF after each.
std::string Lines(const std::vector<std::string>& lines);

}  // namespace testing_support
