// The main dialog's reaction to each transfer event, and the progress ring's dots: two per
// percent from the top clockwise, put back after a repaint, nothing drawn above 100 %.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "tests/updater/updater_fixture.h"
#include "transfer/transfer_window.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog_template.h"
#include "ui/updater/progress_ring.h"

namespace updater_testing {
namespace {

class TransferEventsTest : public UpdaterTest {
 protected:
  void SetUp() override {
    WriteImage("fw.bin");
    OpenDialog();
  }
  void Event(uint32_t code, int32_t value) {
    window().Post(transfer::WM_TRANSFER_EVENT, code, value);
    windows().DeliverPosted();
  }
  // Fires the ring's timer when it is armed.
  void LetTheRingDraw() { windows().AdvanceTime(1); }
  size_t Dots() { return window().RingOf(ui::kRingSurface)->Dots().size(); }

  std::map<int, std::string> AllTexts() {
    std::map<int, std::string> texts;
    for (const auto& control : window().Template().controls) {
      texts[control.id] = window().Text(control.id);
    }
    return texts;
  }
};

struct TextCase {
  uint32_t code;
  int32_t value;
  const char* status;
};

TEST_F(TransferEventsTest, PhaseAndOutcomeCodesSetTheirStatusTexts) {
  const TextCase cases[] = {
      {transfer::WriteStart, 0, "Download Firmware to EEPROM Page_0."},
      {transfer::WriteStart, 1, "Download Firmware to EEPROM Page_1."},
      {transfer::VerifyStart, 0, "Validate Firmware in EEPROM Page_0."},
      {transfer::VerifyStart, 1, "Validate Firmware in EEPROM Page_1."},
      {transfer::ReadStart, 0, "Upload Firmware from EEPROM Page_0."},
      {transfer::ReadStart, 1, "Upload Firmware from EEPROM Page_1."},
      {transfer::FileWriteFailed, 0, "Write Binary File Failure."},
      {transfer::UploadDone, 0, "Firmware Upload Success."},
      {transfer::UploadFailed, 0, "Firmware Upload Failure."},
      {transfer::DownloadFailed, 0, "Firmware Download/Validate Failure."},
      {transfer::DeviceAccessFailed, 0, "EEPROM Access Failure."},
      {transfer::DownloadDone, 0, "Firmware Download/Validate Success."},
  };
  for (const TextCase& c : cases) {
    Event(c.code, c.value);
    EXPECT_EQ(Text(ui::kStatusText), c.status) << "code " << c.code << " value " << c.value;
  }
}

TEST_F(TransferEventsTest, SetTotalTakesOnlyValuesAbove16) {
  Event(transfer::SetTotal, 16);
  EXPECT_EQ(window().ProgressHigh(ui::kByteProgress), 100);
  EXPECT_EQ(ui::Progress().totalBytes, 0);
  EXPECT_EQ(Text(ui::kBytesText), "");
  Event(transfer::SetTotal, 17);
  EXPECT_EQ(window().ProgressLow(ui::kByteProgress), 0);
  EXPECT_EQ(window().ProgressHigh(ui::kByteProgress), 17);
  EXPECT_EQ(ui::Progress().totalBytes, 17);
  EXPECT_EQ(Text(ui::kBytesText), "17 bytes");
}

TEST_F(TransferEventsTest, ElapsedShowsSecondsWithThreeDecimals) {
  Event(transfer::Elapsed, 1234);
  EXPECT_EQ(Text(ui::kSecondsText), "1.234 secs");
  Event(transfer::Elapsed, 0);
  EXPECT_EQ(Text(ui::kSecondsText), "0 secs");
}

TEST_F(TransferEventsTest, CodesAbove13ChangeNothingUnlessTheyReportAFailure) {
  const auto before = AllTexts();
  for (uint32_t code : {14u, 15u, 17u, 18u}) Event(code, 0);
  Event(transfer::VerifyResult, 1);
  Event(transfer::EraseEnd, 1);
  Event(99, 5);
  EXPECT_EQ(AllTexts(), before);
  EXPECT_FALSE(window().TimerInterval(ui::kRingTimer).has_value());

  // An erase or read-back that failed closes the header-layout job without any other code.
  Event(transfer::EraseEnd, 0);
  EXPECT_EQ(Text(ui::kRingText), "Firmware Download/Validate Failure.");
  EXPECT_TRUE(Visible(ui::kUpdateButton));
}

TEST_F(TransferEventsTest, ProgressMovesTheBarAndArmsTheRingOnlyWhenThePercentChanges) {
  Event(transfer::SetTotal, 1000);
  Event(transfer::WriteProgress, 16);  // a header write: ignored
  EXPECT_EQ(window().ProgressPosition(ui::kByteProgress), 0);
  EXPECT_FALSE(window().TimerInterval(ui::kRingTimer).has_value());

  Event(transfer::WriteProgress, 500);
  EXPECT_EQ(window().ProgressPosition(ui::kByteProgress), 500);
  EXPECT_TRUE(window().TimerInterval(ui::kRingTimer).has_value());
  LetTheRingDraw();
  EXPECT_EQ(Dots(), 100u);
  EXPECT_EQ(Text(ui::kPercentText), "50%");
  EXPECT_EQ(ui::Progress().drawnAngle, 180);

  Event(transfer::VerifyProgress, 509);  // still 50 %
  EXPECT_FALSE(window().TimerInterval(ui::kRingTimer).has_value());
  Event(transfer::ReadProgress, 510);
  LetTheRingDraw();
  EXPECT_EQ(Dots(), 102u);
  EXPECT_EQ(Text(ui::kPercentText), "51%");

  Event(transfer::WriteProgress, 2500);  // 250 %: armed, but nothing is drawn
  EXPECT_TRUE(window().TimerInterval(ui::kRingTimer).has_value());
  LetTheRingDraw();
  EXPECT_EQ(Dots(), 102u);
  EXPECT_EQ(Text(ui::kPercentText), "51%");
}

TEST_F(TransferEventsTest, TheRingStartsAtTheTopAndRunsClockwise) {
  Event(transfer::SetTotal, 1000);
  Event(transfer::WriteProgress, 250);
  LetTheRingDraw();
  const auto& dots = window().RingOf(ui::kRingSurface)->Dots();
  ASSERT_EQ(dots.size(), 50u);
  EXPECT_NEAR(dots.front().centreX, 87.0f, 0.3f);
  EXPECT_NEAR(dots.front().centreY, 5.0f, 0.1f);  // 87 - 82: the top
  EXPECT_GT(dots[1].centreX, dots[0].centreX);    // then to the right
  EXPECT_EQ(dots.front().radiusX, 4.0f);
  EXPECT_EQ(dots.front().colour, ui::kRingProgress);
  // 3.14 in place of pi: a quarter of the ring ends a little short of the right-hand side.
  EXPECT_LT(dots.back().centreX, 87.0f + 82.0f);
}

TEST_F(TransferEventsTest, ARepaintKeepsTheDotsAndTheNextStepContinues) {
  Event(transfer::SetTotal, 1000);
  Event(transfer::WriteProgress, 300);
  LetTheRingDraw();
  const auto drawn = window().RingOf(ui::kRingSurface)->Dots();
  window().Expose();
  const ui::headless::HeadlessRing& ring = *window().RingOf(ui::kRingSurface);
  ASSERT_NE(ring.Background(), nullptr);
  EXPECT_EQ(*ring.Background(), ui::kRingBackground);
  ASSERT_EQ(ring.Dots().size(), drawn.size());
  EXPECT_EQ(ring.Dots().back().centreX, drawn.back().centreX);
  Event(transfer::WriteProgress, 310);
  LetTheRingDraw();
  EXPECT_EQ(ring.Dots().size(), drawn.size() + 2);
}

TEST_F(TransferEventsTest, AFailedDrawLeavesTheAngleAndThePercentAsTheyWere) {
  Event(transfer::SetTotal, 1000);
  Event(transfer::WriteProgress, 100);
  LetTheRingDraw();
  ASSERT_EQ(Text(ui::kPercentText), "10%");
  const size_t drawn = Dots();
  const_cast<ui::headless::HeadlessRing*>(window().RingOf(ui::kRingSurface))->FailEndDraw(true);
  Event(transfer::WriteProgress, 200);
  LetTheRingDraw();
  EXPECT_EQ(Dots(), drawn);
  EXPECT_EQ(Text(ui::kPercentText), "10%");
  EXPECT_EQ(ui::Progress().drawnAngle, 36);
  // A repaint that cannot be shown says so.
  window().Expose();
  ASSERT_FALSE(windows().MessageBoxes().empty());
  EXPECT_EQ(windows().MessageBoxes().back().text, "Draw failed!");
  EXPECT_EQ(windows().MessageBoxes().back().caption, "Error");
}

TEST(RingArithmetic, DotsPerPercentFollowTheFloatSteps) {
  EXPECT_EQ(ui::RingDotAngles(0, ui::RingTargetAngle(50)).size(), 100u);
  EXPECT_EQ(ui::RingDotAngles(180, ui::RingTargetAngle(51)).size(), 2u);
  EXPECT_EQ(ui::RingDotAngles(0, ui::RingTargetAngle(1)).size(), 2u);
  EXPECT_TRUE(ui::RingDotAngles(360, ui::RingTargetAngle(100)).empty());
  // From the truncated angle of 51 % (183) the next percent draws from 183 on.
  const std::vector<float> next = ui::RingDotAngles(183, ui::RingTargetAngle(52));
  ASSERT_EQ(next.size(), 3u);
  EXPECT_FLOAT_EQ(next[1], 184.8f);
}

}  // namespace
}  // namespace updater_testing
