// Reading the elements between "{" and "}".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_support.h"

namespace settings_test {
namespace {

using Values = std::vector<std::uint32_t>;

struct ElementCase {
  const char* label;
  std::string text;
  std::vector<Values> tables;  // each table's elements, in table order
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ElementCase& c, std::ostream* os) {
  *os << c.label;
}

class ElementLists : public testing::TestWithParam<ElementCase> {};

TEST_P(ElementLists, YieldTheirElements) {
  const ElementCase& c = GetParam();
  const Converted converted = Convert(c.text);
  ASSERT_EQ(converted.tables.size(), c.tables.size()) << converted.log;
  for (std::size_t i = 0; i < c.tables.size(); ++i) {
    EXPECT_EQ(converted.tables[i].elements, c.tables[i]) << "table " << i;
    EXPECT_EQ(converted.tables[i].count, c.tables[i].size()) << "table " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElementLists,
    testing::Values(
        ElementCase{"RightAfterTheBrace", "uint8 A[]={0x01,0x02,0x03,};", {{1, 2, 3}}},
        ElementCase{"OtherTextBetweenElementsIsIgnored",
                    "uint16 A[] = {\r\n\t0x0A, 12, 0x0C,\r\n};",
                    {{0x0A, 0x0C}}},
        ElementCase{"UpperCaseHexDigits", "uint32 A[] = { 0xDEADbeef, };", {{0xDEADBEEF}}},
        // A missing last comma ends the element at its list's "}": the next table survives.
        ElementCase{"LastElementWithoutComma",
                    "uint8 A[] = { 0x01, 0x02 };\r\nuint8 B[] = { 0x03, };",
                    {{1, 2}, {3}}},
        ElementCase{"ListOfGroups",
                    "uint16 R[][2] = {\r\n  {0x3000, 0x01},\r\n  {0x3001, 0x02,},\r\n  {0x3002, "
                    "0x03}\r\n};\r\nuint8 B[] = { 0x04, };",
                    {{0x3000, 1, 0x3001, 2, 0x3002, 3}, {4}}},
        // A declaration ended by ";" has no list and must not take the next table's list.
        ElementCase{"DeclarationWithoutList",
                    "uint8 Buffer[16];\r\nuint16 Gain[] = { 0x0102, };",
                    {{}, {0x0102}}},
        ElementCase{"TextEndsInsideTheList", "uint8 A[] = { 0x01, 0x02", {{1, 2}}},
        ElementCase{"TextEndsBeforeTheList", "uint8 A[4] = ", {{}}},
        ElementCase{
            "ValueWiderThan32BitsKeepsItsLowBits", "uint32 A[] = {0x123456789,};", {{0x23456789}}}),
    [](const testing::TestParamInfo<ElementCase>& info) { return info.param.label; });

TEST(ElementLists, LogHoldsEachElementTextUpToItsComma) {
  const Converted converted = Convert("uint8 A[] = { 0x01 , 0x02 };");
  EXPECT_EQ(converted.log, "uint8A\r\nElements are followed:\r\n0x01 \t0x02 \t\r\n\r\n");
}

TEST(ElementLists, EmptyAndMissingListsStillGetADirectoryEntry) {
  const Converted converted = Convert("uint8 Buffer[16];\r\nuint8 Empty[] = { };");
  ASSERT_EQ(converted.binary.size(), 1u + 18 + 6 + 5);
  EXPECT_EQ(converted.binary[0], 2u);
  EXPECT_EQ(converted.binary[1 + 7], 0u) << "no data bytes";
  EXPECT_EQ(converted.binary[1 + 9 + 7], 0u) << "no data bytes";
  EXPECT_EQ(std::string(converted.binary.begin() + 19, converted.binary.end()), "BufferEmpty");
}

}  // namespace
}  // namespace settings_test
