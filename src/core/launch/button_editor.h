#pragma once

#include <string>

#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch_button/button_entry.h"
#include "ports/prompter.h"
#include "ports/shell.h"
#include "ports/sound.h"
#include "storage/settings_file.h"

namespace core {

class WindowDisplay;

// What the button editor plays and shows.
struct EditorPorts {
  Prompter& prompter;
  Shell& shell;
  Sound& sound;
};

// The launcher's own work on its buttons: the start sound of a click, writing a
// changed button to the page file, the editing menu (cut, copy, paste, delete,
// select) and starting several buttons at once.
class ButtonEditor {
 public:
  ButtonEditor(LaunchButtons& buttons, PageNavigator& navigator, PageStore& pages, LauncherView& view,
               WindowDisplay& display, const EditorPorts& ports, const Options& options, std::string startSound)
      : buttons_(buttons),
        navigator_(navigator),
        pages_(pages),
        view_(view),
        display_(display),
        ports_(ports),
        options_(options),
        startSound_(std::move(startSound)) {}

  // The wav file a start plays.
  const std::string& StartSoundPath() const { return startSound_; }

  void LaunchButtonOnClick(TLaunchButton& button);
  void LaunchButtonOnMouseDown(TLaunchButton& button, MouseButton mouseButton);
  // A button changed by its settings dialog, a drop or the editing menu.
  void OnBtnUpdated(TLaunchButton& button);

  LaunchMenuState PopupMenuLaunchPopup();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void Select1Click();
  void PopupMenu1Popup();
  void Choice1Click() { StartButtons(true); }
  void pAllStartClick() { StartButtons(false); }

 private:
  TLaunchButton& PopupButton() { return *buttons_[static_cast<size_t>(popupButtonNo_ - 1)]; }
  void StartButtons(bool selectedOnly);

  LaunchButtons& buttons_;
  PageNavigator& navigator_;
  PageStore& pages_;
  LauncherView& view_;
  WindowDisplay& display_;
  EditorPorts ports_;
  const Options& options_;
  std::string startSound_;
  int popupButtonNo_ = 1;
  // What Copy and Cut take and Paste gives: a button's values but its selection mark.
  ButtonEntry clipboard_;
};

}  // namespace core
