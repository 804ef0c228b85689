// Firmware image files as the builder makes them and writes them.

#include "transfer/image_builder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "device/usb_string_descriptor.h"
#include "transfer/crc32.h"
#include "ui/image_identity.h"

namespace {

transfer::ImageRecipe Recipe(int layout, uint32_t fileSize) {
  transfer::ImageRecipe recipe;
  recipe.identity.fwVersion = 0x0105;
  recipe.identity.vid = 0x3A5C;
  recipe.identity.pid = 0x0003;
  recipe.identity.vendor = "TAVELIN";
  recipe.identity.product = "TAVELIN Q2";
  recipe.identity.serial = "Q2-0042";
  recipe.layout = layout;
  recipe.fileSize = fileSize;
  return recipe;
}

std::vector<uint8_t> Build(const transfer::ImageRecipe& recipe) {
  std::vector<uint8_t> file;
  std::string problem;
  EXPECT_TRUE(transfer::BuildImage(recipe, file, problem)) << problem;
  return file;
}

uint32_t StoredCrc(const std::vector<uint8_t>& file) {
  return uint32_t{file[0]} | uint32_t{file[1]} << 8 | uint32_t{file[2]} << 16 |
         uint32_t{file[3]} << 24;
}

class BuiltLayoutTest : public testing::TestWithParam<int> {};

TEST_P(BuiltLayoutTest, ImageCarriesItsHeaderChecksumAndIdentity) {
  const int layout = GetParam();
  for (const uint32_t size :
       {transfer::SmallestImageFileSize(layout), uint32_t{196608}, transfer::kImageFileLimit}) {
    SCOPED_TRACE(size);
    const std::vector<uint8_t> file = Build(Recipe(layout, size));
    ASSERT_EQ(file.size(), size);
    EXPECT_EQ(StoredCrc(file), transfer::Crc32(0, file.data() + 4, file.size() - 4));

    const BootHeader header = DecodeBootHeader(file.data() + 4);
    EXPECT_EQ(header.magic[0], 0x1A);
    EXPECT_EQ(header.magic[1], 0xEB);
    EXPECT_EQ(BootLayout(header), layout);
    EXPECT_EQ(header.bootAddr, 0x1000u);
    const uint32_t payload = size - 4;
    if (layout == 1) {
      EXPECT_EQ(header.bootAddr + header.bootSize, payload);
    } else {
      EXPECT_EQ(header.bootAddr + header.bootSize, header.userCodeAddr);
      EXPECT_EQ(header.userCodeAddr + header.userCodeSize, payload);
    }

    const ui::ImageIdentity id = ui::ImageIdentityFromBytes(file);
    EXPECT_TRUE(id.blockInView);
    EXPECT_EQ(id.userDataAddress, ImageBase(header) + 0x2000);
    EXPECT_EQ(id.fwVersion, 0x0105);
    EXPECT_EQ(id.pid, 0x0003);

    UserDataBlock block;
    std::memcpy(&block, file.data() + 4 + id.userDataAddress, sizeof block);
    EXPECT_EQ(uint32_t{block.signature}, kUserDataSignature);  // copied: the block is packed
    EXPECT_EQ(uint16_t{block.vid}, 0x3A5C);
    EXPECT_EQ(DecodeStringDescriptor(block.product), "TAVELIN Q2");
    EXPECT_EQ(DecodeStringDescriptor(block.serial), "Q2-0042");
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BuiltLayoutTest, testing::Values(1, 2));

TEST(ImageBuilderTest, LayoutTwoKeepsItsUserDataBelow64KB) {
  const std::vector<uint8_t> file = Build(Recipe(2, 100000));
  const BootHeader header = DecodeBootHeader(file.data() + 4);
  EXPECT_NE(header.userCodeSize, 0u);
  EXPECT_TRUE(UserDataFitsOneSector(UserDataAddress(header)));
}

TEST(ImageBuilderTest, SameRecipeSameBytesAndVersionsDifferInTheirCode) {
  EXPECT_EQ(Build(Recipe(1, 65536)), Build(Recipe(1, 65536)));
  transfer::ImageRecipe other = Recipe(1, 65536);
  other.identity.fwVersion = 0x0106;
  const std::vector<uint8_t> a = Build(Recipe(1, 65536));
  const std::vector<uint8_t> b = Build(other);
  EXPECT_FALSE(std::equal(a.begin() + 0x1004, a.begin() + 0x3004, b.begin() + 0x1004))
      << "the code bytes follow the version";
}

TEST(ImageBuilderTest, RefusesWhatCannotBeAnImage) {
  struct Case {
    const char* what;
    transfer::ImageRecipe recipe;
    const char* reason;
  };
  transfer::ImageRecipe longText = Recipe(1, 65536);
  longText.identity.serial = std::string(31, 'S');
  transfer::ImageRecipe badUtf8 = Recipe(1, 65536);
  badUtf8.identity.vendor = "\xC3";
  const Case cases[] = {
      {"layout 1 below its smallest", Recipe(1, transfer::SmallestImageFileSize(1) - 1),
       "at least"},
      {"layout 2 below its smallest", Recipe(2, transfer::SmallestImageFileSize(2) - 1),
       "at least"},
      {"no size", Recipe(1, 0), "at least"},
      {"over the download's limit", Recipe(1, transfer::kImageFileLimit + 1), "at most 262144"},
      {"layout 3", Recipe(3, 65536), "layout must be 1 or 2"},
      {"a text over 30 units", longText, "does not fit"},
      {"invalid UTF-8", badUtf8, "does not fit"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file{1, 2, 3};
    std::string problem;
    EXPECT_FALSE(transfer::BuildImage(c.recipe, file, problem)) << c.what;
    EXPECT_NE(problem.find(c.reason), std::string::npos) << c.what << ": " << problem;
    EXPECT_EQ(file, (std::vector<uint8_t>{1, 2, 3})) << c.what << ": output left alone";
  }
  EXPECT_EQ(transfer::SmallestImageFileSize(1), 4u + 0x3000 + 290);
  EXPECT_EQ(transfer::SmallestImageFileSize(2), 4u + 0x7000 + 290);
}

class ImageFileWriteTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavelin-image-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  static std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::string directory_;
};

TEST_F(ImageFileWriteTest, WritesTheWholeFileAndReplacesAnOlderOne) {
  const std::string path = directory_ + "/image.bin";
  const std::vector<uint8_t> large = Build(Recipe(1, transfer::kImageFileLimit));
  const std::vector<uint8_t> small = Build(Recipe(2, 40000));
  std::string problem;
  ASSERT_TRUE(transfer::WriteImageFile(path, large, problem)) << problem;
  EXPECT_EQ(ReadAll(path), large);
  ASSERT_TRUE(transfer::WriteImageFile(path, small, problem)) << problem;
  EXPECT_EQ(ReadAll(path), small) << "no tail of the older, longer file stays behind";
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(ImageFileWriteTest, FailedWriteIsReportedAndLeavesNoFile) {
  const std::vector<uint8_t> image = Build(Recipe(1, 65536));
  std::string problem;
  EXPECT_FALSE(transfer::WriteImageFile(directory_ + "/missing/image.bin", image, problem));
  EXPECT_NE(problem.find("cannot create"), std::string::npos) << problem;

  // The temporary file runs into a full device: the bytes are lost when the close flushes them.
  const std::string path = directory_ + "/full.bin";
  ASSERT_EQ(symlink("/dev/full", (path + ".tmp").c_str()), 0);
  problem.clear();
  EXPECT_FALSE(transfer::WriteImageFile(path, image, problem));
  EXPECT_NE(problem.find("failed"), std::string::npos) << problem;
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
