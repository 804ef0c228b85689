// One headless dialog: controls from the template, user actions, timers, posted messages,
// painting and data exchange.

#include <gtest/gtest.h>

#include <thread>

#include "tests/ui_window/recording_handler.h"
#include "ui/headless/headless_window_system.h"
#include "ui/window/text_exchange.h"

namespace ui_window_test {
namespace {

using ui::headless::HeadlessDialog;
using ui::headless::HeadlessWindowSystem;
using Calls = std::vector<std::string>;

class HeadlessDialogTest : public ::testing::Test {
 protected:
  HeadlessDialog& Open() {
    dialog_ = system_.Open(template_, handler_);
    return *dialog_;
  }
  HeadlessWindowSystem system_;
  window::DialogTemplate template_ = TestTemplate();
  RecordingHandler handler_;
  std::unique_ptr<HeadlessDialog> dialog_;
};

TEST_F(HeadlessDialogTest, ControlsStartAsTheTemplateSaysWithPixelRectangles) {
  system_.SetFontMetrics({7, 15});
  HeadlessDialog& dialog = Open();
  EXPECT_EQ(handler_.calls, Calls{"init"});
  EXPECT_EQ(dialog.Title(), "Template caption");
  EXPECT_EQ(dialog.Text(kStatus), "Status Message");
  EXPECT_TRUE(dialog.IsVisible(kStatus));
  EXPECT_FALSE(dialog.IsVisible(kHiddenButton));
  EXPECT_TRUE(dialog.IsEnabled(kHiddenButton));
  EXPECT_EQ(dialog.Rect(kStatus), (window::PixelRect{28, 28, 289, 45}));
  EXPECT_EQ(dialog.Size(), (window::PixelSize{175, 150}));
  // Ids the template lacks are ignored.
  dialog.SetText(4711, "x");
  EXPECT_EQ(dialog.Text(4711), "");
  EXPECT_EQ(dialog.Ring(kStatus), nullptr);
  EXPECT_NE(dialog.Ring(kRing), nullptr);
}

TEST_F(HeadlessDialogTest, ScaleFactorFollowsTheScreensDpi) {
  system_.SetLogicalDpi(144);
  EXPECT_DOUBLE_EQ(Open().ScaleFactor(), 1.5);
}

TEST_F(HeadlessDialogTest, OnlyVisibleEnabledButtonsCanBeClicked) {
  HeadlessDialog& dialog = Open();
  EXPECT_FALSE(dialog.Click(kHiddenButton));
  dialog.Show(kHiddenButton, true);
  dialog.Enable(kHiddenButton, false);
  EXPECT_FALSE(dialog.Click(kHiddenButton));
  dialog.Enable(kHiddenButton, true);
  EXPECT_TRUE(dialog.Click(kHiddenButton));
  EXPECT_FALSE(dialog.Click(kStatus));  // a static is no button
  EXPECT_EQ(handler_.calls, (Calls{"init", "command 1001"}));
}

TEST_F(HeadlessDialogTest, ACheckBoxToggles) {
  HeadlessDialog& dialog = Open();
  dialog.Click(kCheck);
  EXPECT_TRUE(dialog.IsChecked(kCheck));
  dialog.Click(kCheck);
  EXPECT_FALSE(dialog.IsChecked(kCheck));
}

TEST_F(HeadlessDialogTest, OkAndCancelNobodyTakesEndTheDialog) {
  HeadlessDialog& dialog = Open();
  handler_.onCommand = [](window::DialogWindow&, int id) { return id == window::kResultCancel; };
  dialog.PressEscape();  // taken: stays open
  EXPECT_FALSE(dialog.IsEnded());
  dialog.PressEnter();  // the default button is Browse, which ends nothing
  EXPECT_FALSE(dialog.IsEnded());
  dialog.Show(kBrowse, false);
  dialog.PressEnter();  // no default button left: OK
  EXPECT_EQ(dialog.Result(), window::kResultOk);
  EXPECT_EQ(handler_.calls, (Calls{"init", "command 2", "command 1000", "command 1"}));
  // An ended dialog takes no more input.
  EXPECT_FALSE(dialog.Click(kCheck));
}

TEST_F(HeadlessDialogTest, TimersFireOnTheVirtualClockAndRestartWhenSetAgain) {
  HeadlessDialog& dialog = Open();
  dialog.SetTimer(1, 100);
  system_.AdvanceTime(99);
  dialog.SetTimer(1, 100);
  system_.AdvanceTime(99);
  EXPECT_EQ(handler_.calls, Calls{"init"});
  system_.AdvanceTime(1);
  EXPECT_EQ(handler_.calls, (Calls{"init", "timer 1"}));
  EXPECT_EQ(dialog.TimerInterval(1), 100u);
  dialog.KillTimer(1);
  system_.AdvanceTime(1000);
  EXPECT_EQ(handler_.calls.size(), 2u);
  EXPECT_FALSE(dialog.TimerInterval(1).has_value());
}

TEST_F(HeadlessDialogTest, PostedMessagesFromOtherThreadsArriveInOrderOnDelivery) {
  HeadlessDialog& dialog = Open();
  std::thread worker([&dialog] {
    for (int i = 0; i < 200; ++i) dialog.Post(0x401, 1, i);
    dialog.PostDeviceChange();
    dialog.Post(0x401, 10, -1);
  });
  worker.join();
  EXPECT_EQ(handler_.calls, Calls{"init"});  // nothing before the test delivers
  EXPECT_EQ(system_.DeliverPosted(), 202);
  ASSERT_EQ(handler_.calls.size(), 203u);
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(handler_.calls[1 + i], "message 1025 1 " + std::to_string(i));
  }
  EXPECT_EQ(handler_.calls[201], "device change");
  EXPECT_EQ(handler_.calls[202], "message 1025 10 -1");
}

TEST_F(HeadlessDialogTest, MessagesToAWindowThatIsGoneAreLost) {
  HeadlessDialog& dialog = Open();
  dialog.Post(0x401, 0, 0);
  dialog_.reset();
  EXPECT_EQ(system_.DeliverPosted(), 0);
}

TEST_F(HeadlessDialogTest, ARepaintErasesTheRingBeforeThePaintHandlerRuns) {
  HeadlessDialog& dialog = Open();
  window::RingSurface* ring = dialog.Ring(kRing);
  const window::Colour green{0.42f, 0.96f, 0.29f, 1};
  ring->Clear({0.94f, 0.94f, 0.94f, 1});
  ring->FillEllipse(87, 5, 4, 4, green);
  ring->FillEllipse(90, 5, 4, 4, green);
  ASSERT_EQ(dialog.RingOf(kRing)->Dots().size(), 2u);
  EXPECT_FLOAT_EQ(dialog.RingOf(kRing)->Dots()[1].centreX, 90);
  EXPECT_EQ(*dialog.RingOf(kRing)->Background(), (window::Colour{0.94f, 0.94f, 0.94f, 1}));

  size_t dotsSeenByPaint = 99;
  handler_.onPaint = [&](window::DialogWindow&) {
    dotsSeenByPaint = dialog.RingOf(kRing)->Dots().size();
  };
  dialog.Invalidate();
  EXPECT_EQ(dotsSeenByPaint, 99u);  // a repaint waits for the message loop
  system_.DeliverPosted();
  EXPECT_EQ(dotsSeenByPaint, 0u);
  system_.DeliverPosted();
  EXPECT_EQ(handler_.calls, (Calls{"init", "paint"}));  // once per invalidation
}

TEST_F(HeadlessDialogTest, LinkClicksReportTheAnchorsAddress) {
  HeadlessDialog& dialog = Open();
  dialog.SetText(kLink, "see <a href=\"https://example.com/\">here</a>");
  EXPECT_FALSE(dialog.ClickLink(kLink));  // hidden
  dialog.Show(kLink, true);
  EXPECT_TRUE(dialog.ClickLink(kLink));
  dialog.SetText(kLink, "no anchor");
  EXPECT_FALSE(dialog.ClickLink(kLink));
  EXPECT_EQ(handler_.calls, (Calls{"init", "link 1060 https://example.com/"}));
  dialog.OpenUrl("https://example.com/");
  EXPECT_EQ(system_.OpenedUrls(), std::vector<std::string>{"https://example.com/"});
}

TEST_F(HeadlessDialogTest, ProgressBarKeepsItsPositionInsideItsRange) {
  HeadlessDialog& dialog = Open();
  dialog.SetProgressRange(kProgress, 0, 16);
  dialog.SetProgressPosition(kProgress, 17);
  EXPECT_EQ(dialog.ProgressPosition(kProgress), 16);
  dialog.SetProgressPosition(kProgress, -1);
  EXPECT_EQ(dialog.ProgressPosition(kProgress), 0);
  dialog.SetProgressPosition(kProgress, 5);
  EXPECT_EQ(dialog.ProgressPosition(kProgress), 5);
  EXPECT_EQ(dialog.ProgressHigh(kProgress), 16);
}

TEST_F(HeadlessDialogTest, WindowAndControlGeometryAndFontsReadBack) {
  HeadlessDialog& dialog = Open();
  dialog.Move(kStatus, {1, 2, 3, 4});
  dialog.Resize({400, 300});
  dialog.MoveTo(0, 0);
  dialog.SetFont(kStatus, {"Segoe UI Bold", 250, true});
  dialog.SetTitle("TAVELIN Q2 Firmware Update");
  EXPECT_EQ(dialog.Rect(kStatus), (window::PixelRect{1, 2, 3, 4}));
  EXPECT_EQ(dialog.Size(), (window::PixelSize{400, 300}));
  EXPECT_EQ(dialog.Font(kStatus), (window::FontDescription{"Segoe UI Bold", 250, true}));
  EXPECT_FALSE(dialog.Font(kCheck).has_value());
  EXPECT_EQ(dialog.Title(), "TAVELIN Q2 Firmware Update");
}

TEST_F(HeadlessDialogTest, PushCopiesMembersToControlsAndPullCopiesThemBack) {
  HeadlessDialog& dialog = Open();
  std::string status = "Please connect your";
  bool dump = true;
  window::TextExchange exchange;
  exchange.BindText(kStatus, status);
  exchange.BindCheck(kCheck, dump);
  exchange.Push(dialog);
  EXPECT_EQ(dialog.Text(kStatus), "Please connect your");
  EXPECT_TRUE(dialog.IsChecked(kCheck));
  dialog.SetText(kStatus, "changed");
  dialog.Click(kCheck);
  exchange.Pull(dialog);
  EXPECT_EQ(status, "changed");
  EXPECT_FALSE(dump);
}

}  // namespace
}  // namespace ui_window_test
