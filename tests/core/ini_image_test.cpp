#include <gtest/gtest.h>

#include "storage/ini_image.h"
#include "support.h"

using core::IniImage;
using core::ParseInteger;
using testing_support::Lines;

TEST(IniImage, ReadingTrimsSkipsCommentsAndDropsLinesBeforeTheFirstSection) {
  IniImage ini = IniImage::Parse(
      "orphan=1\r\n; comment\r\n   \r\n  [ Setting ]  \r\n  Left =  120  \r\n;Top=5\r\nTop=a=b\r\n"
      "loose line\r\n[Empty]\r\n");
  EXPECT_EQ(ini.ReadInteger("Setting", "Left", 100), 120);
  EXPECT_EQ(ini.ReadString("Setting", "Top", "x"), "a=b");
  EXPECT_EQ(ini.Value("Setting", "orphan"), std::nullopt);
  EXPECT_EQ(ini.Serialize(), Lines({"[Setting]", "Left=120", "Top=a=b", "loose line", "", "[Empty]", ""}));
}

TEST(IniImage, LinesMaySplitAtLfOrCrAlone) {
  IniImage ini = IniImage::Parse("[A]\nx=1\ry=2\r\n\r\nz=3");
  EXPECT_EQ(ini.Serialize(), Lines({"[A]", "x=1", "y=2", "z=3", ""}));
}

TEST(IniImage, NamesMatchWithoutCaseAndTheFirstOccurrenceWins) {
  IniImage ini = IniImage::Parse(Lines({"[user1]", "pageno=3", "PAGENO=4", "[USER1]", "PageNo=5", "ToDir=C:\\x"}));
  EXPECT_EQ(ini.ReadInteger("User1", "PageNo", 1), 3);
  EXPECT_EQ(ini.Value("User1", "ToDir"), std::nullopt);  // only in the later duplicate section
  ini.WriteInteger("User1", "PageNo", 7);
  ini.WriteString("User1", "ToDir", "D:\\");
  // The rewritten key takes the given letter case; the section keeps the case it was
  // read in; later duplicates are written back unchanged.
  EXPECT_EQ(ini.Serialize(),
            Lines({"[user1]", "PageNo=7", "PAGENO=4", "ToDir=D:\\", "", "[USER1]", "PageNo=5", "ToDir=C:\\x", ""}));
}

TEST(IniImage, WritingKeepsOrderAndAppendsNewKeysAndSections) {
  IniImage ini = IniImage::Parse(Lines({"[B]", "k2=2", "note", "k1=1", "[A]", "x=1"}));
  ini.WriteString("B", "k1", "changed");
  ini.WriteString("B", "k3", "new");
  ini.WriteBool("C", "Flag", true);
  ini.WriteBool("C", "Other", false);
  EXPECT_EQ(ini.Serialize(), Lines({"[B]", "k2=2", "note", "k1=changed", "k3=new", "", "[A]", "x=1", "", "[C]",
                                    "Flag=1", "Other=0", ""}));
}

TEST(IniImage, EmptyValuesAreEmptyTextButDefaultNumbers) {
  IniImage ini = IniImage::Parse(Lines({"[S]", "Name=", "Count=", "Flag=", "Odd=2", "Off=0", "Bad=yes"}));
  EXPECT_EQ(ini.ReadString("S", "Name", "dflt"), "");
  EXPECT_EQ(ini.ReadString("S", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("S", "Count", 40), 40);
  EXPECT_TRUE(ini.ReadBool("S", "Flag", true));
  EXPECT_TRUE(ini.ReadBool("S", "Odd", false));
  EXPECT_FALSE(ini.ReadBool("S", "Off", true));
  EXPECT_TRUE(ini.ReadBool("S", "Bad", true));
  EXPECT_FALSE(ini.ReadBool("S", "Bad", false));
}

TEST(IniImage, DeleteKeyRemovesOnlyTheFirstOccurrence) {
  IniImage ini = IniImage::Parse(Lines({"[S]", "a=1", "b=2", "A=3"}));
  ini.DeleteKey("s", "A");
  ini.DeleteKey("Missing", "a");
  EXPECT_EQ(ini.Serialize(), Lines({"[S]", "b=2", "A=3", ""}));
}

TEST(IniImage, IntegersAreDecimalOrHexadecimal) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"-30", -30},
      {"+7", 7},
      {"0x1F", 31},
      {"0X1f", 31},
      {"$FF", 255},
      {"$ffffffff", -1},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"99999999999", std::nullopt},
      {"0x100000000", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12a", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"1.5", std::nullopt},
      {"-", std::nullopt},
      {" 5", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << "text: \"" << c.text << '"';
}
