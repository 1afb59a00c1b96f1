#pragma once

#include <memory>
#include <string>
#include <vector>

#include "find/program_index.h"
#include "launch/page_file.h"
#include "launch_button/launch_button.h"

namespace core {

// The current user's pages as their files hold them now, and the page shown.
struct FindScope {
  const std::vector<Page>* pages = nullptr;  // page p is (*pages)[p - 1]; valid until the next call
  int currentPage = 1;
  int formColor = 0;
};

// How a button found looks in the list.
struct ButtonLook {
  GlyphSource glyph;
  bool missing = false;  // its program is not where its path leads
};

// What the find box asks of the launcher.
class FindBoxHost {
 public:
  virtual ~FindBoxHost() = default;
  // Read anew only where a page's file changed since the last call. A file that cannot
  // be read ends it with an Error.
  virtual FindScope Scope() = 0;
  virtual ButtonLook LookOf(const ButtonEntry& entry) const = 0;
  // While the box is open, what another program writes waits, so that the pages the
  // box lists stay the pages the window shows.
  virtual void HoldChanges(bool hold) = 0;
  // Shows page `page`; false when it could not be shown (the error is shown).
  virtual bool ShowPage(int page) = 0;
  virtual void FlashButton(int k) = 0;
  // Activates button k of the page shown as a click does, with the keys held.
  virtual void ActivateButton(int k, ShiftState shift) = 0;
  // The installed programs as last indexed (none while nothing is known yet); asking
  // may start a fresh look at the packaged apps, whose answer comes to the box later.
  virtual std::shared_ptr<const ProgramIndex> Programs() = 0;
  // Starts the program as a button holding it would start, with the keys held.
  virtual void StartProgram(const InstalledProgram& program, ShiftState shift) = 0;
  // Puts the program on the first empty button from the page shown, shows that page
  // and flashes the button; says so when there is none.
  virtual void PutProgramOnButton(const InstalledProgram& program) = 0;
};

}  // namespace core
