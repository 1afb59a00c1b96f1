#pragma once

#include <functional>

#include "launch/button_activation.h"
#include "launch/launcher_view.h"
#include "launch/page_navigator.h"
#include "launch/page_run.h"
#include "launch_button/button_entry.h"
#include "ports/failure_log.h"
#include "ports/prompter.h"

namespace core {

// The launcher's own work on its buttons: writing a changed button to the page file,
// the editing menu (cut, copy, paste, delete, select) and starting several buttons at
// once.
class ButtonEditor {
 public:
  ButtonEditor(LaunchButtons& buttons, PageNavigator& navigator, const PageStore& pages, LauncherView& view,
               ButtonActivation& activation, PageRun& run, Prompter& prompter, FailureLog& log)
      : buttons_(buttons),
        navigator_(navigator),
        pages_(pages),
        view_(view),
        activation_(activation),
        run_(run),
        prompter_(prompter),
        log_(log) {}

  // Pasted values, before they are written: the key another button has already is
  // dropped from them, with a notice.
  std::function<void(TLaunchButton&)> OnPasted;

  // True when it opened the editing menu (the middle button).
  bool LaunchButtonOnMouseDown(TLaunchButton& button, MouseButton mouseButton);
  // The editing menu from the keyboard, at the button.
  void LaunchButtonContextMenu(TLaunchButton& button);
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
  Prompter& prompter_;
  FailureLog& log_;
  int popupButtonNo_ = 1;
  // What Copy and Cut take and Paste gives: a button's values but its selection mark.
  ButtonEntry clipboard_;
};

}  // namespace core
