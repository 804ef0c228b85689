// Register commands on the wire, in both address forms.

#include <cstdio>

#include "tests/device/device_fixture.h"

namespace testing_support {
namespace {

class HidRegisterTest : public DeviceFixture {};

// Every register command starts with the chip-generation probe.
const Frame kProbe = Set(0x87, {0x08, 0x00, 0x00, 0x04});

TEST_F(HidRegisterTest, GenerationTwoChipReadsLowAddressInWideForm) {
  auto camera = AddCamera();
  camera->chip().RegWrite(0x0012, 4, 0xA1B2C3D4);
  Open();
  uint32_t value = 0;
  ASSERT_EQ(vxVidHidCls_RegRead(0x0012, 1, &value), S_OK);
  // All four bytes of the answer arrive, whatever the length asked for.
  EXPECT_EQ(value, 0xA1B2C3D4u);
  const std::vector<Frame> expected = {kProbe, Get(0x93), Set(0x87, {0x08, 0x12, 0x00, 0x01}),
                                       Get(0x93)};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
  EXPECT_TRUE(Traced("HID RegRead Add:0x0012 Len:0x01 -> 0xa1b2c3d4 OK"));
}

TEST_F(HidRegisterTest, OlderChipUsesNarrowFormOnlyForLowAddresses) {
  auto camera = AddCamera(OlderChip());
  Open();
  uint32_t value = 0;
  ASSERT_EQ(vxVidHidCls_RegRead(0x0012, 2, &value), S_OK);
  ASSERT_EQ(vxVidHidCls_RegRead(0x0112, 1, &value), S_OK);
  const std::vector<Frame> expected = {
      kProbe, Get(0x93), Set(0x87, {0x00, 0x12, 0x02, 0x00}), Get(0x93),
      kProbe, Get(0x93), Set(0x87, {0x08, 0x12, 0x01, 0x01}), Get(0x93)};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
}

TEST_F(HidRegisterTest, WideWriteSendsAddressLengthAndValueBytes) {
  auto camera = AddCamera();
  Open();
  const uint32_t value = 0x5678;
  ASSERT_EQ(vxVidHidCls_RegWrite(0x1234, 2, &value), S_OK);
  const std::vector<Frame> expected = {kProbe, Get(0x93), Set(0x87, {0x09, 0x00, 0x00, 0x00}),
                                       Set(0x93, {0x34, 0x12, 0x02, 0x78, 0x56})};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
  EXPECT_EQ(camera->chip().RegRead(0x1234, 2), 0x5678u);
}

TEST_F(HidRegisterTest, NarrowWriteOnOlderChip) {
  auto camera = AddCamera(OlderChip());
  Open();
  const uint32_t value = 0xCDAB;
  ASSERT_EQ(vxVidHidCls_RegWrite(0x0040, 2, &value), S_OK);
  const std::vector<Frame> expected = {kProbe, Get(0x93), Set(0x87, {0x01, 0x00, 0x00, 0x00}),
                                       Set(0x93, {0x40, 0x02, 0xAB, 0xCD})};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
  EXPECT_EQ(camera->chip().RegRead(0x0040, 2), 0xCDABu);
  EXPECT_TRUE(Traced("hidreg_RegWrite Add:0x40 Len:0x02 -> 0xcdab OK"));
}

TEST_F(HidRegisterTest, FailedAnswerKeepsCallersValueAndTraces) {
  AddCamera();
  Open();
  hid().FailTransfer(4);  // the get of the data report after the read command
  uint32_t value = 0x11111111;
  EXPECT_EQ(vxVidHidCls_RegRead(0x0020, 1, &value), E_FAIL);
  EXPECT_EQ(value, 0x11111111u);
  EXPECT_TRUE(Traced("hidreg_RegRead Add:0x0020 Len:0x01 -> Fail"));
}

TEST_F(HidRegisterTest, RefusedCommandReportStopsBeforeTheDataReport) {
  AddCamera();
  Open();
  hid().FailTransfer(3);  // the write command on report 0x87
  const uint32_t value = 1;
  EXPECT_EQ(vxVidHidCls_RegWrite(0x0020, 1, &value), E_FAIL);
  EXPECT_EQ(Frames().size(), 3u) << Describe(Frames());
}

TEST_F(HidRegisterTest, LengthAboveFourIsRefusedWithoutTraffic) {
  AddCamera();
  Open();
  uint32_t value = 0;
  EXPECT_EQ(vxVidHidCls_RegRead(0x0020, 5, &value), E_FAIL);
  EXPECT_EQ(vxVidHidCls_RegWrite(0x0020, 8, &value), E_FAIL);
  EXPECT_TRUE(Frames().empty()) << Describe(Frames());
}

struct ChipGenCase {
  uint32_t chipId;
  uint8_t generation;
};

class ChipGenerationTest : public DeviceFixture,
                           public ::testing::WithParamInterface<ChipGenCase> {};

TEST_P(ChipGenerationTest, LowByteFamilyDecides) {
  sim::CameraConfig config;
  config.chipId = GetParam().chipId;
  AddCamera(config);
  Open();
  uint8_t chipGen = 0xFF;
  ASSERT_EQ(vxVidHidCls_GetDevChipGen(0, &chipGen), 1);
  EXPECT_EQ(chipGen, GetParam().generation);
  const std::vector<Frame> expected = {kProbe, Get(0x93)};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
}

INSTANTIATE_TEST_SUITE_P(Families, ChipGenerationTest,
                         ::testing::Values(ChipGenCase{0x000153B2, 2}, ChipGenCase{0x000000B3, 2},
                                           ChipGenCase{0x000000C1, 2}, ChipGenCase{0x000000A0, 0},
                                           ChipGenCase{0x000000D0, 0}, ChipGenCase{0x0000B200, 0}),
                         [](const ::testing::TestParamInfo<ChipGenCase>& info) {
                           char name[16];
                           std::snprintf(name, sizeof name, "ChipId%08X", info.param.chipId);
                           return std::string(name);
                         });

}  // namespace
}  // namespace testing_support
