// Loading a page of ten registered buttons, opening the page list of 99 pages, and
// finding buttons among 99 full pages by typing, in the core with real files. Budget:
// well under a frame (16 ms); a typed key's search well under 5 ms.
#include <benchmark/benchmark.h>

#include "find/button_index.h"
#include "storage/paths.h"
#include "support.h"

namespace {

using testing_support::LauncherFixture;
using testing_support::Lines;

void WritePages(LauncherFixture& f) {
  f.WriteSettings(Lines({"[User1]", "PageNoControl=99"}));
  for (int page = 1; page <= 99; ++page) {
    std::vector<std::string> lines = {"[PageTitle]", "PageTitle=ページ " + std::to_string(page)};
    for (int k = 1; k <= 10; ++k) {
      lines.push_back("[Button" + std::to_string(k) + "]");
      lines.push_back("ProgPath=C:\\Program Files\\Tool " + std::to_string(k) + "\\tool.exe");
      lines.push_back("ProgTitle=道具" + std::to_string(k));
      lines.push_back("ProgDir=C:\\Program Files\\Tool " + std::to_string(k));
      lines.push_back("ProgOption=--page " + std::to_string(page));
    }
    f.folder.Write("DATA/User1" + std::to_string(page) + ".dat", testing_support::Sjis(Lines(lines)));
  }
}

void LoadPageOfTenButtons(benchmark::State& state) {
  LauncherFixture f;
  WritePages(f);
  f.Launcher().FormCreate();
  int page = 1;
  for (auto _ : state) {
    f.Launcher().Hosts().list.GoToPage(page);
    page = page % 99 + 1;
  }
}
BENCHMARK(LoadPageOfTenButtons)->Unit(benchmark::kMillisecond);

void OpenPageListOf99Pages(benchmark::State& state) {
  LauncherFixture f;
  WritePages(f);
  testing_support::FakeListView list;
  core::TListDlg dialog(list, f.Launcher().Hosts().list, f.prompter);
  f.Launcher().FormCreate();
  list.whileShown = [&] { dialog.CancelButtonClick(); };
  for (auto _ : state) dialog.mListClick();
  if (list.items.size() != 99) state.SkipWithError("the list does not hold 99 titles");
}
BENCHMARK(OpenPageListOf99Pages)->Unit(benchmark::kMillisecond);

// Reading the 990 buttons and indexing them, as the find box does when it opens.
void IndexNinetyNinePages(benchmark::State& state) {
  LauncherFixture f;
  WritePages(f);
  const core::PageStore store(f.files, testing_support::Cp932(), core::DirectoryWithSeparator(f.environment.exePath));
  for (auto _ : state) {
    core::ButtonIndex index(store.ReadPages("User1", 99));
    benchmark::DoNotOptimize(index.Size());
  }
}
BENCHMARK(IndexNinetyNinePages)->Unit(benchmark::kMillisecond);

// One typed key: the whole index searched again, half-width kana against full-width.
void FindAmongNinetyNinePages(benchmark::State& state) {
  LauncherFixture f;
  WritePages(f);
  const core::PageStore store(f.files, testing_support::Cp932(), core::DirectoryWithSeparator(f.environment.exePath));
  const core::ButtonIndex index(store.ReadPages("User1", 99));
  const char* const queries[] = {"ﾄﾞｳ", "道具1", "tool", "x"};
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(index.Find(queries[i++ % 4], 50).size());
  if (index.Find("道具", 1).size() != 990) state.SkipWithError("not every button is found");
}
BENCHMARK(FindAmongNinetyNinePages)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
