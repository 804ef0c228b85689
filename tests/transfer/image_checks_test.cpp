// The image file checks: BufferCrcOk, FileCrcOk and FileSize.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using ImageChecksTest = TransferTest;

TEST_F(ImageChecksTest, BufferNeedsFourBytesAndTheChecksumOfTheRest) {
  const std::vector<uint8_t> image = ImageFile(Pattern(100));
  EXPECT_TRUE(transfer::BufferCrcOk(image.data(), 104));
  EXPECT_FALSE(transfer::BufferCrcOk(image.data(), 103)) << "checked over the given length";
  std::vector<uint8_t> flipped = image;
  flipped[50] ^= 0x01;
  EXPECT_FALSE(transfer::BufferCrcOk(flipped.data(), 104));
  flipped = image;
  flipped[3] ^= 0x80;  // the checksum's high byte: little-endian
  EXPECT_FALSE(transfer::BufferCrcOk(flipped.data(), 104));

  const uint8_t empty[4] = {0, 0, 0, 0};  // the CRC-32 of no bytes is 0
  EXPECT_TRUE(transfer::BufferCrcOk(empty, 4));
  EXPECT_FALSE(transfer::BufferCrcOk(empty, 3));
  EXPECT_FALSE(transfer::BufferCrcOk(empty, 0));
  EXPECT_FALSE(transfer::BufferCrcOk(empty, -1));
}

TEST_F(ImageChecksTest, FileEdgeCases) {
  EXPECT_TRUE(transfer::FileCrcOk(WriteFile("four.bin", {0, 0, 0, 0}).c_str()));
  EXPECT_FALSE(transfer::FileCrcOk(WriteFile("four-bad.bin", {1, 0, 0, 0}).c_str()));
  EXPECT_FALSE(transfer::FileCrcOk(WriteFile("three.bin", {0, 0, 0}).c_str()));
  EXPECT_FALSE(transfer::FileCrcOk(WriteFile("empty.bin", {}).c_str()));
  EXPECT_FALSE(transfer::FileCrcOk(PathOf("missing.bin").c_str()));

  // "123456789" behind its check value, as an image file stores it.
  std::vector<uint8_t> check = {0x26, 0x39, 0xF4, 0xCB, '1', '2', '3',
                                '4',  '5',  '6',  '7',  '8', '9'};
  EXPECT_TRUE(transfer::FileCrcOk(WriteFile("check.bin", check).c_str()));
}

TEST_F(ImageChecksTest, LongFileIsCheckedOverItsFirst256KbOnly) {
  std::vector<uint8_t> file = ImageFile(Pattern(262144 - 4));
  file.resize(262144 + 1000, 0x77);  // what follows the first 262,144 bytes does not count
  const std::string path = WriteFile("long.bin", file);
  EXPECT_TRUE(transfer::FileCrcOk(path.c_str()));
  EXPECT_EQ(transfer::FileSize(path.c_str()), 263144u);
}

TEST_F(ImageChecksTest, FileSizeIsZeroForMissingFiles) {
  EXPECT_EQ(transfer::FileSize(WriteFile("five.bin", {1, 2, 3, 4, 5}).c_str()), 5u);
  EXPECT_EQ(transfer::FileSize(WriteFile("empty.bin", {}).c_str()), 0u);
  EXPECT_EQ(transfer::FileSize(PathOf("missing.bin").c_str()), 0u);
  EXPECT_EQ(transfer::FileSize(""), 0u);
}

}  // namespace
}  // namespace transfer_testing
