// UTF-16 little-endian setting texts read as their single-byte equivalent.

#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "settings_test_support.h"
#include "worked_example.h"

namespace settings_test {
namespace {

TEST(TextEncoding, Utf16WithOrWithoutMarkGivesTheSameBinaryAndLog) {
  for (const bool withMark : {true, false}) {
    const Converted converted = Convert(Utf16(kWorkedExampleText, withMark));
    EXPECT_EQ(converted.binary, kWorkedExampleBinary) << "mark " << withMark;
    EXPECT_EQ(converted.log, kWorkedExampleLog) << "mark " << withMark;
  }
}

TEST(TextEncoding, CharactersBeyondOneByteAreNarrowedToQuestionMarks) {
  // "// Gain 增益" followed by a table, in UTF-16 with its mark.
  std::string text = Utf16("// Gain ", true);
  text += std::string("\x9E\x58\xCA\x76", 4);
  text += Utf16("\r\nuint8 A[] = {0x01,};", false);
  EXPECT_EQ(settings::NarrowSettingText(text), "// Gain ??\r\nuint8 A[] = {0x01,};");
  EXPECT_EQ(Convert(text).tables.size(), 1u);
}

TEST(TextEncoding, SingleByteTextIsReadAsItIs) {
  const std::string latin = "// Verst\xE4rkung\r\nuint8 A[] = {0x01,};";
  EXPECT_FALSE(settings::IsUtf16LittleEndian(latin));
  EXPECT_EQ(settings::NarrowSettingText(latin), latin);
  // An odd length cannot be UTF-16 without a mark, whatever its bytes.
  EXPECT_FALSE(settings::IsUtf16LittleEndian(std::string("a\0b", 3)));
  EXPECT_FALSE(settings::IsUtf16LittleEndian(""));
}

}  // namespace
}  // namespace settings_test
