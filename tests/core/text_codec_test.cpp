#include <gtest/gtest.h>

#include "storage/text_codec.h"
#include "support.h"

using core::DecodeText;
using core::EncodeText;
using testing_support::Cp932;

TEST(TextCodec, JapaneseTextStaysInTheCodePageByteForByte) {
  const std::string utf8 = "[User]\r\nUser1=ﾃｽﾄ太郎\r\nPageTitle=表示～①\r\n";
  std::string bytes = EncodeText(utf8, Cp932());
  EXPECT_EQ(bytes.substr(0, 3).compare(std::string(core::kUtf8Bom)) == 0, false);
  // 表 ends in the byte 0x5C, the one that trips naive parsers.
  EXPECT_NE(bytes.find("\x95\x5C"), std::string::npos);
  EXPECT_NE(bytes.find("\xC3\xBD\xC4"), std::string::npos);  // half-width ﾃｽﾄ, one byte each
  EXPECT_EQ(DecodeText(bytes, Cp932()), utf8);
  EXPECT_EQ(EncodeText(DecodeText(bytes, Cp932()), Cp932()), bytes);
}

TEST(TextCodec, TextOutsideTheCodePageIsWrittenAsUtf8WithAMarkAndReadBack) {
  const std::string utf8 = "ProgPath=C:\\Über\\한국어\\😀.exe\r\nProgTitle=日本語\r\n";
  std::string bytes = EncodeText(utf8, Cp932());
  ASSERT_EQ(bytes.substr(0, 3), std::string(core::kUtf8Bom));
  EXPECT_EQ(bytes.substr(3), utf8);
  EXPECT_EQ(DecodeText(bytes, Cp932()), utf8);
}

TEST(TextCodec, AsciiPassesUnchangedAndInvalidBytesDecodeWithoutLoss) {
  EXPECT_EQ(EncodeText("Left=100\r\n", Cp932()), "Left=100\r\n");
  EXPECT_EQ(DecodeText("Left=100\r\n", Cp932()), "Left=100\r\n");
  // A lone lead byte and an undefined byte: each becomes one replacement character,
  // and the valid text around them survives.
  std::string decoded = DecodeText(
      "A\x81"
      "B\xA0"
      "C=\x93\xFA",
      Cp932());
  EXPECT_EQ(decoded.substr(0, 1), "A");
  EXPECT_NE(decoded.find("C=日"), std::string::npos);
  EXPECT_NE(decoded.find("\xEF\xBF\xBD"), std::string::npos);
}

// iconv writes some characters as a neighbour of theirs: the yen sign as 0x5C, which
// reads back as a backslash (a path separator), the not sign and the overline as
// others. Such text is written as UTF-8 and comes back unchanged.
TEST(TextCodec, CharactersTheCodePageHoldsOnlyAsANeighbourAreWrittenAsUtf8) {
  for (const std::string utf8 : {"ProgPath=C:\\Tools\\¥500\\a.exe\r\n", "PageTitle=¬‾\r\n", "User1=a¥b\r\n"}) {
    EXPECT_FALSE(Cp932().FromUtf8(utf8).has_value()) << utf8;
    std::string bytes = EncodeText(utf8, Cp932());
    EXPECT_EQ(bytes.substr(0, 3), std::string(core::kUtf8Bom)) << utf8;
    EXPECT_EQ(DecodeText(bytes, Cp932()), utf8);
  }
  // Their full-width forms are characters of the code page and stay in it.
  EXPECT_EQ(EncodeText("￥￢", Cp932()), "\x81\x8F\x81\xCA");
}
