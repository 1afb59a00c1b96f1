#include "copy/copy_dlg.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "copy/copy_texts.h"
#include "launch/daily_snapshot.h"
#include "support.h"

using testing_support::LauncherFixture;

namespace {

// The two lists as the user sees them: a single-selection source list and an
// extended-selection destination list whose focus is the entry last clicked.
class FakeCopyView : public core::CopyDlgView {
 public:
  void SetSourceItems(const std::vector<std::string>& items) override { sources = items; }
  void SetDestinationItems(const std::vector<std::string>& items) override { destinations = items; }
  int SourceSelection() const override { return source; }
  void DeselectSource() override { source = -1; }
  int DestinationFocus() const override { return focus; }
  bool IsDestinationSelected(int index) const override { return selected.at(static_cast<size_t>(index)); }
  void SelectDestination(int index, bool on) override { selected.at(static_cast<size_t>(index)) = on; }
  void EnableDestinationList(bool on) override { destinationEnabled = on; }
  void EnableOK(bool on) override { okEnabled = on; }
  void SetSourceHint(const std::string& text) override { sourceHint = text; }
  void SetDestinationHint(const std::string& text) override { destinationHint = text; }
  std::uintptr_t NativeHandle() const override { return 0x4321; }
  void ShowModal() override { ++shown; }
  void Close() override { ++closed; }
  void SetPanelColour(const core::PanelColour& c) override { colour = c; }

  std::vector<std::string> sources, destinations;
  int source = -1, focus = 0;
  std::array<bool, 11> selected{};
  bool destinationEnabled = false, okEnabled = true;
  std::string sourceHint, destinationHint;
  int shown = 0, closed = 0;
  std::optional<core::PanelColour> colour;
};

struct CopyFixture : LauncherFixture {
  CopyFixture() : dialog(view, Launcher().Hosts().copy, prompter, files, environment) {
    std::filesystem::create_directories(folder.Path("DATA"));
  }
  void Page(const std::string& user, int page, const std::string& text) {
    folder.Write("DATA/" + user + std::to_string(page) + ".dat", text);
  }
  void Open() { dialog.CopyButtonClick(); }
  void ClickSource(int index) {
    view.source = index;
    dialog.SrcListClick();
  }
  // A plain click: the entry alone is selected and takes the focus.
  void ClickDestination(int index) {
    view.selected.fill(false);
    view.selected.at(static_cast<size_t>(index)) = true;
    view.focus = index;
    dialog.DstListClick();
  }
  // A click with Ctrl: the entry's selection toggles, the others stay.
  void CtrlClickDestination(int index) {
    view.selected.at(static_cast<size_t>(index)) = !view.selected.at(static_cast<size_t>(index));
    view.focus = index;
    dialog.DstListClick();
  }

  FakeCopyView view;
  core::TCopyDlg dialog;
};

TEST(CopyDlg, OpensWithTheUserNamesBothListsAndOKDisabled) {
  CopyFixture f;
  f.WriteSettings("[User]\r\nUser2=Hanako\r\n[User1]\r\nFormColor=7\r\n");
  f.Launcher().FormCreate();
  f.Open();
  ASSERT_EQ(f.view.sources.size(), 11u);
  ASSERT_EQ(f.view.destinations.size(), 11u);
  EXPECT_EQ(f.view.sources[0], "User1");
  EXPECT_EQ(f.view.sources[1], "Hanako");
  EXPECT_EQ(f.view.destinations[1], "Hanako");
  EXPECT_EQ(f.view.sources[9], "User10");
  EXPECT_EQ(f.view.sources[10], "すべてのﾃﾞｰﾀ");
  EXPECT_EQ(f.view.destinations[10], "ﾊﾞｯｸｱｯﾌﾟ");
  EXPECT_FALSE(f.view.okEnabled);
  EXPECT_FALSE(f.view.destinationEnabled);
  EXPECT_EQ(f.view.shown, 1);
  EXPECT_EQ(f.view.colour, core::PanelColourOf(7));
}

TEST(CopyDlg, ReopeningKeepsTheDestinationListEnabledAndTheHints) {
  CopyFixture f;
  f.Page("User1", 1, "abc");
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(10);
  std::string destinationHint = f.view.destinationHint;
  ASSERT_TRUE(f.view.okEnabled);
  f.dialog.CancelBtnClick();
  f.Open();
  EXPECT_TRUE(f.view.destinationEnabled);
  EXPECT_FALSE(f.view.okEnabled);
  EXPECT_EQ(f.view.sourceHint, "3 ﾊﾞｲﾄ");
  EXPECT_EQ(f.view.destinationHint, destinationHint);
}

TEST(CopyDlg, AllDataCanOnlyGoToTheBackup) {
  CopyFixture f;
  f.Page("User2", 1, "x");
  f.Open();
  f.ClickSource(10);
  EXPECT_TRUE(f.view.destinationEnabled);
  EXPECT_EQ(f.view.sourceHint, "1 ﾊﾞｲﾄ");
  f.ClickDestination(3);
  EXPECT_FALSE(f.view.selected[3]);
  EXPECT_FALSE(f.view.okEnabled);
  f.CtrlClickDestination(10);
  f.CtrlClickDestination(4);
  EXPECT_TRUE(f.view.selected[10]);
  EXPECT_FALSE(f.view.selected[4]);
  EXPECT_FALSE(f.view.okEnabled);  // the focus is on the deselected user
  f.ClickDestination(10);
  EXPECT_TRUE(f.view.okEnabled);
  EXPECT_TRUE(f.prompter.boxes.empty());
}

TEST(CopyDlg, TheSameUserOnBothSidesIsDeselected) {
  CopyFixture f;
  f.Page("User2", 1, "x");
  f.Open();
  f.ClickSource(1);
  f.ClickDestination(1);
  EXPECT_FALSE(f.view.selected[1]);
  EXPECT_FALSE(f.view.okEnabled);
  EXPECT_TRUE(f.prompter.boxes.empty());
  f.ClickDestination(2);  // User3 has no data: no question
  EXPECT_TRUE(f.view.okEnabled);
  // Choosing the destination's user as source deselects it again.
  f.ClickSource(2);
  EXPECT_FALSE(f.view.selected[2]);
  EXPECT_FALSE(f.view.okEnabled);
}

TEST(CopyDlg, OverwriteIsAskedOnlyForAUserWithPagesOneTo99) {
  CopyFixture f;
  f.Page("User1", 1, "abc");
  f.Page("User2", 0, "zero page");
  f.Page("User3", 4, "12345");
  f.Page("User3", 99, "67");
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(1);  // only a page 0 file
  f.ClickDestination(10);
  EXPECT_TRUE(f.prompter.boxes.empty());
  EXPECT_TRUE(f.view.okEnabled);
  EXPECT_EQ(f.view.destinationHint.substr(f.view.destinationHint.size() - std::string("MBの空き容量").size()),
            "MBの空き容量");

  f.prompter.answerYes = false;
  f.ClickDestination(2);
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].kind, "confirm");
  EXPECT_EQ(f.prompter.boxes[0].text, "User3には7 ﾊﾞｲﾄのﾃﾞｰﾀがあります。\r\n上書きして宜しいですか?");
  EXPECT_TRUE(f.prompter.boxes[0].placement.centred);
  EXPECT_FALSE(f.view.selected[2]);
  EXPECT_FALSE(f.view.okEnabled);

  f.prompter.answerYes = true;
  f.ClickDestination(2);
  EXPECT_TRUE(f.view.selected[2]);
  EXPECT_TRUE(f.view.okEnabled);
}

TEST(CopyDlg, ASourceWithoutPagesOneTo99IsRefused) {
  CopyFixture f;
  f.Page("User1", 0, "only page 0");
  f.Page("Other", 5, "12345");
  f.Open();
  f.ClickSource(0);
  EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{"User1にｺﾋﾟｰするﾃﾞｰﾀはありません。"});
  EXPECT_EQ(f.prompter.boxes[0].kind, "information");
  EXPECT_EQ(f.view.source, -1);
  EXPECT_FALSE(f.view.okEnabled);
  EXPECT_EQ(f.view.sourceHint, "0 ﾊﾞｲﾄ");
  // Every .dat file counts for all data, page 0 and unknown names included.
  f.ClickSource(10);
  EXPECT_EQ(f.view.source, 10);
  EXPECT_EQ(f.view.sourceHint, "16 ﾊﾞｲﾄ");
  EXPECT_EQ(f.prompter.boxes.size(), 1u);
}

TEST(CopyDlg, AllDataWithNoFilesIsRefused) {
  CopyFixture f;
  f.Open();
  f.ClickSource(10);
  EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{"すべてのﾃﾞｰﾀにｺﾋﾟｰするﾃﾞｰﾀはありません。"});
  EXPECT_EQ(f.view.source, -1);
}

TEST(CopyDlg, SizesAboveTwoGibibytesAreSummedWithoutWrapping) {
  CopyFixture f;
  f.Page("User1", 1, "");
  f.Page("User1", 2, "");
  f.Page("User2", 1, "");
  constexpr std::uintmax_t kHalf = 1536ull * 1024 * 1024;  // sparse files: no disk used
  std::filesystem::resize_file(f.folder.Path("DATA/User11.dat"), kHalf);
  std::filesystem::resize_file(f.folder.Path("DATA/User12.dat"), kHalf);
  std::filesystem::resize_file(f.folder.Path("DATA/User21.dat"), kHalf);
  f.Open();
  f.ClickSource(1);
  EXPECT_EQ(f.view.sourceHint, "1610612736 ﾊﾞｲﾄ");
  f.prompter.answerYes = false;
  f.ClickDestination(0);
  EXPECT_EQ(f.prompter.Texts(),
            std::vector<std::string>{"User1には3221225472 ﾊﾞｲﾄのﾃﾞｰﾀがあります。\r\n上書きして宜しいですか?"});
  EXPECT_EQ(f.dialog.SizeSum(), 3221225472ull);
  f.ClickSource(10);
  EXPECT_EQ(f.view.sourceHint, "4831838208 ﾊﾞｲﾄ");
}

TEST(CopyDlg, FreeSpaceIsShownInWholeMegabytesGroupedByThousands) {
  struct Case {
    std::uint64_t bytes;
    const char* text;
  };
  const Case cases[] = {
      {0, "0MBの空き容量"},
      {1024 * 1024 - 1, "0MBの空き容量"},
      {999ull * 1024 * 1024, "999MBの空き容量"},
      {1000ull * 1024 * 1024 + 5, "1,000MBの空き容量"},
      {123456789ull * 1024 * 1024, "123,456,789MBの空き容量"},
  };
  for (const Case& c : cases) EXPECT_EQ(core::FreeSpaceText(c.bytes), c.text) << c.bytes;
}

TEST(CopyDlg, UserToUserReplacesTheSourcesPagesAndLeavesTheOthers) {
  CopyFixture f;
  for (int p = 1; p <= 3; ++p) f.Page("User1", p, "new" + std::to_string(p));
  for (int p = 1; p <= 10; ++p) f.Page("User2", p, "old" + std::to_string(p));
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(1);
  ASSERT_TRUE(f.view.okEnabled);
  f.dialog.OKBtnClick();
  for (int p = 1; p <= 3; ++p)
    EXPECT_EQ(f.folder.Read("DATA/User2" + std::to_string(p) + ".dat"), "new" + std::to_string(p));
  for (int p = 4; p <= 10; ++p)
    EXPECT_EQ(f.folder.Read("DATA/User2" + std::to_string(p) + ".dat"), "old" + std::to_string(p));
  EXPECT_EQ(f.view.closed, 1);
  EXPECT_TRUE(f.shell.copies.empty());
  EXPECT_TRUE(f.shell.chooserStarts.empty());
}

TEST(CopyDlg, OnlyTheFocusedDestinationReceivesTheCopy) {
  CopyFixture f;
  f.Page("User1", 1, "mine");
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(2);
  f.CtrlClickDestination(1);
  ASSERT_TRUE(f.view.selected[2]);
  f.dialog.OKBtnClick();
  EXPECT_EQ(f.folder.Read("DATA/User21.dat"), "mine");
  EXPECT_FALSE(f.folder.Exists("DATA/User31.dat"));
}

TEST(CopyDlg, AFailedPageIsReportedOnceAndTheOthersAreCopied) {
  CopyFixture f;
  for (int p = 1; p <= 3; ++p) f.Page("User1", p, "page" + std::to_string(p));
  std::filesystem::create_directories(f.folder.Path("DATA/User22.dat"));  // stands where page 2 goes
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(1);
  f.dialog.OKBtnClick();
  ASSERT_EQ(f.prompter.Texts(), std::vector<std::string>{"ｺﾋﾟｰに失敗しました!"});
  EXPECT_EQ(f.prompter.boxes[0].kind, "message");
  EXPECT_EQ(f.folder.Read("DATA/User21.dat"), "page1");
  EXPECT_EQ(f.folder.Read("DATA/User23.dat"), "page3");
  EXPECT_EQ(f.view.closed, 1);
}

TEST(CopyDlg, ACancelledBackupCopiesNothingAndCloses) {
  CopyFixture f;
  f.Page("User1", 1, "x");
  f.WriteSettings("[User1]\r\nToDir=/backups\r\n");
  f.Launcher().FormCreate();
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(10);
  f.shell.chosenFolder.reset();
  f.dialog.OKBtnClick();
  EXPECT_EQ(f.shell.chooserStarts, std::vector<std::string>{"/backups"});
  EXPECT_TRUE(f.shell.copies.empty());
  EXPECT_EQ(f.Launcher().Hosts().options.ToDir(), "/backups");
  EXPECT_EQ(f.view.closed, 1);
}

TEST(CopyDlg, BackupOfOneUserCopiesEachPageIntoTheChosenFolder) {
  CopyFixture f;
  f.Page("User1", 1, "x");
  f.Page("User1", 0, "not a page");
  f.Page("User1", 12, "x");
  f.Page("User2", 1, "x");
  f.WriteSettings("[User1]\r\nToDir=/start\r\n");
  f.Launcher().FormCreate();
  f.Open();
  f.ClickSource(0);
  f.ClickDestination(10);
  f.shell.chosenFolder = "/chosen";
  f.dialog.OKBtnClick();
  using Copy = std::pair<std::string, std::string>;
  EXPECT_EQ(f.shell.copies, (std::vector<Copy>{{f.folder.Path("DATA/User11.dat"), "/chosen"},
                                               {f.folder.Path("DATA/User112.dat"), "/chosen"}}));
  EXPECT_EQ(f.Launcher().Hosts().options.ToDir(), "/chosen");
  EXPECT_EQ(f.view.closed, 1);
}

TEST(CopyDlg, BackupOfAllDataCopiesThePatternOnce) {
  CopyFixture f;
  f.Page("User1", 1, "x");
  f.Page("Someone", 3, "x");
  f.Open();
  f.ClickSource(10);
  f.ClickDestination(10);
  ASSERT_TRUE(f.view.okEnabled);
  f.shell.chosenFolder = "/all";
  f.dialog.OKBtnClick();
  using Copy = std::pair<std::string, std::string>;
  EXPECT_EQ(f.shell.copies, (std::vector<Copy>{{f.folder.Path("DATA") + "/*.dat", "/all"}}));
  EXPECT_EQ(f.Launcher().Hosts().options.ToDir(), "/all");
}

TEST(CopyDlg, TheDailySnapshotsAreNeitherCountedNorBackedUp) {
  CopyFixture f;
  f.WriteSettings("[User1]\r\nPageNo=1\r\n");
  f.Page("User1", 1, "12345");
  f.Page("User1", 2, "678");
  f.Page("Other", 1, "9");
  for (int day = 1; day <= 3; ++day)
    ASSERT_TRUE(core::TakeDailySnapshot(f.files, f.folder.Path("zubi.exe"), {2026, 12, day}));
  ASSERT_TRUE(f.folder.Exists("BACKUP/20261203/User11.dat"));
  f.Open();
  f.ClickSource(0);
  EXPECT_EQ(f.view.sourceHint, "8 ﾊﾞｲﾄ");
  f.ClickSource(10);
  EXPECT_EQ(f.view.sourceHint, "9 ﾊﾞｲﾄ");
  f.ClickSource(0);
  f.ClickDestination(10);
  f.shell.chosenFolder = "/chosen";
  f.dialog.OKBtnClick();
  using Copy = std::pair<std::string, std::string>;
  EXPECT_EQ(f.shell.copies, (std::vector<Copy>{{f.folder.Path("DATA/User11.dat"), "/chosen"},
                                               {f.folder.Path("DATA/User12.dat"), "/chosen"}}));
}

}  // namespace

namespace {

TEST(CopyDlg, HelpOpensTheHelpDocumentAndCancelCloses) {
  CopyFixture f;
  f.Open();
  f.dialog.HelpBtnClick();
  ASSERT_EQ(f.shell.requests.size(), 1u);
  EXPECT_EQ(f.shell.requests[0].file, f.folder.Path("help/index.htm"));
  EXPECT_EQ(f.view.closed, 0);
  f.dialog.CancelBtnClick();
  EXPECT_EQ(f.view.closed, 1);
  EXPECT_TRUE(f.shell.copies.empty());
}

}  // namespace
