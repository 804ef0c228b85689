// The main dialog's set-up and small handlers: the template, what initialisation hides and
// sets, the browse commands, the link, and the program's single copy.

#include <gtest/gtest.h>

#include "tests/support/mutex_holder.h"
#include "tests/updater/updater_fixture.h"
#include "ui/single_instance.h"
#include "ui/status_texts.h"
#include "ui/updater/main_dialog_template.h"
#include "ui/updater/updater_app.h"

namespace updater_testing {
namespace {

using MainDialogTest = UpdaterTest;

TEST(MainDialogTemplate, HoldsEveryControlWithItsRectangleAndStartVisibility) {
  const ui::window::DialogTemplate& dialog = ui::MainDialogTemplate();
  EXPECT_EQ(dialog.id, 102);
  EXPECT_EQ(dialog.width, 319);
  EXPECT_EQ(dialog.height, 344);
  EXPECT_EQ(dialog.caption, "Tarn_Download_Tools");
  EXPECT_EQ(dialog.font, (ui::window::FontDescription{"Segoe UI", 110, false}));
  EXPECT_EQ(dialog.controls.size(), 27u);
  struct Expected {
    int id;
    ui::window::DialogRect rect;
    bool visible;
    const char* text;
  };
  const Expected expected[] = {
      {1004, {16, 15, 165, 24}, true, "Status Message"},
      {1001, {76, 36, 70, 10}, false, "Update"},
      {1044, {49, 7, 101, 69}, false, ""},
      {1043, {62, 32, 62, 18}, false, "0 %"},
      {1045, {13, 80, 169, 33}, false, ""},
      {1060, {7, 7, 60, 14}, false, ""},
      {1002, {7, 178, 307, 10}, false, ""},
      {1008, {7, 73, 200, 10}, false, "Bin File Path"},
      {1000, {210, 73, 50, 10}, true, "Browse"},
      {1010, {7, 129, 117, 8}, false, "Backend  Path :"},
      {1015, {210, 149, 50, 10}, false, "Browse Txt"},
      {1016, {262, 149, 50, 10}, false, "Txt Make Bin"},
      {1022, {7, 209, 305, 116}, true, "This is child dlg anchor!"},
      {1019, {7, 327, 80, 10}, true, "Dump bin file"},
  };
  for (const Expected& e : expected) {
    const ui::window::ControlTemplate* control = dialog.Find(e.id);
    ASSERT_NE(control, nullptr) << e.id;
    EXPECT_EQ(control->rect, e.rect) << e.id;
    EXPECT_EQ((control->style & ui::window::kVisible) != 0, e.visible) << e.id;
    EXPECT_EQ(control->text, e.text) << e.id;
  }
}

TEST_F(MainDialogTest, InitialisationHidesTheEngineeringSetAndSetsItsDefaults) {
  WriteImage("fw.bin");
  OpenDialog(ui::kGerman);
  for (int id : {1000, 1003, 1011, 1021, 1010, 1012, 1013, 1018, 1020, 1019, 1060}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
  EXPECT_TRUE(Visible(ui::kPanelAnchor));  // never hidden, but outside the shrunken window
  EXPECT_EQ(Text(ui::kBackendAddress), "11000");
  EXPECT_EQ(Text(ui::kSensorAddress), "12000");
  EXPECT_EQ(Text(ui::kUpdateButton), "Aktualisieren");
  EXPECT_EQ(window().Title(), "TAVELIN Q2 Firmware aktualisieren");
  EXPECT_EQ(window().Font(ui::kPercentText), (ui::window::FontDescription{"Segoe UI", 250, true}));
  ASSERT_EQ(window().WindowIcon().size(), 6u);
  EXPECT_EQ(window().WindowIcon()[0].width, 256);
  EXPECT_EQ(window().WindowIcon()[5].width, 16);
  EXPECT_EQ(window().PositionX(), 0);
  EXPECT_EQ(window().PositionY(), 0);
}

TEST_F(MainDialogTest, ScaledLayoutsFollowTheScreensDotsPerInch) {
  windows().SetLogicalDpi(144);  // s = 1.5
  WriteImage("fw.bin");
  OpenDialog();
  EXPECT_EQ(window().Size(), (ui::window::PixelSize{690, 255}));
  EXPECT_EQ(window().Rect(ui::kStatusText), (ui::window::PixelRect{30, 22, 615, 105}));
}

TEST_F(MainDialogTest, BrowseSetsThePathOnlyWhenAFileIsChosen) {
  WriteImage("fw.bin");
  OpenDialog();
  const std::string found = dialog().FirmwarePath();
  window().Show(ui::kBrowseFirmware, true);
  windows().AnswerOpenFile(std::nullopt);
  ASSERT_TRUE(window().Click(ui::kBrowseFirmware));
  EXPECT_EQ(Text(ui::kFirmwarePath), found);
  windows().AnswerOpenFile("/media/usb/other.bin");
  window().Click(ui::kBrowseFirmware);
  EXPECT_EQ(Text(ui::kFirmwarePath), "/media/usb/other.bin");
  EXPECT_EQ(windows().FileFilters().back(), "Firmware File(*.bin)|*.bin||");
}

TEST_F(MainDialogTest, TheOtherModelLinkOpensTheDownloadPage) {
  WriteImage("fw.bin", {0x0105, 0x8021});
  OpenDialog();
  ASSERT_TRUE(window().ClickLink(ui::kDownloadLink));
  ASSERT_EQ(windows().OpenedUrls().size(), 1u);
  EXPECT_EQ(windows().OpenedUrls()[0], std::string(ui::kDownloadPageAddress));
}

TEST_F(MainDialogTest, WithoutAJobEscapeClosesTheWindow) {
  WriteImage("fw.bin");
  OpenDialog();
  EXPECT_TRUE(window().PressEscape());
  EXPECT_TRUE(window().IsEnded());
  EXPECT_EQ(window().Result(), ui::window::kResultCancel);
}

ui::WindowSystemFactory CountingFactory(int& made) {
  return [&made] {
    ++made;
    return std::make_unique<ui::headless::HeadlessWindowSystem>();
  };
}

TEST_F(MainDialogTest, ASecondCopyEndsAtOnceWithoutTouchingTheToolkit) {
  WriteImage("fw.bin");
  int made = 0;
  ui::UpdaterHooks hooks;
  hooks.currentDirectory = [this] { return directory().string(); };
  {
    // Another process holds the lock.
    const std::string name = ui::SingleInstanceMutexName(ui::ReadSessionEnvironment());
    testing_support::MutexHolder other(name);
    ASSERT_TRUE(other.started());
    ui::CTarn_Download_OnlyApp second(CountingFactory(made), hooks);
    EXPECT_FALSE(second.InitInstance());
    EXPECT_TRUE(second.EndedAsSecondCopy());
    EXPECT_EQ(made, 0);
  }
  // With the other copy gone the tool starts, runs its dialog (Escape) and ends.
  ui::CTarn_Download_OnlyApp first(CountingFactory(made), hooks);
  EXPECT_FALSE(first.InitInstance());
  EXPECT_FALSE(first.EndedAsSecondCopy());
  EXPECT_EQ(made, 1);
}

}  // namespace
}  // namespace updater_testing
