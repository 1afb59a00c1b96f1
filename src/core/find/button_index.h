#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launch/page_file.h"

namespace core {

// A registered button of some page, as the find box lists it.
struct FoundButton {
  int page = 0;
  int button = 0;    // 1..10
  std::string text;  // its title, or its program's file name when it has none
  ButtonEntry entry;
};

// Every registered button of a user's pages, made once when the find box opens, so
// that each typed key only compares texts already in search form.
class ButtonIndex {
 public:
  // Page p is pages[p - 1].
  explicit ButtonIndex(const std::vector<Page>& pages);

  // The buttons whose title or program file name holds `query` (in any letter case,
  // width or kana): those of `currentPage` first, then the others in page order,
  // each page's in button order. An empty query finds them all.
  std::vector<const FoundButton*> Find(std::string_view query, int currentPage) const;
  size_t Size() const { return items_.size(); }

 private:
  struct Item {
    FoundButton button;
    std::string title, fileName;  // in search form
  };
  std::vector<Item> items_;
};

}  // namespace core
