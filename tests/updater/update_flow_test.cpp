// The update from the Update button to the completion text on the simulated camera: the
// confirmation, the progress arrangement, what ends up in the flash, the failure and refusal
// texts with the way back, the closing refused while a job runs, and the postponed pass.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/updater/updater_fixture.h"
#include "transfer/engine.h"
#include "transfer/image_builder.h"
#include "ui/status_texts.h"
#include "ui/updater/main_dialog_template.h"

namespace updater_testing {
namespace {

using UpdateFlowTest = UpdaterTest;

constexpr const char* kEnglishCompletion =
    "Firmware update completed. Current firmware version: v0105. Please disconnect and "
    "reconnect your TAVELIN Q2 .";

// True when the flash holds the image's payload from address 0 (file offset 4 on).
bool FlashHoldsImage(sim::SimBench& bench, const std::vector<uint8_t>& file) {
  const std::vector<uint8_t>& memory = bench.camera()->flash().memory();
  return std::equal(file.begin() + 4, file.end(), memory.begin());
}

TEST_F(UpdateFlowTest, AConfirmedUpdateWritesTheImageAndShowsTheCompletionText) {
  const std::vector<uint8_t> image = ImageBytes({0x0105, 3});
  WriteImage("fw.bin", {0x0105, 3});
  OpenDialog();
  ASSERT_FALSE(FlashHoldsImage(bench(), image));
  ClickUpdateAndConfirm();

  // The progress arrangement, while the worker runs.
  EXPECT_EQ(windows().ModalRuns().back(), 140);
  EXPECT_EQ(window().Size(), (ui::window::PixelSize{400, 320}));
  EXPECT_FALSE(Visible(ui::kStatusText));
  EXPECT_FALSE(Visible(ui::kUpdateButton));
  EXPECT_TRUE(Visible(ui::kRingSurface));
  EXPECT_TRUE(Visible(ui::kPercentText));
  EXPECT_TRUE(Visible(ui::kRingText));
  EXPECT_EQ(Text(ui::kRingText), "Update in progress...");
  EXPECT_FALSE(window().IsEnabled(ui::kUpdateButton));

  FinishJob();
  EXPECT_EQ(Text(ui::kRingText), kEnglishCompletion);
  EXPECT_EQ(Text(ui::kStatusText), "Firmware Download/Validate Success.");
  EXPECT_EQ(Text(ui::kPercentText), "100%");
  EXPECT_FALSE(window().RingOf(ui::kRingSurface)->Dots().empty());
  EXPECT_EQ(Text(ui::kBytesText), std::to_string(image.size() - 4) + " bytes");
  EXPECT_NE(Text(ui::kSecondsText), "0 secs");
  EXPECT_TRUE(FlashHoldsImage(bench(), image));
  EXPECT_TRUE(windows().MessageBoxes().empty());

  // The user reconnects the camera as asked.
  bench().hid().Unplug(bench().cameraPath());
  DeviceChangeAndWait();
  bench().hid().Plug(bench().cameraPath());
  DeviceChangeAndWait();
  EXPECT_EQ(Text(ui::kStatusText), ui::UpToDateText(ui::kEnglish, "TAVELIN Q2 ", 0x0105));
  EXPECT_FALSE(Visible(ui::kRingSurface));
}

TEST_F(UpdateFlowTest, CancelInTheConfirmationChangesNothing) {
  const std::vector<uint8_t> image = ImageBytes({0x0105, 3});
  WriteImage("fw.bin");
  OpenDialog();
  const std::string status = Text(ui::kStatusText);
  ClickUpdateAndConfirm(false);
  EXPECT_FALSE(transfer::JobRunning());
  EXPECT_EQ(Text(ui::kStatusText), status);
  EXPECT_TRUE(Visible(ui::kStatusText));
  EXPECT_TRUE(Visible(ui::kUpdateButton));
  EXPECT_FALSE(Visible(ui::kRingSurface));
  FinishJob();
  EXPECT_FALSE(FlashHoldsImage(bench(), image));
}

TEST_F(UpdateFlowTest, WhileAJobRunsDeviceChangesWaitAndTheWindowStaysOpen) {
  WriteImage("fw.bin");
  OpenDialog();
  bench().hid().ClearFaults();
  bench().hid().HoldTransfer(300);
  ClickUpdateAndConfirm();
  ASSERT_TRUE(bench().hid().WaitUntilHeld());
  ASSERT_TRUE(transfer::JobRunning());
  const int passes = dialog().DetectionPasses();

  window().PostDeviceChange();
  windows().DeliverPosted();
  windows().AdvanceTime(500);
  EXPECT_EQ(dialog().DetectionPasses(), passes);  // the session stays the worker's
  EXPECT_TRUE(dialog().SessionOpen());

  // Neither Escape nor the close box ends the program in the middle of a download.
  EXPECT_TRUE(window().PressEscape());
  EXPECT_FALSE(window().IsEnded());
  ASSERT_EQ(windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(windows().MessageBoxes()[0].text, "Update in progress...");
  EXPECT_EQ(windows().MessageBoxes()[0].caption, "TAVELIN Q2 Firmware Update");

  bench().hid().ReleaseHold();
  FinishJob();
  EXPECT_EQ(Text(ui::kRingText), kEnglishCompletion);
  // The postponed pass runs once the job has ended.
  windows().AdvanceTime(ui::kDetectionDelayMs);
  EXPECT_EQ(dialog().DetectionPasses(), passes + 1);
  EXPECT_EQ(Text(ui::kStatusText), ui::UpToDateText(ui::kEnglish, "TAVELIN Q2 ", 0x0105));
  // Now the window closes.
  window().PressEscape();
  EXPECT_TRUE(window().IsEnded());
}

TEST_F(UpdateFlowTest, AFailedUpdateIsShownAndCanBeStartedAgainFromTheSameWindow) {
  const std::vector<uint8_t> image = ImageBytes({0x0105, 3});
  WriteImage("fw.bin");
  OpenDialog();
  bench().hid().ClearFaults();
  bench().hid().FailFrom(400);  // the camera stops answering halfway through the erase
  ClickUpdateAndConfirm();
  FinishJob();
  EXPECT_EQ(Text(ui::kRingText), "Firmware Download/Validate Failure.");
  EXPECT_TRUE(Visible(ui::kRingText));
  EXPECT_TRUE(Visible(ui::kUpdateButton));
  EXPECT_TRUE(window().IsEnabled(ui::kUpdateButton));
  EXPECT_FALSE(FlashHoldsImage(bench(), image));

  bench().hid().ClearFaults();
  ClickUpdateAndConfirm();
  EXPECT_EQ(Text(ui::kRingText), "Update in progress...");
  FinishJob();
  EXPECT_EQ(Text(ui::kRingText), kEnglishCompletion);
  EXPECT_TRUE(FlashHoldsImage(bench(), image));
  EXPECT_FALSE(window().RingOf(ui::kRingSurface)->Dots().empty());
}

TEST_F(UpdateFlowTest, AnImageWithoutTheBootHeaderMagicIsRefusedBeforeAnyJob) {
  std::vector<uint8_t> file = ImageBytes({0x0105, 3});
  const std::string path = WriteImage("fw.bin", {0x0105, 3});
  OpenDialog();
  ASSERT_TRUE(Visible(ui::kUpdateButton));
  // The identity stays readable, only the magic goes.
  file[4] = 0x00;
  std::string problem;
  ASSERT_TRUE(transfer::WriteImageFile(path, file, problem));
  const std::vector<uint8_t> before = bench().camera()->flash().memory();
  ClickUpdateAndConfirm();
  EXPECT_FALSE(transfer::JobRunning());
  ASSERT_EQ(windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(windows().MessageBoxes()[0].caption, "TAVELIN Firmware Update Tool");
  EXPECT_EQ(Text(ui::kRingText), windows().MessageBoxes()[0].text);
  EXPECT_TRUE(Visible(ui::kUpdateButton));
  FinishJob();
  EXPECT_EQ(bench().camera()->flash().memory(), before);
}

TEST_F(UpdateFlowTest, AnEngineRefusalIsShownUnderTheRing) {
  std::vector<uint8_t> file = ImageBytes({0x0105, 3});
  const std::string path = WriteImage("fw.bin", {0x0105, 3});
  OpenDialog();
  file[0] ^= 0xFF;  // the stored checksum no longer matches
  std::string problem;
  ASSERT_TRUE(transfer::WriteImageFile(path, file, problem));
  windows().AnswerMessageBox(ui::window::kResultCancel);
  ClickUpdateAndConfirm();
  EXPECT_FALSE(transfer::JobRunning());
  ASSERT_EQ(windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(windows().MessageBoxes()[0].text, "File 0 CRC Checksum Error! Continue?");
  EXPECT_EQ(Text(ui::kRingText), "File 0 CRC Checksum Error! Continue?");
  EXPECT_TRUE(Visible(ui::kUpdateButton));
  EXPECT_TRUE(window().IsEnabled(ui::kUpdateButton));
}

TEST_F(UpdateFlowTest, AMissingImageAtUpdateTimeIsRefused) {
  const std::string path = WriteImage("fw.bin");
  OpenDialog();
  std::filesystem::remove(path);
  ClickUpdateAndConfirm();
  ASSERT_EQ(windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(windows().MessageBoxes()[0].text, "Firmware File1 open Error!!");
  EXPECT_FALSE(transfer::JobRunning());
  EXPECT_TRUE(Visible(ui::kRingSurface));  // the progress arrangement stays
}

TEST_F(UpdateFlowTest, TheCompletionTextIsInTheUsersLanguage) {
  WriteImage("fw.bin");
  OpenDialog(ui::kJapanese);
  ClickUpdateAndConfirm();
  EXPECT_EQ(Text(ui::kRingText), "アップデート中……");
  FinishJob();
  EXPECT_EQ(Text(ui::kRingText), ui::CompletionText(ui::kJapanese, 0x0105, "TAVELIN Q2 "));
}

}  // namespace
}  // namespace updater_testing
