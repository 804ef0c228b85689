// StartFirmwareUpload: its refusals, the EEPROM range rule and the sizes each job can hold.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

const char* const kWrongSize = "Wrong Firmware Upload Size or Address!";

class UploadStartTest : public TransferTest {
 protected:
  // Refused (true) or started and finished (false).
  bool Refused(const transfer::UploadJobRecord& record) {
    if (transfer::StartFirmwareUpload(record) == nullptr) return true;
    FinishJob(&window());
    return false;
  }
};

TEST_F(UploadStartTest, WithoutASessionOrWithAnUnknownKind) {
  AddDefaultCamera();
  EXPECT_TRUE(Refused(UploadRecord(2, 0, 16, PathOf("a.bin"))));
  OpenSession();
  EXPECT_TRUE(Refused(UploadRecord(3, 0, 16, PathOf("b.bin"))));
  EXPECT_EQ(boxes().texts(),
            (std::vector<std::string>{"No USB Device Found!", "Create Upload Thread Failure!"}));
  for (const Asked& asked : boxes().asked()) {
    EXPECT_EQ(asked.caption, "Firmware Upload");
    EXPECT_EQ(asked.owner, &window());
    EXPECT_EQ(asked.buttons, transfer::MessageButtons::Ok);
  }
  EXPECT_TRUE(window().Events().empty());
}

struct RangeCase {
  uint32_t address;
  uint32_t size;
  uint8_t option;
  bool refused;
};

class EepromUploadRangeTest : public UploadStartTest,
                              public ::testing::WithParamInterface<RangeCase> {};

TEST_P(EepromUploadRangeTest, RangeAndSize) {
  const RangeCase& c = GetParam();
  AddOlderCamera(false, true);
  OpenSession();
  EXPECT_EQ(Refused(UploadRecord(0, c.address, c.size, PathOf("up.bin"), c.option)), c.refused);
  EXPECT_EQ(boxes().texts(),
            c.refused ? std::vector<std::string>{kWrongSize} : std::vector<std::string>{});
}

// The last offset an upload may reach is 32,766; address 0xFFFF skips that test but not the
// buffer's size; a checksum needs four bytes.
INSTANTIATE_TEST_SUITE_P(
    Cases, EepromUploadRangeTest,
    ::testing::Values(RangeCase{0x7000, 0x0FFF, 0, false}, RangeCase{0x7000, 0x1000, 0, true},
                      RangeCase{0, 0x7FFF, 1, false}, RangeCase{0, 0x8000, 1, true},
                      RangeCase{0xFFFF, 0x1000, 0, false}, RangeCase{0xFFFF, 262145, 1, true},
                      RangeCase{0, 3, 0, true}, RangeCase{0, 3, 1, false}));

struct SizeCase {
  const char* name;
  uint8_t kind;
  uint8_t option;
  uint32_t size;
  bool refused;
};

class UploadSizeTest : public UploadStartTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(UploadSizeTest, SizesTheJobCanHold) {
  const SizeCase& c = GetParam();
  AddOlderCamera(true, false);
  OpenSession();
  EXPECT_EQ(Refused(UploadRecord(c.kind, 0, c.size, PathOf("up.bin"), c.option)), c.refused);
  EXPECT_EQ(boxes().texts(),
            c.refused ? std::vector<std::string>{kWrongSize} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UploadSizeTest,
    ::testing::Values(SizeCase{"SpiUploadOverTheBuffer", 0, 0, 262145, true},
                      SizeCase{"SpiUploadTooShortForAChecksum", 0, 0, 3, true},
                      SizeCase{"SpiUploadOfFourBytes", 0, 0, 4, false},
                      SizeCase{"FullDumpIgnoresTheSize", 0, 1, 262145, false},
                      SizeCase{"DumpOverTheBuffer", 2, 0, 262145, true},
                      SizeCase{"DumpOfTheWholeBuffer", 2, 0, 262144, false},
                      SizeCase{"EmptyDumpHasItsChecksum", 2, 0, 0, false},
                      SizeCase{"PagedImageTooShortForAChecksum", 1, 0, 3, true},
                      SizeCase{"PagedRawOfThreeBytes", 1, 1, 3, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace transfer_testing
