// Finding buttons by typing: the search form of texts, and the order of what is found.
#include <gtest/gtest.h>

#include "find/button_index.h"
#include "find/search_text.h"
#include "support.h"

using testing_support::LauncherFixture;
using testing_support::Lines;
using testing_support::Sjis;

TEST(SearchText, CaseWidthAndKanaMakeNoDifference) {
  struct Case {
    const char* text;
    const char* query;
    bool holds;
  };
  const Case cases[] = {
      {"Notepad", "NOTE", true},
      {"ＮＯＴＥＰＡＤ", "pad", true},
      {"メモ帳", "ﾒﾓ", true},
      {"ガイド", "ｶﾞｲﾄﾞ", true},
      {"パス", "ﾊﾟｽ", true},
      {"ヴォイス", "ｳﾞｫｲｽ", true},
      {"がいど", "ガイド", true},
      {"カ゛イト゛", "ガイド", true},
      {"ガイド", "カイト", false},
      {"パス", "ハス", false},
      {"バス", "パス", false},
      {"ツール 1", "ﾂｰﾙ　1", true},
      {"ｺﾝﾄﾛｰﾙ・ﾊﾟﾈﾙ", "コントロール・パネル", true},
      {"ゝゞ", "ヽヾ", true},
      {"C:\\Tools", "c:\\tools", true},
      {"abc", "abd", false},
      {"", "", true},
      {"\xff\xfe"
       "abc",
       "ABC", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::Holds(core::SearchForm(c.text), core::SearchForm(c.query)), c.holds) << c.text << " / " << c.query;
  EXPECT_EQ(core::SearchForm("\xff"
                             "A\xe3\x81"),
            "\xff"
            "a\xe3\x81");  // bytes that are no UTF-8 stay
}

// Pages 1 to 3 as files: a title in full-width katakana on page 3, a button without a
// title on page 1, an empty button and an empty page.
TEST(ButtonIndex, FindsTitlesAndFileNamesTheCurrentPageFirst) {
  LauncherFixture f;
  f.folder.Write(
      "DATA/User11.dat",
      Sjis(Lines({"[Button2]", "ProgPath=C:\\Apps\\Notepad.exe", "[Button3]", "ProgPath=", "ProgTitle=消えた"})));
  f.folder.Write("DATA/User13.dat", Sjis(Lines({"[Button1]", "ProgPath=C:\\x.exe", "ProgTitle=テキストエディタ",
                                                "[Button7]", "ProgPath=D:\\note.txt", "ProgTitle=覚え書き"})));
  const core::ButtonIndex index(f.Launcher().Pages().ReadPages("User1", 3));
  ASSERT_EQ(index.Size(), 3u);
  auto found = [&](const char* query, int current) {
    std::string list;
    for (const core::FoundButton* b : index.Find(query, current))
      list += "P" + std::to_string(b->page) + "/" + std::to_string(b->button) + " " + b->text + ";";
    return list;
  };
  EXPECT_EQ(found("", 1), "P1/2 Notepad.exe;P3/1 テキストエディタ;P3/7 覚え書き;");
  EXPECT_EQ(found("", 3), "P3/1 テキストエディタ;P3/7 覚え書き;P1/2 Notepad.exe;");
  EXPECT_EQ(found("ﾃｷｽﾄ", 1), "P3/1 テキストエディタ;");
  EXPECT_EQ(found("NOTE", 1), "P1/2 Notepad.exe;P3/7 覚え書き;");  // a title or a file name
  EXPECT_EQ(found("x.exe", 1), "P3/1 テキストエディタ;");
  EXPECT_EQ(found("消えた", 1), "");  // an empty button never shows
}
