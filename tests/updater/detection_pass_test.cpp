// The detection pass on the simulated camera: each outcome's text and layout in every
// language, the model and version rules, the debounce of device changes, and what a pass
// keeps from the one before.

#include <gtest/gtest.h>

#include "tests/updater/updater_fixture.h"
#include "ui/status_texts.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog_template.h"

namespace updater_testing {
namespace {

using ui::window::PixelRect;

constexpr const char* kEnglishPleaseConnect = "Please connect your TAVELIN Q2.";

enum class Outcome { PleaseConnect, OtherModel, UpToDate, UpdateAvailable };

struct OutcomeCase {
  ui::Language language;
  Outcome outcome;
};

class DetectionOutcomeTest : public UpdaterTest,
                             public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(DetectionOutcomeTest, ShowsTheOutcomesTextLayoutAndControls) {
  const OutcomeCase c = GetParam();
  switch (c.outcome) {
    case Outcome::PleaseConnect:
      bench().hid().Unplug(bench().cameraPath());
      WriteImage("fw.bin");
      break;
    case Outcome::OtherModel:
      WriteImage("fw.bin", {0x0105, 0x8021});
      break;
    case Outcome::UpToDate:
      WriteImage("fw.bin", {0x0102, 3});
      break;
    case Outcome::UpdateAvailable:
      WriteImage("fw.bin", {0x0105, 3});
      break;
  }
  OpenDialog(c.language);
  const std::string model = "TAVELIN Q2";
  std::string expected;
  PixelRect status;
  switch (c.outcome) {
    case Outcome::PleaseConnect:
      expected = ui::PleaseConnectText(c.language, model);
      status = {50, 45, 340, 70};
      break;
    case Outcome::OtherModel:
      expected = ui::OtherModelText(c.language, model);
      status = c.language == ui::kEnglish ? PixelRect{25, 20, 380, 70}
               : c.language == ui::kDutch ? PixelRect{25, 20, 380, 80}
                                          : PixelRect{25, 20, 400, 80};
      break;
    case Outcome::UpToDate:
      expected = ui::UpToDateText(c.language, "TAVELIN Q2 ", 0x0102);
      status = {50, 30, 340, 70};
      break;
    case Outcome::UpdateAvailable:
      expected = ui::UpdateAvailableText(c.language, "TAVELIN Q2 ", 0x0105, 0x0102);
      status = {20, 15, 410, 70};
      break;
  }
  EXPECT_EQ(Text(ui::kStatusText), expected);
  EXPECT_EQ(window().Rect(ui::kStatusText), status);
  EXPECT_EQ(window().Size(), (ui::window::PixelSize{460, 170}));
  EXPECT_EQ(window().Title(), ui::ComposeWindowTitle(c.language));
  EXPECT_EQ(Visible(ui::kUpdateButton), c.outcome == Outcome::UpdateAvailable);
  EXPECT_EQ(Visible(ui::kDownloadLink), c.outcome == Outcome::OtherModel);
  const bool enabled = c.outcome == Outcome::UpToDate || c.outcome == Outcome::UpdateAvailable;
  EXPECT_EQ(window().IsEnabled(ui::kUpdateButton), enabled);
  EXPECT_EQ(window().IsEnabled(ui::kDumpRequested), enabled);
  EXPECT_FALSE(Visible(ui::kRingSurface));
  if (c.outcome == Outcome::OtherModel) {
    EXPECT_EQ(Text(ui::kDownloadLink), ui::DownloadLinkMarkup());
    const bool lower = c.language == ui::kFrench || c.language == ui::kJapanese;
    const int linkX = c.language == ui::kDutch ? 120 : 130;
    EXPECT_EQ(window().Rect(ui::kDownloadLink), (PixelRect{linkX, lower ? 80 : 60, 380, 30}));
  }
}

std::vector<OutcomeCase> AllOutcomeCases() {
  std::vector<OutcomeCase> cases;
  for (int language = 0; language < ui::kLanguageCount; ++language) {
    for (Outcome outcome : {Outcome::PleaseConnect, Outcome::OtherModel, Outcome::UpToDate,
                            Outcome::UpdateAvailable}) {
      cases.push_back({static_cast<ui::Language>(language), outcome});
    }
  }
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<OutcomeCase>& info) {
  static const char* const kLanguages[] = {"English",  "French",  "German",
                                           "Japanese", "Italian", "Dutch"};
  static const char* const kOutcomes[] = {"PleaseConnect", "OtherModel", "UpToDate",
                                          "UpdateAvailable"};
  return std::string(kLanguages[info.param.language]) + "_" +
         kOutcomes[static_cast<int>(info.param.outcome)];
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, DetectionOutcomeTest,
                         ::testing::ValuesIn(AllOutcomeCases()), CaseName);

using DetectionPassTest = UpdaterTest;

TEST_F(DetectionPassTest, EnglishTextsReadAsTheUserSeesThem) {
  WriteImage("fw.bin", {0x0105, 3});
  OpenDialog();
  EXPECT_EQ(Text(ui::kStatusText),
            "Your TAVELIN Q2  is ready to receive an update.\n A new firmware version is "
            "available v0105. The current version is v0102.");
  EXPECT_EQ(window().Title(), "TAVELIN Q2 Firmware Update");
  EXPECT_EQ(Text(ui::kUpdateButton), "Update");
  bench().hid().Unplug(bench().cameraPath());
  DeviceChangeAndWait();
  EXPECT_EQ(Text(ui::kStatusText), kEnglishPleaseConnect);
}

struct VersionCase {
  uint16_t device;
  uint16_t image;
  bool offered;
};

class VersionRuleTest : public UpdaterTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionRuleTest, OffersNewerImagesAndDowngradesOnlyFromTheTwoReplacedReleases) {
  const VersionCase c = GetParam();
  SetCameraIdentity(c.device, 3);
  WriteImage("fw.bin", {c.image, 3});
  OpenDialog();
  EXPECT_EQ(Visible(ui::kUpdateButton), c.offered);
  EXPECT_EQ(Text(ui::kStatusText),
            c.offered ? ui::UpdateAvailableText(ui::kEnglish, "TAVELIN Q2 ", c.image, c.device)
                      : ui::UpToDateText(ui::kEnglish, "TAVELIN Q2 ", c.device));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionRuleTest,
    ::testing::Values(VersionCase{0x0108, 0x0100, true}, VersionCase{0x1721, 0x0100, true},
                      VersionCase{0x0109, 0x0100, false}, VersionCase{0x0105, 0x0105, false},
                      VersionCase{0x1721, 0x1721, false}, VersionCase{0x0102, 0xFFFF, true}));

struct ModelCase {
  uint16_t cameraPid;
  uint16_t imagePid;
  const char* deviceModelName;
  bool accepted;
};

class ModelRuleTest : public UpdaterTest, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(ModelRuleTest, TakesOnlyImagesMeantForTheCamerasModel) {
  const ModelCase c = GetParam();
  SetCameraIdentity(0x0102, c.cameraPid);
  WriteImage("fw.bin", {0x0105, c.imagePid});
  OpenDialog();
  EXPECT_EQ(dialog().DeviceModelName(), c.deviceModelName);
  EXPECT_EQ(Visible(ui::kUpdateButton), c.accepted);
  EXPECT_EQ(Visible(ui::kDownloadLink), !c.accepted);
  if (c.accepted) {
    EXPECT_EQ(Text(ui::kStatusText),
              ui::UpdateAvailableText(ui::kEnglish, c.deviceModelName, 0x0105, 0x0102));
  } else {
    EXPECT_EQ(Text(ui::kStatusText), ui::OtherModelText(ui::kEnglish, "TAVELIN Q2"));
  }
}

INSTANTIATE_TEST_SUITE_P(Models, ModelRuleTest,
                         ::testing::Values(ModelCase{0x8025, 0x8021, "TAVELIN Q ", true},
                                           ModelCase{0x8025, 0x1F59, "TAVELIN Q ", true},
                                           ModelCase{0x8025, 0x0003, "TAVELIN Q ", false},
                                           ModelCase{0x8021, 0x1F59, "TAVELIN Q ", true},
                                           ModelCase{0x0003, 0x0003, "TAVELIN Q2 ", true},
                                           ModelCase{0x1234, 0x0003, "TAVELIN Q2 ", true},
                                           ModelCase{0x0003, 0x8021, "TAVELIN Q2 ", false}));

TEST_F(DetectionPassTest, ABurstOfDeviceChangesGivesOnePass100MsAfterTheLast) {
  WriteImage("fw.bin");
  OpenDialog();
  const int passes = dialog().DetectionPasses();
  window().PostDeviceChange();
  windows().DeliverPosted();
  windows().AdvanceTime(60);
  window().PostDeviceChange();
  windows().DeliverPosted();
  windows().AdvanceTime(99);
  EXPECT_EQ(dialog().DetectionPasses(), passes);
  windows().AdvanceTime(1);
  EXPECT_EQ(dialog().DetectionPasses(), passes + 1);
  EXPECT_FALSE(window().TimerInterval(ui::kDetectionTimer).has_value());
  windows().AdvanceTime(1000);
  EXPECT_EQ(dialog().DetectionPasses(), passes + 1);
}

TEST_F(DetectionPassTest, PlugAndUnplugAreFollowed) {
  WriteImage("fw.bin");
  bench().hid().Unplug(bench().cameraPath());
  OpenDialog();
  EXPECT_EQ(Text(ui::kStatusText), kEnglishPleaseConnect);
  EXPECT_FALSE(dialog().SessionOpen());
  bench().hid().Plug(bench().cameraPath());
  DeviceChangeAndWait();
  EXPECT_TRUE(dialog().SessionOpen());
  EXPECT_TRUE(Visible(ui::kUpdateButton));
  bench().hid().Unplug(bench().cameraPath());
  DeviceChangeAndWait();
  EXPECT_EQ(Text(ui::kStatusText), kEnglishPleaseConnect);
  EXPECT_FALSE(Visible(ui::kUpdateButton));
  EXPECT_FALSE(window().IsEnabled(ui::kUpdateButton));
}

TEST_F(DetectionPassTest, AChipOfTheOlderFamilyIsAskedToBeConnected) {
  // Register 0x0000 without any of the bits 0xB0: the older chip family.
  bench().camera()->chip().SetRegister(0x0000, 0x42);
  WriteImage("fw.bin");
  OpenDialog();
  EXPECT_EQ(dialog().ChipType(), 0);
  EXPECT_EQ(Text(ui::kStatusText), kEnglishPleaseConnect);
  EXPECT_FALSE(window().IsEnabled(ui::kUpdateButton));
}

TEST_F(DetectionPassTest, WithoutAnImageTheUserIsToldAndTheTitleStays) {
  std::filesystem::create_directory(directory() / "folder.bin");  // not a file
  OpenDialog();
  ASSERT_EQ(windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(windows().MessageBoxes()[0].text, "Firmware File open Error!!");
  EXPECT_EQ(windows().MessageBoxes()[0].caption, "TAVELIN Firmware Update Tool");
  EXPECT_EQ(window().Title(), "Tarn_Download_Tools");
  EXPECT_EQ(Text(ui::kStatusText), "Read eeprom OK.");
  EXPECT_FALSE(window().IsEnabled(ui::kUpdateButton));
  EXPECT_FALSE(Visible(ui::kUpdateButton));
}

TEST_F(DetectionPassTest, TakesTheFirstBinFileInSortedOrderWhateverItsCase) {
  WriteImage("b.bin", {0x0100, 3});
  WriteImage("A.BIN", {0x0105, 3});
  WriteImage("c.bin.old", {0x0200, 3});
  OpenDialog();
  EXPECT_EQ(dialog().FirmwarePath(), (directory() / "A.BIN").string());
  EXPECT_EQ(ui::Interface().imageFwVersion, 0x0105);
  EXPECT_TRUE(Visible(ui::kUpdateButton));
}

TEST_F(DetectionPassTest, AnUnreadableIdentityKeepsWhatTheLastReadFound) {
  WriteImage("fw.bin");
  OpenDialog();
  ASSERT_TRUE(Visible(ui::kUpdateButton));
  // Blank flash has no boot header: the identity read fails, and the pass goes on with the
  // camera as it was last read.
  std::vector<uint8_t>& memory = bench().camera()->flash().memory();
  std::fill(memory.begin(), memory.begin() + 0x10000, 0xFF);
  DeviceChangeAndWait();
  EXPECT_EQ(Text(ui::kStatusText),
            ui::UpdateAvailableText(ui::kEnglish, "TAVELIN Q2 ", 0x0105, 0x0102));
  EXPECT_EQ(dialog().ChipVariant(), 1);
  EXPECT_EQ(dialog().DeviceModelName(), "TAVELIN Q2 ");
}

}  // namespace
}  // namespace updater_testing
