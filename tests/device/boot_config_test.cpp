// The boot configuration, the identity record and the firmware version, on the simulated flash.

#include "device/boot_config.h"

#include <cstring>

#include "device/flash_layout.h"
#include "device/usb_string_descriptor.h"
#include "tests/device/device_fixture.h"
#include "tests/support/spi_pieces.h"

namespace testing_support {
namespace {

BootHeader Header(uint32_t bootAddr, uint32_t userCodeAddr, uint32_t userCodeSize) {
  BootHeader header{};
  header.magic[0] = kBootMagic0;
  header.magic[1] = kBootMagic1;
  header.bootAddr = bootAddr;
  header.bootSize = 0x4000;
  header.userCodeAddr = userCodeAddr;
  header.userCodeSize = userCodeSize;
  return header;
}

CameraIdentity Identity() {
  CameraIdentity identity;
  identity.fwVersion = 0x0207;
  identity.vid = 0x2B1F;
  identity.pid = 0x0003;
  identity.vendor = "TAVELIN";
  identity.product = "TAVELIN Q2";
  identity.serial = "SN0001";
  identity.settings.byte0 = 0x11;
  identity.settings.words[2] = 0xBEEF;
  identity.settings.bytes[16] = 0x99;
  for (uint8_t i = 0; i < 34; ++i) reinterpret_cast<uint8_t*>(&identity.uvc)[i] = 0xA0 + i;
  return identity;
}

class BootConfigTest : public DeviceFixture {
 protected:
  // A camera whose flash holds this boot header and user data, the rest a fixed pattern.
  std::shared_ptr<sim::Camera> CameraWith(const BootHeader& header,
                                          const CameraIdentity& identity = Identity()) {
    auto camera = AddCamera();
    std::vector<uint8_t>& memory = camera->flash().memory();
    for (size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<uint8_t>(i * 13 + 5);
    uint8_t raw[kBootHeaderSize];
    EncodeBootHeader(header, raw);
    std::copy(raw, raw + kBootHeaderSize, memory.begin());
    const uint32_t address = UserDataAddress(header);
    if (address + sizeof(UserDataBlock) <= memory.size()) {
      const UserDataBlock block = MakeUserDataBlock(identity);
      std::memcpy(memory.data() + address, &block, sizeof block);
    }
    return camera;
  }

  size_t TransfersSoFar() {
    const sim::TransferCounters counters = hid().Counters();
    return counters.sets + counters.gets;
  }
};

struct LayoutCase {
  const char* name;
  uint32_t bootAddr, userCodeAddr, userCodeSize;
  bool ok;
  int layout;
  uint32_t sector, offset;
};

class LayoutTest : public BootConfigTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, DecodesWhereTheUserDataLies) {
  const LayoutCase& c = GetParam();
  CameraWith(Header(c.bootAddr, c.userCodeAddr, c.userCodeSize));
  Open();
  BootConfig config;
  ASSERT_EQ(ReadBootConfig(0, config), c.ok);
  if (!c.ok) {
    char trace[64];
    std::snprintf(trace, sizeof trace, "Code size error Size:0x%04x",
                  (c.userCodeSize ? c.userCodeAddr : c.bootAddr) + 0x2000);
    EXPECT_TRUE(Traced(trace));
    return;
  }
  EXPECT_EQ(config.layout, c.layout);
  EXPECT_EQ(config.sectorAddress, c.sector);
  EXPECT_EQ(config.offset, c.offset);
  EXPECT_TRUE(Traced("BootAddr :\t\t0x" + [&] {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", c.bootAddr);
    return std::string(hex);
  }()));
  DeviceInfo info{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &info), 1);
  EXPECT_STREQ(info.chipName, c.layout == 1 ? "VX5290" : "VX52190");
  EXPECT_EQ(info.chipVariant, static_cast<uint32_t>(c.layout));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, LayoutTest,
    ::testing::Values(LayoutCase{"BootImageOnly", 0x001000, 0x000000, 0, true, 1, 0x3000, 0},
                      LayoutCase{"UserCodeImage", 0x001000, 0x004800, 0x8000, true, 2, 0x6000,
                                 0x800},
                      LayoutCase{"BlockBeyondLimit", 0x001000, 0x00F000, 0x1000, false, 0, 0, 0},
                      LayoutCase{"BlockAtLimit", 0x00E000, 0x000000, 0, false, 0, 0, 0},
                      LayoutCase{"BlockCrossesSector", 0x000F00, 0x000000, 0, false, 0, 0, 0}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST_F(BootConfigTest, ReadsTheIdentityRecord) {
  CameraWith(Header(0x001000, 0x004000, 0x8000));
  Open();
  DeviceInfo info{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &info), 1);
  EXPECT_EQ(info.vid, 0x2B1F);
  EXPECT_EQ(info.pid, 0x0003);
  EXPECT_EQ(info.fwVersion, 0x0207);
  EXPECT_STREQ(info.string1, "TAVELIN");
  EXPECT_STREQ(info.string2, "TAVELIN Q2");
  EXPECT_STREQ(info.string3, "SN0001");
  EXPECT_EQ(info.chipGen, 2u);
  EXPECT_EQ(info.settings.words[2], 0xBEEF);
  EXPECT_EQ(info.settings.bytes[16], 0x99);
  EXPECT_EQ(info.uvcDefaults[0], 0xA4) << "UVC defaults start at byte 4 of their block";
  EXPECT_TRUE(Traced("Signature:0x9567eb1a VID:0x2b1f PID:0x0003 FwVersion:0x0207"));
  EXPECT_TRUE(Traced("Default UVC property value: 0x00a4"));
  uint8_t high = 0, low = 0;
  ASSERT_EQ(vxVidHidCls_GetFwVersion(&high, &low), S_OK);
  EXPECT_EQ(high, 0x02);
  EXPECT_EQ(low, 0x07);
}

TEST_F(BootConfigTest, WriteRewritesOnlyTheBlockAndReadsBackTheSame) {
  auto camera = CameraWith(Header(0x001000, 0x004000, 0x8000));
  const std::vector<uint8_t> before = camera->flash().memory();
  Open();
  DeviceInfo info{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &info), 1);
  std::strcpy(info.string1, "Twelve chars");
  std::strcpy(info.string3, "S\xF0\x9F\x93\xB7-42");  // a camera emoji: a surrogate pair
  info.pid = 0x0004;
  info.uvcDefaults[29] = 0x5C;
  ASSERT_EQ(vxVidHidCls_SetDevInfo(0, &info), 1);

  const std::vector<uint8_t>& after = camera->flash().memory();
  const uint32_t block = 0x6000;
  for (size_t i = 0; i < after.size(); ++i) {
    if (i >= block && i < block + sizeof(UserDataBlock)) continue;
    ASSERT_EQ(after[i], before[i]) << "byte 0x" << std::hex << i << " outside the block changed";
  }
  const uint8_t* written = after.data() + block;
  EXPECT_EQ(written[0x0A], 26) << "12 characters: 2 + 2 × 12";
  EXPECT_EQ(written[0x0B], 3);
  EXPECT_TRUE(std::all_of(written + 0xDF, written + 0x100, [](uint8_t b) { return b == 0; }));
  EXPECT_TRUE(std::equal(written + 0x100, written + 0x104, before.data() + block + 0x100))
      << "the first four UVC bytes are kept";

  DeviceInfo readBack{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &readBack), 1);
  EXPECT_EQ(std::memcmp(&readBack, &info, sizeof info), 0);
}

TEST_F(BootConfigTest, LongAndBlankStringsStayInsideTheirFields) {
  CameraIdentity identity = Identity();
  identity.vendor = std::string(40, 'V');
  auto camera = CameraWith(Header(0x001000, 0, 0), identity);
  // The serial descriptor blank, as an erased flash leaves it.
  std::fill_n(camera->flash().memory().begin() + 0x3000 + 0x86, 62, 0xFF);
  Open();
  DeviceInfo info{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &info), 1);
  EXPECT_EQ(std::string(info.string1), std::string(30, 'V')) << "30 units, no terminator";
  EXPECT_EQ(camera->flash().memory()[0x3000 + 0x0A], 62);
  // 30 units of U+FFFF, three UTF-8 bytes each: never more than the descriptor holds.
  EXPECT_EQ(std::strlen(info.string3), 90u);
}

TEST_F(BootConfigTest, VerificationFailsWhenTheFlashCorruptsAProgram) {
  auto camera = CameraWith(Header(0x001000, 0, 0));
  Open();
  DeviceInfo info{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &info), 1);
  camera->flash().SetCorruptPrograms(true);
  info.vid = 0x1234;
  EXPECT_EQ(vxVidHidCls_SetDevInfo(0, &info), 0);
  EXPECT_TRUE(Traced("Write sector data != Read back verifier \n"));
}

TEST_F(BootConfigTest, SectorThatCannotBeReadBeforeTheRewriteIsLeftAlone) {
  auto camera = CameraWith(Header(0x001000, 0, 0));
  Open();
  DeviceInfo info{};
  ASSERT_EQ(vxVidHidCls_GetDevInfo(0, &info), 1);
  const size_t readSteps = TransfersSoFar();  // probe and boot configuration read
  hid().ClearFaults();
  const std::vector<uint8_t> before = camera->flash().memory();
  // The write reads the same again, then the sector once more: fail that read's first answer.
  hid().FailTransfer(readSteps + 4);
  info.vid = 0x1234;
  EXPECT_EQ(vxVidHidCls_SetDevInfo(0, &info), 0);
  EXPECT_EQ(camera->flash().memory(), before);
  EXPECT_TRUE(PiecesStartingWith(SpiPiecesOf(hid().FeatureLog()), 0x20).empty()) << "no erase";
}

TEST_F(BootConfigTest, OlderChipHasNoIdentityRecord) {
  sim::CameraConfig config = OlderChip();
  AddCamera(config);
  Open();
  DeviceInfo info{};
  EXPECT_EQ(vxVidHidCls_GetDevInfo(0, &info), 0);
  EXPECT_EQ(vxVidHidCls_SetDevInfo(0, &info), 0);
  EXPECT_EQ(Frames().size(), 4u) << "two chip-generation probes, nothing else";
}

TEST_F(BootConfigTest, UnreadableFlashGivesVersionFFFF) {
  CameraWith(Header(0x001000, 0, 0));
  Open();
  hid().FailFrom(1);
  uint8_t high = 0, low = 0;
  EXPECT_EQ(vxVidHidCls_GetFwVersion(&high, &low), S_OK);
  EXPECT_EQ(high, 0xFF);
  EXPECT_EQ(low, 0xFF);
}

class LegacyVersionTest : public DeviceFixture {
 protected:
  std::shared_ptr<sim::Camera> OlderCamera(uint8_t selector, uint8_t boot) {
    sim::CameraConfig config = OlderChip();
    config.withEeprom = true;
    config.bootsFromSpi = (boot & 0x80) != 0;
    auto camera = AddCamera(config);
    camera->chip().RegWrite(0x000A, 1, selector);
    return camera;
  }
};

TEST_F(LegacyVersionTest, EepromChainWhenSelectorIsA0OrMore) {
  auto camera = OlderCamera(0xA0, 0x00);
  std::vector<uint8_t>& eeprom = camera->eeprom()->memory();
  eeprom[0x0001] = 0x12;  // x
  eeprom[0x1232] = 0x40;  // y
  eeprom[0x1242] = 0x03;  // at (x << 8) | (y + 2)
  eeprom[0x1243] = 0x15;
  Open();
  uint8_t high = 0, low = 0;
  ASSERT_EQ(vxVidHidCls_GetFwVersion(&high, &low), S_OK);
  EXPECT_EQ(high, 0x03);
  EXPECT_EQ(low, 0x15);
}

TEST_F(LegacyVersionTest, EepromRecordWhenBootingFromEeprom) {
  auto camera = OlderCamera(0x90, 0x00);
  std::vector<uint8_t>& eeprom = camera->eeprom()->memory();
  eeprom[0x0001] = 0x20;  // p
  eeprom[0x2154] = 0x01;  // at ((p + 1) << 8) | 0x54
  eeprom[0x2155] = 0x09;
  Open();
  uint8_t high = 0, low = 0;
  ASSERT_EQ(vxVidHidCls_GetFwVersion(&high, &low), S_OK);
  EXPECT_EQ(high, 0x01);
  EXPECT_EQ(low, 0x09);
}

TEST_F(LegacyVersionTest, FlashRecordWhenBootingFromFlash) {
  auto camera = OlderCamera(0x90, 0x80);
  std::vector<uint8_t>& flash = camera->flash().memory();
  flash[0x0001] = 0x30;  // p
  flash[0x3154] = 0x04;  // at (p << 8) + 0x154
  flash[0x3155] = 0x02;
  Open();
  uint8_t high = 0, low = 0;
  ASSERT_EQ(vxVidHidCls_GetFwVersion(&high, &low), S_OK);
  EXPECT_EQ(high, 0x04);
  EXPECT_EQ(low, 0x02);
}

TEST_F(LegacyVersionTest, FailingReadsEndTheChainAndKeepTheOutputs) {
  OlderCamera(0xA0, 0x00);
  Open();
  hid().FailReport(0x93);  // no register or I2C answer arrives
  uint8_t high = 0x5A, low = 0x5A;
  EXPECT_EQ(vxVidHidCls_GetFwVersion(&high, &low), E_FAIL);
  EXPECT_EQ(high, 0x5A);
  EXPECT_EQ(low, 0x5A);
}

}  // namespace
}  // namespace testing_support
