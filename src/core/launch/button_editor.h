#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "launch/button_activation.h"
#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch/page_run.h"
#include "launch_button/button_entry.h"
#include "launch_button/button_settings_dlg.h"
#include "ports/failure_log.h"
#include "ports/prompter.h"

namespace core {

// The launcher's own work on its buttons: writing a changed button to the page file,
// the editing menu (cut, copy, paste, delete, select) and starting several buttons at
// once.
class ButtonEditor {
 public:
  ButtonEditor(LaunchButtons& buttons, PageNavigator& navigator, const PageStore& pages, LauncherView& view,
               ButtonActivation& activation, PageRun& run, const LaunchButtonPorts& ports, FailureLog& log)
      : buttons_(buttons),
        navigator_(navigator),
        pages_(pages),
        view_(view),
        activation_(activation),
        run_(run),
        ports_(ports),
        prompter_(ports.prompter),
        log_(log) {}

  // Why a key text cannot be button k's own key; empty when it can. Without it every
  // key is taken.
  std::function<std::string(int k, const std::string& text)> KeyRefusal;

  // True when it opened the editing menu (the middle button).
  bool LaunchButtonOnMouseDown(TLaunchButton& button, MouseButton mouseButton);
  // The editing menu from the keyboard, at the button.
  void LaunchButtonContextMenu(TLaunchButton& button);
  // The settings dialog of the button, built for one use and destroyed.
  void OpenSettings(TLaunchButton& button);
  // The file whose icons button k's settings dialog offers, kept between its openings.
  std::string& IconSource(int k) { return iconSources_[static_cast<size_t>(k - 1)]; }
  // Files dropped on the button: one file on an empty button registers it; on a
  // registered button it is opened with the button's program.
  void FilesDropped(TLaunchButton& button, const std::vector<std::string>& paths);
  // An installed program put on the first empty button from the page shown (as a drop
  // of it there would register it): that page shows and the button flashes. With no
  // empty button up to the page count, it says so and changes nothing.
  void PutOnEmptyButton(const std::string& stored);
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
  // The page shown starts in order, or no longer.
  void pInOrderClick();

 private:
  TLaunchButton& PopupButton() { return *buttons_[static_cast<size_t>(popupButtonNo_ - 1)]; }
  void StartButtons(bool selectedOnly);
  bool InOrderQuietly() const;

  LaunchButtons& buttons_;
  PageNavigator& navigator_;
  const PageStore& pages_;
  LauncherView& view_;
  ButtonActivation& activation_;
  PageRun& run_;
  LaunchButtonPorts ports_;
  Prompter& prompter_;
  FailureLog& log_;
  int popupButtonNo_ = 1;
  // The file whose icons each button's settings dialog offered last.
  std::array<std::string, kLaunchButtonCount> iconSources_;
  // What Copy and Cut take and Paste gives: a button's values but its selection mark.
  ButtonEntry clipboard_;
};

}  // namespace core
