// Width, type token and name as the text before each "[" gives them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_support.h"

namespace settings_test {
namespace {

struct DeclarationCase {
  const char* label;
  std::string text;
  std::uint32_t width;
  std::string firstLogLine;  // the type token and the name
  std::string name;
  std::vector<std::uint8_t> data;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DeclarationCase& c, std::ostream* os) {
  *os << c.label;
}

class DeclarationRules : public testing::TestWithParam<DeclarationCase> {};

TEST_P(DeclarationRules, GiveWidthTokenAndName) {
  const DeclarationCase& c = GetParam();
  const Converted converted = Convert(c.text);
  ASSERT_EQ(converted.tables.size(), 1u) << converted.log;
  EXPECT_EQ(converted.tables[0].width, c.width);
  EXPECT_EQ(converted.tables[0].name, c.name);
  EXPECT_EQ(converted.log.substr(0, converted.log.find("\r\n")), c.firstLogLine);
  EXPECT_EQ(converted.binary[7], c.width) << "width in the directory entry";
  EXPECT_EQ(DataBytes(converted, 0), c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeclarationRules,
    testing::Values(
        DeclarationCase{"Uint16tTakesUint16",
                        "uint16_t Val[] = { 0xFFFF, };",
                        2,
                        "uint16_tVal",
                        "Val",
                        {0xFF, 0xFF}},
        DeclarationCase{"Uint32WritesFourBytes",
                        "uint32 Big[] = { 0x12345678, };",
                        4,
                        "uint32Big",
                        "Big",
                        {0x78, 0x56, 0x34, 0x12}},
        DeclarationCase{"Uint8KeepsTheLowByte",
                        "uint8 Small[] = { 0x1234, };",
                        1,
                        "uint8Small",
                        "Small",
                        {0x34}},
        DeclarationCase{"UintAloneIsTwoBytes",
                        "uint Plain[] = { 0x10203, };",
                        2,
                        "uintPlain",
                        "Plain",
                        {0x03, 0x02}},
        DeclarationCase{
            "UcharIsOneByte", "uchar Bytes[] = { 0x0102, };", 1, "ucharBytes", "Bytes", {0x02}},
        DeclarationCase{"UpperCaseKeyword",
                        "static const UINT16 Upper[2] = {0xABCD,};",
                        2,
                        "UINT16Upper",
                        "Upper",
                        {0xCD, 0xAB}},
        DeclarationCase{"TabsAfterTheToken",
                        "uint8\t\t Tabbed[] = {0x01,};",
                        1,
                        "uint8Tabbed",
                        "Tabbed",
                        {0x01}},
        DeclarationCase{"BlankBeforeBracketBelongsToTheName",
                        "uint8 Mode [] = {0x01,};",
                        1,
                        "uint8Mode ",
                        "Mode ",
                        {0x01}},
        // The keyword list is tried in order, so uint16 wins over an earlier uint8.
        DeclarationCase{"EarlierKeywordOfTheListWins",
                        "uint8 /*uint16*/ Gain[] = {0x0102,};",
                        2,
                        "uint16*/Gain",
                        "Gain",
                        {0x02, 0x01}},
        // Comments before the "[" are part of the declaration text.
        DeclarationCase{"KeywordOnlyInAPrecedingComment",
                        "/* uint32 */ Gain[] = {0x01,};",
                        4,
                        "uint32*/ Gain",
                        "*/ Gain",
                        {0x01, 0x00, 0x00, 0x00}},
        DeclarationCase{"CommentKeywordBeatsTheDeclaredOne",
                        "// table of uint32 words\r\nuint8 T[] = {0x01,};",
                        4,
                        "uint32words",
                        "words\r\nuint8 T",
                        {0x01, 0x00, 0x00, 0x00}}),
    [](const testing::TestParamInfo<DeclarationCase>& info) { return info.param.label; });

TEST(DeclarationRules, SecondDeclarationStartsAfterThePreviousClosingBrace) {
  // The uint32 of the first table's text must not reach the second table.
  const Converted converted = Convert("uint32 A[] = {0x01,}; uchar B[] = {0x02,};");
  ASSERT_EQ(converted.tables.size(), 2u);
  EXPECT_EQ(converted.tables[1].width, 1u);
  EXPECT_EQ(converted.tables[1].name, "B");
}

TEST(DeclarationRules, TableWithoutTypeKeywordIsSkippedAndLogged) {
  const Converted converted =
      Convert("short Bad[] = { 0x01, 0x02, };\r\nuint8 Good[] = { 0x03, };\r\n");
  ASSERT_EQ(converted.tables.size(), 1u);
  EXPECT_EQ(converted.tables[0].name, "Good");
  EXPECT_EQ(converted.tables[0].elements, std::vector<std::uint32_t>{0x03});
  EXPECT_EQ(converted.binary[0], 1u);
  EXPECT_EQ(converted.log.rfind("Table skipped: no type keyword", 0), 0u) << converted.log;
  EXPECT_NE(converted.log.find("uint8Good\r\n"), std::string::npos);
  EXPECT_EQ(converted.log.find("0x01"), std::string::npos) << "skipped elements are not logged";
}

}  // namespace
}  // namespace settings_test
