// The image identity as the device detection reads it from the first 64 KB of a file.

#include "ui/image_identity.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// A file laid out by hand at the offsets the detection reads: flash address a at offset a + 4.
class ImageFile {
 public:
  explicit ImageFile(size_t size) : bytes_(size, 0) {}

  void Put24(size_t offset, uint32_t value) {
    for (int i = 0; i < 3; ++i) bytes_.at(offset + i) = static_cast<uint8_t>(value >> 8 * i);
  }
  void Put16(size_t offset, uint16_t value) {
    if (offset < bytes_.size()) bytes_[offset] = static_cast<uint8_t>(value);
    if (offset + 1 < bytes_.size()) bytes_[offset + 1] = static_cast<uint8_t>(value >> 8);
  }
  // Boot header fields, then the version and product id in the block at flash address u.
  ImageFile& Header(uint32_t bootAddr, uint32_t userCodeAddr, uint32_t userCodeSize) {
    bytes_.at(4) = 0x1A;
    bytes_.at(5) = 0xEB;
    Put24(6, bootAddr);
    Put24(14, userCodeAddr);
    Put24(17, userCodeSize);
    return *this;
  }
  ImageFile& Block(uint32_t u, uint16_t version, uint16_t pid) {
    Put16(u + 8, version);
    Put16(u + 12, pid);
    return *this;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

TEST(ImageIdentityTest, Layout1TakesTheBlockBehindTheBootImage) {
  ImageFile file(0x8000);
  file.Header(0x1000, 0x5000, 0).Block(0x3000, 0x0105, 0x0003).Block(0x7000, 0x0999, 0x0999);
  const ui::ImageIdentity id = ui::ImageIdentityFromBytes(file.bytes());
  EXPECT_EQ(id.bootAddr, 0x1000u);
  EXPECT_EQ(id.userCodeAddr, 0x5000u);
  EXPECT_EQ(id.userDataAddress, 0x3000u);
  EXPECT_TRUE(id.blockInView);
  EXPECT_EQ(id.fwVersion, 0x0105);
  EXPECT_EQ(id.pid, 0x0003);
}

TEST(ImageIdentityTest, Layout2TakesTheBlockBehindTheUserCode) {
  ImageFile file(0x8000);
  file.Header(0x1000, 0x5000, 0x2800).Block(0x3000, 0x0999, 0x0999).Block(0x7000, 0x1721, 0x8021);
  const ui::ImageIdentity id = ui::ImageIdentityFromBytes(file.bytes());
  EXPECT_EQ(id.userCodeSize, 0x2800u);
  EXPECT_EQ(id.userDataAddress, 0x7000u);
  EXPECT_EQ(id.fwVersion, 0x1721);
  EXPECT_EQ(id.pid, 0x8021);
}

// The block's 268 bytes must lie within the 64 KB read: file offset U + 4 + 268 <= 0x10000.
TEST(ImageIdentityTest, BlockOutsideTheFirst64KBLeavesTheIdentityZero) {
  struct Case {
    uint32_t userCodeAddr;
    bool inView;
  };
  for (const Case c : {Case{0xDEF0, true}, Case{0xDEF1, false}, Case{0xF000, false}}) {
    ImageFile file(0x14000);  // the file itself is long enough: only the 64 KB read counts
    file.Header(0x1000, c.userCodeAddr, 0x100).Block(c.userCodeAddr + 0x2000, 0x0105, 0x0003);
    const ui::ImageIdentity id = ui::ImageIdentityFromBytes(file.bytes());
    SCOPED_TRACE(c.userCodeAddr);
    EXPECT_EQ(id.userDataAddress, c.userCodeAddr + 0x2000);
    EXPECT_EQ(id.blockInView, c.inView);
    EXPECT_EQ(id.fwVersion, c.inView ? 0x0105 : 0);
    EXPECT_EQ(id.pid, c.inView ? 0x0003 : 0);
  }
}

TEST(ImageIdentityTest, ShortFileReadsAsZeroBeyondItsEnd) {
  ImageFile file(0x3000 + 4 + 6);  // ends right after the version's two bytes
  file.Header(0x1000, 0, 0).Block(0x3000, 0x0105, 0x0003);
  const ui::ImageIdentity cut = ui::ImageIdentityFromBytes(file.bytes());
  EXPECT_TRUE(cut.blockInView);
  EXPECT_EQ(cut.fwVersion, 0x0105);
  EXPECT_EQ(cut.pid, 0) << "the product id lies past the end of the file";

  const ui::ImageIdentity empty = ui::ImageIdentityFromBytes({});
  EXPECT_EQ(empty.bootAddr, 0u);
  EXPECT_EQ(empty.userDataAddress, 0x2000u);
  EXPECT_EQ(empty.fwVersion, 0);
  EXPECT_EQ(empty.pid, 0);
}

TEST(ImageIdentityTest, ReadsTheFileAtAPath) {
  char pattern[] = "/tmp/tavelin-identity-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string path = std::string(pattern) + "/image.bin";
  ImageFile file(0x20000);
  file.Header(0x1000, 0, 0).Block(0x3000, 0x0105, 0x0003);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  ASSERT_EQ(std::fwrite(file.bytes().data(), 1, file.bytes().size(), out), file.bytes().size());
  ASSERT_EQ(std::fclose(out), 0);

  const std::optional<ui::ImageIdentity> id = ui::ReadImageIdentity(path);
  ASSERT_TRUE(id.has_value());
  EXPECT_EQ(id->fwVersion, 0x0105);
  EXPECT_EQ(id->pid, 0x0003);
  EXPECT_FALSE(ui::ReadImageIdentity(std::string(pattern) + "/missing.bin").has_value());
  std::filesystem::remove_all(pattern);
}

}  // namespace
