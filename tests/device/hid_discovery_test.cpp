// Which HID interfaces the library takes for a camera, and how many.

#include <algorithm>

#include "device/hid_transport.h"
#include "device/session_info.h"
#include "tests/device/device_fixture.h"

namespace testing_support {
namespace {

class HidDiscoveryTest : public DeviceFixture {};

TEST_F(HidDiscoveryTest, DecoysAloneAreNoCamera) {
  hid().AddDecoy(sim::DecoyKind::NoFeatureReports);
  hid().AddDecoy(sim::DecoyKind::TooManyFeatureItems);
  hid().AddDecoy(sim::DecoyKind::CommandReportWithoutData);
  EXPECT_EQ(vxVidHidCls_Init(), 0);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 0);
  EXPECT_EQ(CurrentDeviceKind(), DeviceKind::None);
  EXPECT_TRUE(Traced("No found HID Device."));
  EXPECT_EQ(mutexCounts().opened, 0) << "no mutex without a camera";
  // Only query-only probes touched the decoys; none was opened for commands.
  for (const sim::TransferRecord& record : hid().Log()) {
    EXPECT_NE(record.kind, sim::CallKind::SetFeature);
    EXPECT_NE(record.kind, sim::CallKind::GetFeature);
  }
}

TEST_F(HidDiscoveryTest, CameraAmongDecoysIsFoundAndProbed) {
  hid().AddDecoy(sim::DecoyKind::NoFeatureReports);
  AddCamera();
  hid().AddDecoy(sim::DecoyKind::CommandReportWithoutData);
  ASSERT_EQ(vxVidHidCls_Init(), 1);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 1);
  EXPECT_EQ(CurrentDeviceKind(), DeviceKind::Hid);
  EXPECT_EQ(Library().slots[0].chipGen, 2);
  EXPECT_TRUE(Traced("vxVidHidCls_Init Is HID Device"));
}

TEST_F(HidDiscoveryTest, LegacyFirmwareWithoutExtendedReportIsStillACamera) {
  sim::CameraConfig config;
  config.hid.extendedI2c = false;
  AddCamera(config);
  EXPECT_EQ(vxVidHidCls_Init(), 1);
}

TEST_F(HidDiscoveryTest, AtMostTwentyFourCamerasInEnumerationOrder) {
  for (int i = 0; i < 25; ++i) {
    sim::CameraConfig config;
    config.chipId = i == 23 ? 0x000000A0 : 0x000000B2;  // tells slot 23 apart
    AddCamera(config);
  }
  ASSERT_EQ(vxVidHidCls_Init(), 1);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 24);
  EXPECT_EQ(Library().slots[22].chipGen, 2);
  EXPECT_EQ(Library().slots[23].chipGen, 0);
  // The 25th interface is never opened for commands.
  const auto log = hid().Log();
  const size_t opensOfLast = std::count_if(log.begin(), log.end(), [](const auto& r) {
    return r.kind == sim::CallKind::Open && r.path == "sim-hid:24";
  });
  EXPECT_EQ(opensOfLast, 0u);
}

TEST(HidAcceptanceTest, FeatureItemCountAndReportIds) {
  auto value = [](uint8_t id) {
    platform::HidCapability cap;
    cap.reportId = id;
    return cap;
  };
  platform::HidFeatureCaps camera;
  camera.values = {value(0x87), value(0x93), value(0x97)};
  EXPECT_TRUE(hidreq_IsCamera(camera));

  platform::HidFeatureCaps withButton = camera;
  withButton.buttons = {value(0x01)};  // four items
  EXPECT_FALSE(hidreq_IsCamera(withButton));

  platform::HidFeatureCaps range;
  range.values = {value(0x87), value(0x93)};
  range.values[1].isRange = true;
  range.values[1].usageMin = 1;
  range.values[1].usageMax = 2;  // three items in all
  EXPECT_TRUE(hidreq_IsCamera(range));
  range.values[1].usageMax = 3;  // four
  EXPECT_FALSE(hidreq_IsCamera(range));

  platform::HidFeatureCaps commandOnly;
  commandOnly.values = {value(0x87), value(0x97)};
  EXPECT_FALSE(hidreq_IsCamera(commandOnly));

  EXPECT_FALSE(hidreq_IsCamera(platform::HidFeatureCaps{}));
}

}  // namespace
}  // namespace testing_support
