// Comments and "#if" branches: what the scan passes over.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_support.h"

namespace settings_test {
namespace {

struct IgnoredTextCase {
  const char* label;
  std::string text;
  std::vector<std::string> names;  // the tables found, in order
  std::vector<std::uint32_t> widths;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const IgnoredTextCase& c, std::ostream* os) {
  *os << c.label;
}

class IgnoredText : public testing::TestWithParam<IgnoredTextCase> {};

TEST_P(IgnoredText, LeavesOnlyTheLiveTables) {
  const IgnoredTextCase& c = GetParam();
  const Converted converted = Convert(c.text);
  std::vector<std::string> names;
  std::vector<std::uint32_t> widths;
  for (const settings::SettingTable& table : converted.tables) {
    names.push_back(table.name);
    widths.push_back(table.width);
  }
  EXPECT_EQ(names, c.names) << converted.log;
  EXPECT_EQ(widths, c.widths) << converted.log;
}

INSTANTIATE_TEST_SUITE_P(
    Comments, IgnoredText,
    testing::Values(
        IgnoredTextCase{"LineCommentHidesABracket",
                        "// old [size]\r\n// more [notes]\r\nuint8 A[] = {0x01,};",
                        {"A"},
                        {1}},
        // Text saved with bare line feeds: the comment ends at its line.
        IgnoredTextCase{"LineCommentEndsAtABareLineFeed",
                        "// first\nuint8 A[] = {0x01,};\nuint8 B[] = {0x02,};\n",
                        {"A", "B"},
                        {1, 1}},
        IgnoredTextCase{"BlockCommentHidesABracket",
                        "/* the [old] table\r\n   is gone */ uint8 A[] = {0x01,};",
                        {"A"},
                        {1}},
        // A "*" not followed by "/" does not end the comment, nor does a later lone "/".
        IgnoredTextCase{"BlockCommentWithLoneStarAndSlash",
                        "/* gain * 2 / 3 [dB] */\r\nuint16 Gain[] = {0x0102,};",
                        {"Gain"},
                        {2}},
        IgnoredTextCase{"DoubleStarComment", "/** [x] **/uint8 A[] = {0x01,};", {"A"}, {1}},
        IgnoredTextCase{
            "UnclosedBlockCommentRunsToTheEnd", "uint8 A[] = {0x01,}; /* B[] = {", {"A"}, {1}}),
    [](const testing::TestParamInfo<IgnoredTextCase>& info) { return info.param.label; });

INSTANTIATE_TEST_SUITE_P(
    Preprocessor, IgnoredText,
    testing::Values(
        IgnoredTextCase{"IfZeroUpToEndif",
                        "#if 0\r\nuint8 Off[] = {0x01,};\r\n#endif\r\nuint8 On[] = {0x02,};",
                        {"On"},
                        {1}},
        // The disabled branch lends neither its type nor its text to the live table.
        IgnoredTextCase{"ElseOfIfZeroIsRead",
                        "#if 0\r\nuint32 Old[] = {0x01,};\r\n#else\r\nuint16 New[] = "
                        "{0x0102,};\r\n#endif\r\n",
                        {"New"},
                        {2}},
        IgnoredTextCase{"ElseOfIfOneIsSkipped",
                        "#if 1\r\nuint16 New[] = {0x0102,};\r\n#else\r\nuint32 Old[] = "
                        "{0x01,};\r\n#endif\r\nuint8 After[] = {0x03,};",
                        {"New", "After"},
                        {2, 1}},
        IgnoredTextCase{"ElseWithoutIfOneIsPassedOver",
                        "uint8 A[] = {0x01,};\r\n#else\r\nuint8 B[] = {0x02,};\r\n#endif\r\n",
                        {"A", "B"},
                        {1, 1}},
        IgnoredTextCase{"EndifClearsTheIfOne",
                        "#if 1\r\nuint8 A[] = {0x01,};\r\n#endif\r\n#else\r\nuint8 B[] = "
                        "{0x02,};\r\n",
                        {"A", "B"},
                        {1, 1}},
        // No nesting: the inner "#if 1" is not counted and the first "#else" ends the skip.
        IgnoredTextCase{"NoNesting",
                        "#if 0\r\n#if 1\r\nuint8 X[] = {0x01,};\r\n#else\r\nuint8 Y[] = "
                        "{0x02,};\r\n#endif\r\n#endif\r\n",
                        {"Y"},
                        {1}},
        IgnoredTextCase{"UnclosedIfZeroRunsToTheEnd",
                        "uint8 A[] = {0x01,};\r\n#if 0\r\nuint8 B[] = {0x02,};\r\n",
                        {"A"},
                        {1}},
        IgnoredTextCase{"OtherDirectivesAreText",
                        "#include \"x.h\"\r\n#define N 2\r\nuint8 A[N] = {0x01,};",
                        {"A"},
                        {1}}),
    [](const testing::TestParamInfo<IgnoredTextCase>& info) { return info.param.label; });

TEST(IgnoredText, InsideAListCommentsAndBranchesHideElementsAndBraces) {
  const Converted converted = Convert(
      "uint8 A[] = {\r\n"
      "  0x01, /* 0x02, } */ 0x03, // 0x04, }\r\n"
      "#if 0\r\n"
      "  0x05, }\r\n"
      "#endif\r\n"
      "  0x06 /* no comma, } */\r\n"
      "};\r\n"
      "uint8 B[] = {0x07,};");
  ASSERT_EQ(converted.tables.size(), 2u) << converted.log;
  EXPECT_EQ(converted.tables[0].elements, (std::vector<std::uint32_t>{1, 3, 6}));
  EXPECT_EQ(converted.tables[1].elements, std::vector<std::uint32_t>{7});
}

// An "#if 1" left open by one text must not make the next text's "#else" skip its tables.
TEST(IgnoredText, OpenIfOneDoesNotReachTheNextConversion) {
  const std::string unclosed = "#if 1\r\nuint8 A[] = {0x01,};\r\n";
  const std::string withElse = "uint8 B[] = {0x02,};\r\n#else\r\nuint8 C[] = {0x03,};\r\n";
  settings::MakeBinFile reused;
  reused.ParseText(unclosed);
  reused.ParseText(withElse);
  EXPECT_EQ(reused.Tables().size(), 2u);

  Convert(unclosed);
  EXPECT_EQ(Convert(withElse).tables.size(), 2u);
}

}  // namespace
}  // namespace settings_test
