// The simulated HID system: discovery material, handles, faults, latency, log, and the bench.

#include "sim/sim_hid_system.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "device/flash_layout.h"
#include "device/usb_string_descriptor.h"
#include "sim/sim_bench.h"

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr platform::HidOpenMode kQueryOnly{};
constexpr platform::HidOpenMode kReadWrite{.read = true, .write = true};
constexpr platform::HidOpenMode kExclusive{.read = true, .write = true, .exclusive = true};

// The acceptance test's feature item count.
size_t FeatureItems(const platform::HidFeatureCaps& caps) {
  size_t items = caps.buttons.size();
  for (const auto& value : caps.values) {
    items += value.isRange ? value.usageMax - value.usageMin + 1 : 1;
  }
  return items;
}

bool HasReport(const platform::HidFeatureCaps& caps, uint8_t reportId) {
  for (const auto& value : caps.values) {
    if (value.reportId == reportId) return true;
  }
  return false;
}

// A register read of the chip id: the 0x87 command, then the 0x93 answer.
bool ReadChipId(platform::HidDevice& device, uint8_t& lowByte) {
  const uint8_t command[5] = {0x87, 0x08, 0x00, 0x00, 0x04};
  uint8_t answer[41] = {0x93};
  if (!device.SetFeature(command, sizeof command)) return false;
  if (!device.GetFeature(answer, sizeof answer)) return false;
  lowByte = answer[0];
  return true;
}

class SimHidSystemTest : public ::testing::Test {
 protected:
  VirtualClock clock_{5000};
  SimHidSystem hid_{clock_};
  std::shared_ptr<Camera> camera_ = MakeDefaultCamera(clock_);
};

TEST_F(SimHidSystemTest, ListsInterfacesInTheOrderOfAdding) {
  EXPECT_EQ(hid_.AddDecoy(DecoyKind::NoFeatureReports), "sim-hid:0");
  EXPECT_EQ(hid_.AddCamera(camera_), "sim-hid:1");
  EXPECT_EQ(hid_.AddDecoy(DecoyKind::CommandReportWithoutData), "sim-hid:2");
  std::vector<std::string> paths;
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  EXPECT_EQ(paths, (std::vector<std::string>{"sim-hid:0", "sim-hid:1", "sim-hid:2"}));
}

TEST_F(SimHidSystemTest, CameraAndDecoysDeclareTheirFeatureCaps) {
  struct Case {
    std::string path;
    size_t items;
    bool has87, has93;
  };
  CameraConfig legacy;
  legacy.hid.extendedI2c = false;
  const Case cases[] = {
      {hid_.AddCamera(camera_), 3, true, true},
      {hid_.AddCamera(std::make_shared<Camera>(legacy, clock_)), 2, true, true},
      {hid_.AddDecoy(DecoyKind::NoFeatureReports), 0, false, false},
      {hid_.AddDecoy(DecoyKind::TooManyFeatureItems), 4, true, true},
      {hid_.AddDecoy(DecoyKind::CommandReportWithoutData), 1, true, false},
      {hid_.AddDecoy(DecoyKind::TooManyFeatureItemsWithButtons), 4, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    auto device = hid_.Open(c.path, kQueryOnly);
    ASSERT_NE(device, nullptr);
    platform::HidFeatureCaps caps;
    ASSERT_TRUE(device->GetFeatureCaps(caps));
    EXPECT_EQ(FeatureItems(caps), c.items);
    EXPECT_EQ(HasReport(caps, 0x87), c.has87);
    EXPECT_EQ(HasReport(caps, 0x93), c.has93);
  }
  // The range decoy has only three capabilities: counting them instead of items accepts it.
  auto decoy = hid_.Open(cases[3].path, kReadWrite);
  platform::HidFeatureCaps caps;
  ASSERT_TRUE(decoy->GetFeatureCaps(caps));
  EXPECT_EQ(caps.values.size(), 3u);
  uint8_t id = 0;
  EXPECT_FALSE(ReadChipId(*decoy, id)) << "decoys refuse feature transfers";
}

TEST_F(SimHidSystemTest, QueryOnlyHandleReadsAttributesButCannotTransfer) {
  const std::string path = hid_.AddCamera(camera_);
  auto device = hid_.Open(path, kQueryOnly);
  ASSERT_NE(device, nullptr);
  platform::HidAttributes attributes;
  ASSERT_TRUE(device->GetAttributes(attributes));
  EXPECT_EQ(attributes.vendorId, camera_->hid().attributes().vendorId);
  uint8_t id = 0;
  EXPECT_FALSE(ReadChipId(*device, id));
  auto readWrite = hid_.Open(path, kReadWrite);
  ASSERT_TRUE(ReadChipId(*readWrite, id));
  EXPECT_EQ(id, 0xB2);
}

TEST_F(SimHidSystemTest, ExclusiveOpensShareWithNobody) {
  const std::string path = hid_.AddCamera(camera_);
  {
    auto exclusive = hid_.Open(path, kExclusive);
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(hid_.Open(path, kQueryOnly), nullptr);
    EXPECT_EQ(hid_.Open(path, kReadWrite), nullptr);
  }
  auto shared = hid_.Open(path, kReadWrite);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(hid_.Open(path, kExclusive), nullptr);
  EXPECT_NE(hid_.Open(path, kQueryOnly), nullptr);
  shared.reset();
  EXPECT_NE(hid_.Open(path, kExclusive), nullptr);
}

TEST_F(SimHidSystemTest, UnpluggedCameraVanishesAndItsHandlesDie) {
  const std::string path = hid_.AddCamera(camera_);
  auto before = hid_.Open(path, kExclusive);
  hid_.Unplug(path);
  std::vector<std::string> paths;
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  EXPECT_TRUE(paths.empty());
  EXPECT_EQ(hid_.Open(path, kReadWrite), nullptr);
  uint8_t id = 0;
  EXPECT_FALSE(ReadChipId(*before, id));
  platform::HidAttributes attributes;
  EXPECT_FALSE(before->GetAttributes(attributes));

  hid_.Plug(path);
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  EXPECT_EQ(paths, std::vector<std::string>{path});
  EXPECT_FALSE(ReadChipId(*before, id)) << "a handle from before the unplug stays dead";
  auto after = hid_.Open(path, kExclusive);
  ASSERT_NE(after, nullptr) << "the dead exclusive handle no longer holds the interface";
  EXPECT_TRUE(ReadChipId(*after, id));
}

TEST_F(SimHidSystemTest, FaultsCountFeatureTransfersFromOne) {
  auto device = hid_.Open(hid_.AddCamera(camera_), kReadWrite);
  uint8_t id = 0;
  hid_.FailTransfer(2);  // the get of the first read
  EXPECT_FALSE(ReadChipId(*device, id));
  EXPECT_TRUE(ReadChipId(*device, id));
  EXPECT_EQ(hid_.FeatureLog().at(1).ok, false);
  EXPECT_EQ(hid_.Counters().failed, 1u);

  hid_.ClearFaults();
  hid_.FailFrom(3);
  EXPECT_TRUE(ReadChipId(*device, id));  // transfers 1 and 2
  EXPECT_FALSE(ReadChipId(*device, id));
  EXPECT_FALSE(ReadChipId(*device, id));

  hid_.ClearFaults();
  hid_.FailReport(0x93);
  const uint8_t command[5] = {0x87, 0x08, 0x00, 0x00, 0x04};
  EXPECT_TRUE(device->SetFeature(command, sizeof command));
  uint8_t answer[41] = {0x93, 0x55};
  EXPECT_FALSE(device->GetFeature(answer, sizeof answer));
  EXPECT_EQ(answer[1], 0x55) << "a failed get leaves the buffer alone";

  hid_.ClearFaults();
  EXPECT_TRUE(ReadChipId(*device, id));
}

TEST_F(SimHidSystemTest, EveryTransferAdvancesTheClockByTheLatency) {
  const std::string path = hid_.AddCamera(camera_);
  auto device = hid_.Open(path, kReadWrite);
  hid_.SetLatencyMs(7);
  hid_.FailTransfer(2);
  uint8_t id = 0;
  EXPECT_FALSE(ReadChipId(*device, id));
  EXPECT_EQ(clock_.TickCount(), 5000u + 14u) << "the failed get counts too";
  auto queryOnly = hid_.Open(path, kQueryOnly);
  platform::HidAttributes attributes;
  queryOnly->GetAttributes(attributes);
  EXPECT_EQ(clock_.TickCount(), 5014u) << "only feature transfers take time";
}

TEST_F(SimHidSystemTest, LogsEveryPlatformCallInOrder) {
  const std::string path = hid_.AddCamera(camera_);
  std::vector<std::string> paths;
  hid_.ListInterfaces(paths);
  {
    auto device = hid_.Open(path, kReadWrite);
    platform::HidAttributes attributes;
    platform::HidFeatureCaps caps;
    device->GetAttributes(attributes);
    device->GetFeatureCaps(caps);
    uint8_t id = 0;
    ReadChipId(*device, id);
  }
  const auto log = hid_.Log();
  ASSERT_EQ(log.size(), 7u);
  const CallKind kinds[] = {CallKind::List,           CallKind::Open,       CallKind::GetAttributes,
                            CallKind::GetFeatureCaps, CallKind::SetFeature, CallKind::GetFeature,
                            CallKind::Close};
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].kind, kinds[i]) << i;
    EXPECT_TRUE(log[i].ok) << i;
    EXPECT_EQ(log[i].path, i == 0 ? "" : path) << i;
  }
  EXPECT_EQ(log[1].bytes, (Bytes{1, 1, 0}));
  EXPECT_EQ(log[4].bytes, (Bytes{0x87, 0x08, 0x00, 0x00, 0x04}));
  ASSERT_EQ(log[5].bytes.size(), 41u);
  EXPECT_EQ(Bytes(log[5].bytes.begin(), log[5].bytes.begin() + 4), (Bytes{0xB2, 0x53, 0x01, 0x00}));
  EXPECT_EQ(hid_.FeatureLog().size(), 2u);
  EXPECT_EQ(hid_.Counters().sets, 1u);
  EXPECT_EQ(hid_.Counters().gets, 1u);
  hid_.ClearLog();
  EXPECT_TRUE(hid_.Log().empty());
  EXPECT_EQ(hid_.Counters().sets, 0u);
}

TEST_F(SimHidSystemTest, TwoThreadsMayDriveOneCamera) {
  const std::string path = hid_.AddCamera(camera_);
  auto run = [&] {
    auto device = hid_.Open(path, kReadWrite);
    for (int i = 0; i < 200; ++i) {
      uint8_t id = 0;
      if (!ReadChipId(*device, id) || id != 0xB2) ADD_FAILURE() << "read " << i;
    }
  };
  std::thread other(run);
  run();
  other.join();
  EXPECT_EQ(hid_.Counters().sets, 400u);
}

TEST(SimHidSystemLifetimeTest, HandleOutlivingTheSystemFails) {
  VirtualClock clock;
  std::unique_ptr<platform::HidDevice> device;
  {
    SimHidSystem hid(clock);
    device = hid.Open(hid.AddCamera(MakeDefaultCamera(clock)), kReadWrite);
  }
  uint8_t id = 0;
  EXPECT_FALSE(ReadChipId(*device, id));
}

TEST(DefaultCameraTest, IsATavelinQ2WithFirmwareInProtectedFlash) {
  VirtualClock clock;
  auto camera = MakeDefaultCamera(clock);
  EXPECT_EQ(camera->chip().RegRead(0x0000, 1), 0xB2u);
  EXPECT_EQ(camera->flash().part().name, "WinBond 20X40 - 4Mbit");
  EXPECT_EQ(camera->flash().status(), 0x0C);
  EXPECT_EQ(camera->eeprom(), nullptr);
  const auto& memory = camera->flash().memory();
  const BootHeader header = DecodeBootHeader(memory.data());
  EXPECT_EQ(header.magic[0], 0x1A);
  EXPECT_EQ(header.magic[1], 0xEB);
  EXPECT_EQ(BootLayout(header), 1);
  UserDataBlock block{};
  std::memcpy(&block, memory.data() + UserDataAddress(header), sizeof block);
  EXPECT_EQ(block.signature, kUserDataSignature);
  EXPECT_EQ(block.fwVersion, 0x0102);
  EXPECT_EQ(block.pid, 0x0003);
  EXPECT_EQ(DecodeStringDescriptor(block.product), "TAVELIN Q2");
  EXPECT_NE(memory[header.bootAddr], memory[header.bootAddr + 1]) << "firmware code bytes";
  EXPECT_EQ(memory[header.bootAddr + header.bootSize], 0xFF);
  EXPECT_EQ(MakeDefaultCamera(clock)->flash().memory(), memory) << "deterministic";
}

TEST(SimBenchTest, InstallsTheSimulatorAndRestoresTheSystem) {
  platform::HidSystem* benchHid = nullptr;
  {
    SimBench bench({.clockStart = 0xFFFFFFF0, .latencyMs = 3});
    benchHid = &bench.hid();
    const auto& services = platform::CurrentServices();
    EXPECT_EQ(services.hid, benchHid);
    EXPECT_EQ(services.clock, &bench.clock());
    EXPECT_NE(services.mutexes, nullptr);
    EXPECT_EQ(bench.cameraPath(), "sim-hid:0");
    auto device = services.hid->Open(bench.cameraPath(), kReadWrite);
    uint8_t id = 0;
    ASSERT_TRUE(ReadChipId(*device, id));
    EXPECT_EQ(id, 0xB2);
    EXPECT_EQ(services.clock->TickCount(), 0xFFFFFFF6u);
  }
  EXPECT_NE(platform::CurrentServices().hid, benchHid);
  SimBench empty({.defaultCamera = false});
  EXPECT_EQ(empty.camera(), nullptr);
  std::vector<std::string> paths;
  ASSERT_TRUE(empty.hid().ListInterfaces(paths));
  EXPECT_TRUE(paths.empty());
}

}  // namespace
}  // namespace sim
