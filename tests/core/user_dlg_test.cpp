#include <gtest/gtest.h>

#include <filesystem>

#include "launch/launcher_texts.h"
#include "support.h"
#include "user/user_dlg.h"
#include "user/user_name.h"
#include "user/user_texts.h"

using testing_support::FakeUserView;
using testing_support::LauncherFixture;
using testing_support::Lines;

namespace {

// A started launcher with its user dialog, opened once so that the list is filled.
struct Fixture : LauncherFixture {
  explicit Fixture(const std::vector<std::string>& settings, const std::vector<std::string>& pages = {}) {
    WriteSettings(Lines(settings));
    for (const auto& page : pages) folder.Write("DATA/" + page, Lines({"[PageTitle]", "PageTitle=" + page}));
    users.dialog = &dialog;
    dialogs.users = &dialog;
    Launcher().FormCreate();
    Launcher().Command(core::command::kUser);
  }
  // The user types a name for number s.
  void Type(int s, const std::string& name) {
    users.number = s;
    users.SetNameText(name);
  }
  bool Page(const std::string& file) const { return folder.Exists("DATA/" + file); }
  std::string Caption() { return Current().CaptionText; }

  FakeUserView users;
  core::TUserDlg dialog{users, Launcher().Hosts().users, prompter};
};

}  // namespace

TEST(UserDialog, OpensAtTheWindowWithTheCurrentUserAndNoEntrySelected) {
  Fixture f({"[Setting]", "Left=-5", "Top=40", "UserNo=2", "[User]", "User2=Taro", "User5=", "[User2]", "FormColor=7"});
  EXPECT_EQ(f.users.items, (std::vector<std::string>{"User1", "Taro", "User3", "User4", "", "User6", "User7", "User8",
                                                     "User9", "User10"}));
  EXPECT_EQ(f.users.name, "Taro");
  EXPECT_EQ(f.users.number, 2);
  EXPECT_EQ(f.users.selected, -1);
  EXPECT_EQ(f.users.position, (core::ScreenPoint{0, 40}));  // where SavePosition just put the window
  EXPECT_EQ(f.users.colour, (core::PanelColour{core::PanelColour::Kind::kFixed, {166, 202, 240}}));
  EXPECT_TRUE(f.dialog.EditChanged());  // opening filled the empty field

  f.users.number = 5;
  f.dialog.UpDown1Click();
  EXPECT_EQ(f.users.selected, 4);
  EXPECT_EQ(f.users.name, "");
  EXPECT_FALSE(f.dialog.EditChanged());
}

TEST(UserDialog, ClickingANeverUsedUserStoresItsNameAndSwitchesToIt) {
  Fixture f({"[User1]", "PageNo=2", "PageNoControl=3", "[User3]", "PageNo=4", "PageNoControl=6", "FormColor=2"},
            {"User34.dat"});
  f.dialog.ListBox1Click(2);
  EXPECT_EQ(f.Current().UserNo, 3);
  EXPECT_EQ(f.Current().UserName, "User3");
  EXPECT_EQ(f.Caption(), "User3 - Page 4/6");
  EXPECT_EQ(f.users.closed, 1);
  EXPECT_EQ(f.view.pageCount, 6);
  EXPECT_EQ(f.view.title, "User34.dat");
  EXPECT_EQ(f.view.colour, (core::PanelColour{core::PanelColour::Kind::kFixed, {0, 255, 0}}));
  std::string settings = f.SettingsText();
  EXPECT_NE(settings.find("User3=User3\r\n"), std::string::npos);
  EXPECT_NE(settings.find("UserNo=3\r\n"), std::string::npos);
}

TEST(UserDialog, ANameInUseIsRefusedByTheListAndByAnyPageFileFrom0To99) {
  Fixture f({"[User]", "User2=Taro"}, {"Zero0.dat", "A12.dat", "Far99.dat"});
  for (const char* name : {"Taro", "Zero", "Far", "A1"}) {  // "A1" and page 2 is the file of "A" and page 12
    f.prompter.boxes.clear();
    f.Type(4, name);
    f.dialog.EntryButtonClick();
    ASSERT_EQ(f.prompter.boxes.size(), 1u) << name;
    EXPECT_EQ(f.prompter.boxes[0].text,
              std::string(name) + "は既に登録されてます。\r\n同じﾕｰｻﾞ名を登録することは出来ません。");
    EXPECT_EQ(f.prompter.boxes[0].kind, "information");
    EXPECT_FALSE(f.prompter.boxes[0].placement.centred);
    EXPECT_EQ(f.prompter.boxes[0].placement.left, 100);
    f.dialog.ChangeButtonClick();
    EXPECT_EQ(f.prompter.boxes.size(), 2u) << name;
  }
  EXPECT_EQ(f.SettingsText().find("User4="), std::string::npos);
}

TEST(UserDialog, RegisteringOrLoadingForAnotherNumberResetsTheCurrentUserToPage1Of1) {
  Fixture f({"[User1]", "PageNo=3", "PageNoControl=5", "[User]", "User1=Main"}, {"Main3.dat", "Old0.dat"});
  f.Type(4, "Fresh");
  f.dialog.EntryButtonClick();
  EXPECT_EQ(f.Current().UserName, "Main");
  EXPECT_EQ(f.Caption(), "Main - Page 1/1");
  EXPECT_EQ(f.view.pageCount, 1);
  EXPECT_EQ(f.users.items[3], "Fresh");
  EXPECT_FALSE(f.dialog.EditChanged());
  EXPECT_FALSE(f.Page("Fresh1.dat"));  // registration writes no page of the new name

  f.Type(6, "Old");  // its only file is page 0
  f.dialog.LoadButtonClick();
  EXPECT_TRUE(f.prompter.boxes.empty());
  EXPECT_EQ(f.users.items[5], "Old");
  EXPECT_NE(f.SettingsText().find("User6=Old\r\n"), std::string::npos);
  f.Type(7, "Old");  // loading skips the in-use check
  f.dialog.LoadButtonClick();
  EXPECT_EQ(f.users.items[6], "Old");

  f.Type(8, "Nobody");
  f.dialog.LoadButtonClick();
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].text, "Nobodyのﾃﾞｰﾀが見つかりません。\r\nもう一度ﾕｰｻﾞ名を確認して下さい。");
}

TEST(UserDialog, RegisteringANewNameForTheCurrentUserLeavesItsFirstPageWithAnEmptyTitle) {
  Fixture f({"[User1]", "PageNo=1"}, {"User11.dat"});
  f.Type(1, "New");
  f.dialog.EntryButtonClick();
  EXPECT_EQ(f.Current().UserName, "New");
  EXPECT_EQ(f.Caption(), "New - Page 1/1");
  EXPECT_EQ(f.folder.Read("DATA/New1.dat"), Lines({"[PageTitle]", "PageTitle=", ""}));
  EXPECT_TRUE(f.Page("User11.dat"));  // the old name keeps its files
}

TEST(UserDialog, RenameMovesEveryPageAndReportsEachOneThatCannotMove) {
  Fixture f({"[User1]", "PageNo=2", "PageNoControl=12", "[User]", "User1=Ken"},
            {"Ken1.dat", "Ken2.dat", "Ken12.dat", "Ken5.dat", "Other1.dat"});
  std::filesystem::create_directory(f.folder.Path("DATA/Jo5.dat"));  // stands where page 5 would go
  f.Type(1, "Jo");
  f.dialog.ChangeButtonClick();
  ASSERT_EQ(f.prompter.Texts(), std::vector<std::string>{"ﾕｰｻﾞ名の変更に失敗しました!"});
  EXPECT_EQ(f.prompter.boxes[0].kind, "message");
  for (const char* moved : {"Jo1.dat", "Jo2.dat", "Jo12.dat"}) EXPECT_TRUE(f.Page(moved)) << moved;
  EXPECT_FALSE(f.Page("Ken1.dat"));
  EXPECT_TRUE(f.Page("Ken5.dat"));  // stays under the old name
  EXPECT_TRUE(f.Page("Other1.dat"));
  EXPECT_EQ(f.folder.Read("DATA/Jo12.dat"), Lines({"[PageTitle]", "PageTitle=Ken12.dat"}));
  EXPECT_EQ(f.Current().UserName, "Jo");
  EXPECT_EQ(f.Caption(), "Jo - Page 2/12");
  EXPECT_NE(f.SettingsText().find("User1=Jo\r\n"), std::string::npos);

  f.prompter.boxes.clear();
  f.Type(3, "Blank");  // number 3 has no files: only its stored name changes
  f.dialog.ChangeButtonClick();
  EXPECT_TRUE(f.prompter.boxes.empty());
  EXPECT_EQ(f.Current().UserName, "Jo");
  EXPECT_NE(f.SettingsText().find("User3=Blank\r\n"), std::string::npos);
}

TEST(UserDialog, DeletingByTypedNameRemovesOnlyThatNamesFiles) {
  Fixture f({"[User]", "User2=Ann"}, {"Ann1.dat", "Bob1.dat", "Bob7.dat", "Bob0.dat", "Bo1.dat"});
  f.Type(2, "Bob");
  f.prompter.answerYes = false;
  f.dialog.DeleteButtonClick();
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].text, "Bobのﾃﾞｰﾀ( 2ﾍﾟｰｼﾞ)を削除します。\r\n復旧は出来ませんが宜しいですか?");
  EXPECT_EQ(f.prompter.boxes[0].kind, "confirm");
  EXPECT_TRUE(f.Page("Bob1.dat"));

  f.prompter.answerYes = true;
  f.dialog.DeleteButtonClick();
  EXPECT_FALSE(f.Page("Bob1.dat"));
  EXPECT_FALSE(f.Page("Bob7.dat"));
  EXPECT_TRUE(f.Page("Bob0.dat"));
  EXPECT_TRUE(f.Page("Bo1.dat"));
  EXPECT_TRUE(f.Page("Ann1.dat"));
  EXPECT_EQ(f.users.name, "Ann");  // the number's own name again
  EXPECT_EQ(f.users.selected, 1);
  EXPECT_FALSE(f.dialog.EditChanged());
  EXPECT_NE(f.SettingsText().find("User2=Ann\r\n"), std::string::npos);

  f.prompter.boxes.clear();
  f.Type(2, "Bob");
  f.dialog.DeleteButtonClick();
  EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{"Bobに削除するﾃﾞｰﾀはありません。"});
}

TEST(UserDialog, DeletingTheCurrentUsersEntryLeavesPage1Of1UnderTheDefaultName) {
  Fixture f({"[User1]", "PageNo=2", "PageNoControl=4", "FormColor=3", "[User]", "User1=Kim"},
            {"Kim1.dat", "Kim2.dat", "User11.dat"});
  f.users.number = 1;
  f.dialog.UpDown1Click();  // the name field shows number 1's name; the flag is off
  f.dialog.DeleteButtonClick();
  EXPECT_EQ(f.prompter.Texts(),
            std::vector<std::string>{"Kimのﾃﾞｰﾀ( 2ﾍﾟｰｼﾞ)を削除します。\r\n復旧は出来ませんが宜しいですか?"});
  EXPECT_FALSE(f.Page("Kim1.dat"));
  EXPECT_FALSE(f.Page("Kim2.dat"));
  EXPECT_EQ(f.Current().UserName, "User1");
  EXPECT_EQ(f.Caption(), "User1 - Page 1/1");
  EXPECT_EQ(f.users.items[0], "User1");
  EXPECT_EQ(f.users.name, "User1");
  EXPECT_TRUE(f.dialog.EditChanged());  // set by the field's change, not cleared
  EXPECT_EQ(f.view.title, "User11.dat");
  std::string settings = f.SettingsText();
  EXPECT_NE(settings.find("User1=User1\r\n"), std::string::npos);
  EXPECT_NE(settings.find("FormColor=3\r\n"), std::string::npos);  // the options stay
  EXPECT_EQ(settings.find("PageNoControl=4"), std::string::npos);
}

TEST(UserNames, NamesThatWouldLeaveTheDataFolderAreRefusedBeforeAnythingIsWritten) {
  const struct {
    const char* name;
    bool safe;
  } cases[] = {
      {"Taro", true},   {"", true},           {"山田", true},   {"a.b", true},     {"CONSOLE", true},
      {"COMMON", true}, {"..", false},        {"..\\x", false}, {"a/b", false},    {"a\\b", false},
      {"C:x", false},   {"a*", false},        {"a?", false},    {"\"a\"", false},  {"<a>", false},
      {"a|b", false},   {"tab\there", false}, {"dot.", false},  {"space ", false}, {"CON", false},
      {"nul", false},   {"Com1", false},      {"COM", false},   {"LPT", false},    {"aux.txt", false},
      {"x..y", false},  {"COM¹.txt", false},  {"lpt³", false},  {"COM¹0", true},
  };
  for (const auto& c : cases) EXPECT_EQ(core::IsSafeUserName(c.name), c.safe) << c.name;

  Fixture f({"[User1]", "PageNo=1"}, {"User11.dat"});
  std::string before = f.SettingsText();
  for (const char* name : {"..\\..\\evil", "CON", "a:b"}) {
    f.prompter.boxes.clear();
    f.Type(2, name);
    f.dialog.EntryButtonClick();
    f.dialog.ChangeButtonClick();
    f.dialog.LoadButtonClick();
    f.dialog.DeleteButtonClick();
    ASSERT_EQ(f.prompter.boxes.size(), 4u) << name;
    for (const auto& box : f.prompter.boxes) {
      EXPECT_EQ(box.kind, "information");
      EXPECT_EQ(box.text.rfind(std::string("「") + name + "」はﾕｰｻﾞ名に使えません。", 0), 0u) << box.text;
    }
  }
  EXPECT_EQ(f.SettingsText(), before);
}

TEST(PageDataDeletion, AsksThenLeavesAnEmptyTitleAndTheSecondTimeRemovesTheFile) {
  Fixture f({"[User1]", "PageNo=2", "PageNoControl=5"});
  f.folder.Write("DATA/User12.dat",
                 Lines({"[PageTitle]", "PageTitle=Work", "[Button1]", "ProgPath=C:\\w.exe", "ProgTitle=w"}));
  f.folder.Write("DATA/User13.dat", Lines({"[PageTitle]", "PageTitle=Keep"}));
  f.folder.Write("DATA/Other2.dat", Lines({"[PageTitle]", "PageTitle=Other"}));
  f.Launcher().Command(core::command::kFwdButton);  // page 2 read again
  f.Launcher().Command(core::command::kBwdButton);
  f.view.position = {30, 60};

  f.prompter.answerYes = false;
  f.Launcher().Command(core::command::kDelete);
  ASSERT_EQ(f.prompter.boxes.size(), 1u);
  EXPECT_EQ(f.prompter.boxes[0].text, "このﾍﾟｰｼﾞのﾃﾞｰﾀを削除します。\r\n復旧は出来ませんが宜しいですか?");
  EXPECT_EQ(f.prompter.boxes[0].placement.left, 30);
  EXPECT_EQ(f.prompter.boxes[0].placement.top, 60);
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "C:\\w.exe");

  f.prompter.answerYes = true;
  f.Launcher().Command(core::command::kDelete);
  EXPECT_EQ(f.folder.Read("DATA/User12.dat"), Lines({"[PageTitle]", "PageTitle=", ""}));
  EXPECT_EQ(f.Launcher().Button(1).Entry().path, "");
  EXPECT_EQ(f.Caption(), "User1 - Page 2/5");

  f.Launcher().Command(core::command::kDelete);  // asks again, and this time nothing is written back
  EXPECT_FALSE(f.Page("User12.dat"));
  EXPECT_TRUE(f.Page("User13.dat"));
  EXPECT_TRUE(f.Page("Other2.dat"));

  f.prompter.boxes.clear();
  f.Launcher().Command(core::command::kDelete);
  ASSERT_EQ(f.prompter.Texts(), std::vector<std::string>{"このﾍﾟｰｼﾞに削除するﾃﾞｰﾀはありません。"});
  EXPECT_EQ(f.prompter.boxes[0].kind, "information");
  EXPECT_FALSE(f.Page("User12.dat"));
}
