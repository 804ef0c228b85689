// What the binary's one-byte count and 16-bit directory can hold, and the destination's size.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_support.h"
#include "worked_example.h"

namespace settings_test {
namespace {

std::string Tables(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += "uint8 T[] = {0x01,};\r\n";
  return text;
}

// One uint8 table named "T" with `count` elements: a binary of 11 + count bytes.
std::string OneByteTable(std::size_t count) {
  std::string text = "uint8 T[] = {";
  for (std::size_t i = 0; i < count; ++i) text += "0x5A,";
  return text + "};";
}

std::uint16_t Field(const std::vector<std::uint8_t>& binary, std::size_t at) {
  return static_cast<std::uint16_t>(binary[at] | (binary[at + 1] << 8));
}

TEST(BinaryLimits, TwoHundredFiftyFiveTablesFitTheCount) {
  const Converted converted = Convert(Tables(255));
  EXPECT_EQ(converted.refusal, "");
  ASSERT_EQ(converted.binary.size(), 1u + 255 * (9 + 1 + 1));
  EXPECT_EQ(converted.binary[0], 255u);
  // The last entry's name sits right after the 254 tables before it.
  EXPECT_EQ(Field(converted.binary, 1 + 9 * 254), 1 + 9 * 255 + 254 * 2);
}

TEST(BinaryLimits, MoreThan255TablesAreRefused) {
  const Converted converted = Convert(Tables(256));
  EXPECT_NE(converted.refusal.find("256 tables"), std::string::npos) << converted.refusal;
  EXPECT_TRUE(converted.binary.empty());
}

TEST(BinaryLimits, BinaryOf65535BytesFitsAndOneMoreIsRefused) {
  const Converted largest = Convert(OneByteTable(65535 - 11));
  EXPECT_EQ(largest.refusal, "");
  EXPECT_EQ(largest.binary.size(), 65535u);
  EXPECT_EQ(Field(largest.binary, 1 + 7), 65535 - 11) << "data length";

  const Converted tooLarge = Convert(OneByteTable(65535 - 10));
  EXPECT_NE(tooLarge.refusal.find("65536 bytes"), std::string::npos) << tooLarge.refusal;
  EXPECT_TRUE(tooLarge.binary.empty());
}

TEST(BinaryLimits, TableOfMoreThan65535DataBytesIsRefused) {
  std::string text = "uint32 Wide[] = {";
  for (int i = 0; i < 16384; ++i) text += "0x1,";  // 65,536 data bytes
  const Converted converted = Convert(text + "};", 1 << 20);
  EXPECT_NE(converted.refusal.find("\"Wide\""), std::string::npos) << converted.refusal;
  EXPECT_TRUE(converted.binary.empty());
}

// Positions past 32,767 must come out as unsigned 16-bit values.
TEST(BinaryLimits, PositionsBeyond32KAreWrittenWhole) {
  const Converted converted = Convert(OneByteTable(40000) + "uint16 B[] = {0xBEEF,};");
  ASSERT_EQ(converted.binary[0], 2u);
  const std::size_t nameOfB = 1 + 18 + 1 + 40000;
  EXPECT_EQ(Field(converted.binary, 1 + 9), nameOfB);
  EXPECT_EQ(Field(converted.binary, 1 + 9 + 4), nameOfB + 1);
  EXPECT_EQ(converted.binary[nameOfB], 'B');
  EXPECT_EQ(DataBytes(converted, 1), (std::vector<std::uint8_t>{0xEF, 0xBE}));
}

TEST(BinaryLimits, BinaryLargerThanTheDestinationIsRefusedUntouched) {
  settings::MakeBinFile converter;
  converter.ParseText(kWorkedExampleText);
  std::vector<std::uint8_t> buffer(40, 0xEE);

  EXPECT_EQ(converter.Serialize(std::span(buffer).first(31)), 0u);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(40, 0xEE));
  EXPECT_NE(converter.RefusalReason(31).find("holds 31"), std::string::npos);

  EXPECT_EQ(converter.Serialize(std::span(buffer).first(32)), 32u);
  EXPECT_EQ(buffer[32], 0xEE);
}

TEST(BinaryLimits, TextWithoutTablesGivesNothing) {
  for (const char* text : {"", "no tables here { 0x01, }", "uint8 /* A[] */ ;"}) {
    const Converted converted = Convert(text);
    EXPECT_TRUE(converted.binary.empty()) << text;
    EXPECT_EQ(converted.refusal, "the text holds no setting table") << text;
  }
}

}  // namespace
}  // namespace settings_test
