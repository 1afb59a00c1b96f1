#include "find/button_index.h"

#include "find/search_text.h"
#include "launch_button/path_text.h"
#include "launch_button/target_path.h"

namespace core {

ButtonIndex::ButtonIndex(const std::vector<Page>& pages) {
  for (size_t p = 0; p < pages.size(); ++p) {
    for (size_t k = 0; k < pages[p].buttons.size(); ++k) {
      const ButtonEntry& entry = pages[p].buttons[k];
      if (entry.Empty()) continue;
      // An address or a shell name is found by its whole text, a file by its name.
      const std::string fileName =
          KindOfTarget(entry.path) == TargetKind::kFile ? ExtractFileName(entry.path) : entry.path;
      FoundButton found{static_cast<int>(p + 1), static_cast<int>(k + 1), entry.title.empty() ? fileName : entry.title,
                        entry};
      items_.push_back({std::move(found), SearchForm(entry.title), SearchForm(fileName)});
    }
  }
}

std::vector<const FoundButton*> ButtonIndex::Find(std::string_view query, int currentPage) const {
  const std::string wanted = SearchForm(query);
  std::vector<const FoundButton*> current, others;
  for (const Item& item : items_) {
    if (!Holds(item.title, wanted) && !Holds(item.fileName, wanted)) continue;
    (item.button.page == currentPage ? current : others).push_back(&item.button);
  }
  current.insert(current.end(), others.begin(), others.end());
  return current;
}

}  // namespace core
