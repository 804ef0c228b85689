// The device detection's rules: the camera's model from its identity record, the model rule
// and the version comparison.

#include "ui/update_outcome.h"

#include <gtest/gtest.h>

#include "ui/camera_model.h"

namespace {

using ui::ModelKind;
using ui::OtherModelReason;
using ui::UpdateOutcome;

DeviceInfo Identity(uint32_t chipVariant, uint16_t pid, uint16_t fwVersion) {
  DeviceInfo info{};
  info.chipGen = 2;
  info.chipVariant = chipVariant;
  info.pid = pid;
  info.fwVersion = fwVersion;
  return info;
}

TEST(CameraModelTest, ModelKindFollowsTheProductIdAndLayout) {
  struct Case {
    uint32_t chipVariant;
    uint16_t pid;
    ModelKind kind;
    std::string_view name;
  };
  for (const Case c : {Case{1, 0x8021, ModelKind::TavelinQ, "TAVELIN Q "},
                       Case{1, 0x8025, ModelKind::TavelinQ, "TAVELIN Q "},
                       Case{1, 0x0003, ModelKind::TavelinQ2, "TAVELIN Q2 "},
                       Case{1, 0x1F59, ModelKind::TavelinQ2, "TAVELIN Q2 "},
                       Case{2, 0x8021, ModelKind::UserCodeLayout, ""},
                       Case{0x0101, 0x0003, ModelKind::TavelinQ2, "TAVELIN Q2 "}}) {
    const ui::CameraModel model = ui::CameraModelFromIdentity(Identity(c.chipVariant, c.pid, 7));
    SCOPED_TRACE(testing::Message() << c.chipVariant << " " << c.pid);
    EXPECT_EQ(model.kind, c.kind);
    EXPECT_EQ(model.modelName, c.name);
    EXPECT_EQ(model.chipVariant, c.chipVariant & 0xFF) << "only the low byte counts";
    EXPECT_EQ(model.fwVersion, 7);
  }
}

TEST(CameraModelTest, ChipTypeIsTwoWhenTheLowByteHasAnyOfTheBitsB0) {
  for (const uint32_t value : {0x10u, 0x20u, 0x80u, 0xB0u, 0x123456C1u}) {
    EXPECT_EQ(ui::ChipTypeFromRegister(value), 2) << std::hex << value;
  }
  for (const uint32_t value : {0x00u, 0x4Fu, 0xB000u, 0xFFFFFF40u}) {
    EXPECT_EQ(ui::ChipTypeFromRegister(value), 0) << std::hex << value;
  }
}

struct OutcomeCase {
  const char* what;
  uint32_t chipVariant;
  uint16_t cameraPid;
  uint16_t deviceVersion;
  uint16_t imagePid;
  uint16_t imageVersion;
  UpdateOutcome outcome;
  OtherModelReason reason;
};

void PrintTo(const OutcomeCase& c, std::ostream* os) {
  *os << c.what;
}

class UpdateOutcomeTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(UpdateOutcomeTest, DecidesAsTheDetectionDoes) {
  const OutcomeCase& c = GetParam();
  const ui::CameraModel camera =
      ui::CameraModelFromIdentity(Identity(c.chipVariant, c.cameraPid, c.deviceVersion));
  ui::ImageIdentity image;
  image.fwVersion = c.imageVersion;
  image.pid = c.imagePid;
  const ui::OutcomeDecision d = ui::DecideUpdateOutcome(camera, image);
  EXPECT_EQ(d.outcome, c.outcome) << ui::OutcomeName(d.outcome);
  EXPECT_EQ(d.reason, c.reason);
  EXPECT_EQ(d.deviceVersion, c.deviceVersion);
  EXPECT_EQ(d.imageVersion, c.imageVersion);
  EXPECT_EQ(d.modelName, camera.modelName);
}

constexpr auto kAvailable = UpdateOutcome::UpdateAvailable;
constexpr auto kUpToDate = UpdateOutcome::UpToDate;
constexpr auto kOther = UpdateOutcome::OtherModel;
constexpr auto kNone = OtherModelReason::None;
constexpr auto kByPid = OtherModelReason::ProductId;
constexpr auto kByVariant = OtherModelReason::ChipVariant;

INSTANTIATE_TEST_SUITE_P(
    ModelRule, UpdateOutcomeTest,
    testing::Values(
        OutcomeCase{"q_8025_takes_8021", 1, 0x8025, 0x0100, 0x8021, 0x0105, kAvailable, kNone},
        OutcomeCase{"q_8025_takes_1f59", 1, 0x8025, 0x0100, 0x1F59, 0x0105, kAvailable, kNone},
        OutcomeCase{"q_8025_refuses_3", 1, 0x8025, 0x0100, 0x0003, 0x0105, kOther, kByPid},
        OutcomeCase{"q_8021_refuses_8025", 1, 0x8021, 0x0100, 0x8025, 0x0105, kOther, kByPid},
        OutcomeCase{"q2_takes_3", 1, 0x0003, 0x0102, 0x0003, 0x0105, kAvailable, kNone},
        OutcomeCase{"q2_refuses_8021", 1, 0x0003, 0x0102, 0x8021, 0x0105, kOther, kByPid},
        OutcomeCase{"q2_refuses_1f59", 1, 0x0003, 0x0102, 0x1F59, 0x0105, kOther, kByPid},
        OutcomeCase{"q2_any_pid_takes_3", 1, 0x1F59, 0x0102, 0x0003, 0x0105, kAvailable, kNone},
        OutcomeCase{"image_without_identity", 1, 0x0003, 0x0102, 0, 0, kOther, kByPid},
        OutcomeCase{"user_code_layout", 2, 0x0003, 0x0102, 0x0003, 0x0105, kOther, kByVariant},
        OutcomeCase{"variant_0", 0, 0x0003, 0x0102, 0x0003, 0x0105, kOther, kByVariant}),
    [](const auto& info) { return std::string(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Versions, UpdateOutcomeTest,
    testing::Values(
        OutcomeCase{"newer", 1, 0x0003, 0x0102, 0x0003, 0x0105, kAvailable, kNone},
        OutcomeCase{"older_from_0108", 1, 0x0003, 0x0108, 0x0003, 0x0100, kAvailable, kNone},
        OutcomeCase{"older_from_1721", 1, 0x0003, 0x1721, 0x0003, 0x0100, kAvailable, kNone},
        OutcomeCase{"older_from_0109", 1, 0x0003, 0x0109, 0x0003, 0x0100, kUpToDate, kNone},
        OutcomeCase{"older_from_0107", 1, 0x0003, 0x0107, 0x0003, 0x0100, kUpToDate, kNone},
        OutcomeCase{"equal", 1, 0x0003, 0x0105, 0x0003, 0x0105, kUpToDate, kNone},
        OutcomeCase{"equal_0108", 1, 0x0003, 0x0108, 0x0003, 0x0108, kUpToDate, kNone},
        OutcomeCase{"equal_1721", 1, 0x8025, 0x1721, 0x8021, 0x1721, kUpToDate, kNone},
        OutcomeCase{"unsigned_newer", 1, 0x0003, 0x0001, 0x0003, 0x8000, kAvailable, kNone},
        OutcomeCase{"unsigned_older", 1, 0x0003, 0xFFFF, 0x0003, 0x0001, kUpToDate, kNone}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
