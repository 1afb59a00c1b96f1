#pragma once

#include <string>

#include "launch/launcher_view.h"
#include "launch/page_store.h"
#include "launch/running_marks.h"
#include "launch/status_line.h"
#include "launch_button/launch_button.h"
#include "launch_button/missing_targets.h"
#include "ports/prompter.h"

namespace core {

// The user and the page the window shows.
struct CurrentPage {
  int UserNo = 1;
  std::string UserName;
  int PageNo = 1;
  int PageNoControl = 1;  // the page count
  std::string CaptionText;
};

// Moving between pages and showing one: the six navigation commands, the page's
// title and buttons from its file, and the caption. Every move ends in MovePage,
// which reloads the page from its file.
class PageNavigator {
 public:
  PageNavigator(LauncherView& view, LaunchButtons& buttons, PageStore& pages, StatusLine& status,
                MissingTargets& targets, RunningMarks& marks, Prompter& prompter)
      : view_(view),
        buttons_(buttons),
        pages_(pages),
        status_(status),
        targets_(targets),
        marks_(marks),
        prompter_(prompter) {}

  const CurrentPage& Current() const { return current_; }
  // The page data file of the user name and page shown.
  std::string PageFilePath() const { return pages_.PathOf(current_.UserName, current_.PageNo); }

  // These change what is current without showing anything yet.
  void SetUser(int n, const std::string& name);
  void SetPages(int page, int count);

  // Shows page `page` of the current user: buttons, title, caption and the
  // navigation buttons. Nothing is written except a title that differs from the box's.
  void MovePage(int page);
  // MovePage; an error is shown.
  void GoToPage(int page);
  // Page `page` of `count` shown: the count arrows, the page, the caption.
  void ShowPages(int page, int count);
  // The page count arrows show PageNoControl; their own handler does not run.
  void ShowPageCount() { view_.SetPageCount(current_.PageNoControl); }
  // Composes CaptionText and shows it with the navigation buttons' states.
  void ComposeCaption();
  // After a new page count: lowering it below the current page moves to the new last
  // page, lowering it to the current page reloads it, raising it moves nowhere.
  void KeepPageWithinCount();

  void FastTopButtonClick();
  void FastBwdButtonClick();
  void BwdButtonClick();
  void FwdButtonClick();
  void FastFwdButtonClick();
  void FastFinalButtonClick();

  // The page-title box: a typed change is stored at once.
  void Edit1Change();
  // Puts a title into the box, and stores it when it differs from the box's.
  void ShowTitle(const std::string& title);
  void LoadPageTitle();
  // The page's buttons from its file, then a look for their programs.
  void LoadButtons();
  // Button k into the current page's file as the file is now: the other buttons keep
  // what the file holds, also another program's changes made since the page was shown,
  // and the window shows them.
  void SaveButton(int k);
  // The page's file was written or removed by another program: when it now holds
  // another title or other buttons than the window shows, the page is shown again
  // from it (a removed one as empty, and it is not written).
  void TakeInPage();
  // Looks anew for the programs of the buttons shown: missing ones, running ones.
  void CheckTargets() {
    targets_.Check();
    marks_.Refresh();
  }
  // Whether the page's launch starts its buttons in order; set, it is written at once.
  bool InOrder() const { return pages_.Load(PageFilePath()).InOrder(); }
  void SetInOrder(bool inOrder);
  // After the buttons shown took other values from the file.
  std::function<void()> OnButtonsShown;
  // A button of the page was saved, or the page's data deleted.
  std::function<void()> OnPageChanged;
  // The page's file, made writable again.
  void RepairPageFileAttributes();
  // Deletes the page's data file; the page stays where it is and keeps its number.
  void mDeleteClick();

 private:
  LauncherView& view_;
  LaunchButtons& buttons_;
  PageStore& pages_;
  StatusLine& status_;
  MissingTargets& targets_;
  RunningMarks& marks_;
  Prompter& prompter_;
  CurrentPage current_;
};

}  // namespace core
