#pragma once

#include <string>
#include <vector>

#include "geometry.h"

namespace core {

// What the page-title list shows as it opens.
struct PageListing {
  std::vector<std::string> titles;  // of pages 1..count of the current user
  int current = 1;
  ScreenPoint position;  // the window's stored position, where the list stands
  int formColor = 0;
};

// What the page-title list asks of the launcher.
class PageListHost {
 public:
  virtual ~PageListHost() = default;
  // Stores the window's position and page, as opening the list does, then reads the
  // titles. A file that cannot be written or read ends it with an Error.
  virtual PageListing ListPages() = 0;
  // Shows the page; an error is shown.
  virtual void GoToPage(int page) = 0;
};

}  // namespace core
