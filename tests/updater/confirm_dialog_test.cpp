// The confirmation before an update: its texts in the user's language, Escape as Cancel, and
// the camera going away while it is open.

#include "ui/updater/confirm_dialog.h"

#include <gtest/gtest.h>

#include "tests/updater/updater_fixture.h"
#include "transfer/engine.h"
#include "ui/updater/confirm_dialog_template.h"
#include "ui/updater/main_dialog_template.h"

namespace updater_testing {
namespace {

using ConfirmDialogTest = UpdaterTest;
using ui::headless::HeadlessDialog;

struct ConfirmTexts {
  std::string heading, warning, ok, cancel;
  std::optional<ui::window::FontDescription> headingFont;
  int pictureSize = 0;
  int pictureWidth = 0;
};

TEST_F(ConfirmDialogTest, ShowsItsTextsInTheUsersLanguage) {
  struct Case {
    ui::Language language;
    const char* heading;
    const char* warning;
    const char* ok;
    const char* cancel;
  };
  const Case cases[] = {
      {ui::kEnglish, "Ready to proceed?",
       "Please do not disconnect your TAVELIN Q2 or power off your computer during the process.",
       "OK", "Cancel"},
      {ui::kJapanese, "アップデートを始めますか？",
       "アップデート中に TAVELIN Q2 の接続解除とパソコンのシャットダウンをしないでください。",
       "はい", "いいえ"},
      {ui::kFrench, "Prêt à continuer?",
       "Veuillez ne pas déconnecter votre TAVELIN Q2 ou éteindre votre ordinateur pendant le "
       "processus d’intallation.",
       "OK", "Annuler"},
  };
  WriteImage("fw.bin");
  for (const Case& c : cases) {
    OpenDialog(c.language);
    ConfirmTexts seen;
    windows().ScriptDialog(ui::kConfirmDialogTemplateId, [&seen](HeadlessDialog& box) {
      seen = {box.Text(ui::kConfirmHeadingText),
              box.Text(ui::kConfirmWarningText),
              box.Text(ui::kConfirmOkButton),
              box.Text(ui::kConfirmCancelButton),
              box.Font(ui::kConfirmHeadingText),
              box.PictureSize(ui::kConfirmPicture),
              box.PictureOf(ui::kConfirmPicture) ? box.PictureOf(ui::kConfirmPicture)->width : 0};
      box.Click(ui::kConfirmCancelButton);
    });
    ASSERT_TRUE(window().Click(ui::kUpdateButton));
    EXPECT_EQ(seen.heading, c.heading);
    EXPECT_EQ(seen.warning, c.warning);
    EXPECT_EQ(seen.ok, c.ok);
    EXPECT_EQ(seen.cancel, c.cancel);
    EXPECT_EQ(seen.headingFont, (ui::window::FontDescription{"Segoe UI", 130, true}));
    EXPECT_EQ(seen.pictureSize, 96);
    EXPECT_EQ(seen.pictureWidth, 256);
  }
  EXPECT_FALSE(transfer::JobRunning());
}

TEST_F(ConfirmDialogTest, TheTemplateIsACaptionlessPopup) {
  const ui::window::DialogTemplate& dialog = ui::ConfirmDialogTemplate();
  EXPECT_EQ(dialog.frame, ui::window::FrameKind::Popup);
  EXPECT_EQ(dialog.width, 172);
  EXPECT_EQ(dialog.height, 111);
  ASSERT_NE(dialog.Find(ui::kConfirmOkButton), nullptr);
  EXPECT_NE(dialog.Find(ui::kConfirmOkButton)->style & ui::window::kDefaultButton, 0u);
  EXPECT_EQ(dialog.Find(ui::kConfirmWarningText)->rect, (ui::window::DialogRect{13, 59, 143, 27}));
}

TEST_F(ConfirmDialogTest, EscapeActsAsCancel) {
  WriteImage("fw.bin");
  OpenDialog();
  int result = 0;
  windows().ScriptDialog(ui::kConfirmDialogTemplateId, [&result](HeadlessDialog& box) {
    box.PressEscape();
    result = box.Result().value_or(-1);
  });
  window().Click(ui::kUpdateButton);
  EXPECT_EQ(result, ui::window::kResultCancel);
  EXPECT_FALSE(transfer::JobRunning());
  EXPECT_TRUE(Visible(ui::kStatusText));
}

TEST_F(ConfirmDialogTest, UnpluggingTheCameraClosesItWithoutAnUpdate) {
  WriteImage("fw.bin");
  OpenDialog();
  std::optional<int> result;
  bool openWhileShown = false;
  windows().ScriptDialog(ui::kConfirmDialogTemplateId, [&](HeadlessDialog& box) {
    openWhileShown = ui::TheConfirmationDialog().IsOpen();
    bench().hid().Unplug(bench().cameraPath());
    window().PostDeviceChange();
    windows().DeliverPosted();
    windows().AdvanceTime(ui::kDetectionDelayMs);
    result = box.Result();
  });
  window().Click(ui::kUpdateButton);
  EXPECT_TRUE(openWhileShown);
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(ui::TheConfirmationDialog().IsOpen());
  EXPECT_FALSE(transfer::JobRunning());
  EXPECT_EQ(Text(ui::kStatusText), "Please connect your TAVELIN Q2.");
}

}  // namespace
}  // namespace updater_testing
