// Modal runs in the headless window system: scripted dialogs, message boxes and open-file
// dialogs, and a child dialog ended from its owner.

#include <gtest/gtest.h>

#include "tests/ui_window/recording_handler.h"
#include "ui/headless/headless_window_system.h"

namespace ui_window_test {
namespace {

using ui::headless::HeadlessDialog;
using ui::headless::HeadlessWindowSystem;

constexpr int kChildTemplate = 140;

class HeadlessModalTest : public ::testing::Test {
 protected:
  HeadlessWindowSystem system_;
  RecordingHandler main_;
  RecordingHandler child_;
};

TEST_F(HeadlessModalTest, AModalRunReturnsWhatTheScriptEndedItWith) {
  system_.ScriptDialog(102, [](HeadlessDialog& dialog) { dialog.EndDialog(7); });
  system_.ScriptDialog(102, [](HeadlessDialog& dialog) { dialog.Show(kHiddenButton, true); });
  EXPECT_EQ(system_.RunModal(TestTemplate(102), main_), 7);
  // A script that leaves the dialog running is a fault the result shows.
  EXPECT_EQ(system_.RunModal(TestTemplate(102), main_), -1);
  // Without a script the dialog is cancelled at once.
  EXPECT_EQ(system_.RunModal(TestTemplate(102), main_), window::kResultCancel);
  EXPECT_EQ(system_.ModalRuns(), (std::vector<int>{102, 102, 102}));
}

TEST_F(HeadlessModalTest, MessageBoxesAreRecordedAndTakeTheScriptedAnswers) {
  system_.AnswerMessageBox(window::kResultCancel);
  system_.AnswerMessageBox(window::kResultCancel);
  system_.ScriptDialog(102, [](HeadlessDialog& dialog) {
    const window::MessageBoxRequest question{"Firmware Download", "Continue?",
                                             window::MessageBoxButtons::OkCancel, true};
    const window::MessageBoxRequest notice{"TAVELIN Firmware Update Tool", "Done",
                                           window::MessageBoxButtons::Ok, false};
    // Cancel for the question; an OK-only box answers OK whatever was scripted.
    const int first = dialog.ShowMessageBox(question);
    const int second = dialog.ShowMessageBox(notice);
    const int third = dialog.ShowMessageBox(question);  // nothing scripted left: the default
    dialog.EndDialog(first * 100 + second * 10 + third);
  });
  EXPECT_EQ(system_.RunModal(TestTemplate(102), main_), 211);
  ASSERT_EQ(system_.MessageBoxes().size(), 3u);
  EXPECT_EQ(system_.MessageBoxes()[0].caption, "Firmware Download");
  EXPECT_TRUE(system_.MessageBoxes()[0].warningIcon);
  EXPECT_EQ(system_.MessageBoxes()[1].text, "Done");
}

TEST_F(HeadlessModalTest, OpenFileDialogsRecordTheirFilterAndAnswerFromTheScript) {
  system_.AnswerOpenFile("/home/user/fw.bin");
  system_.AnswerOpenFile(std::nullopt);
  auto dialog = system_.Open(TestTemplate(), main_);
  EXPECT_EQ(dialog->ShowOpenFileDialog("Firmware File(*.bin)|*.bin||"), "/home/user/fw.bin");
  EXPECT_EQ(dialog->ShowOpenFileDialog("Customer Txt File(*.txt)|*.txt||"), std::nullopt);
  EXPECT_EQ(dialog->ShowOpenFileDialog("x|*.x||"), std::nullopt);  // unscripted: cancelled
  EXPECT_EQ(system_.FileFilters(),
            (std::vector<std::string>{"Firmware File(*.bin)|*.bin||",
                                      "Customer Txt File(*.txt)|*.txt||", "x|*.x||"}));
}

TEST_F(HeadlessModalTest, AChildRunsModallyInsideItsOwnersHandlerAndReturnsItsResult) {
  int childResult = 0;
  main_.onCommand = [&](window::DialogWindow& window, int id) {
    if (id != kHiddenButton) return false;
    childResult = window.RunModalChild(TestTemplate(kChildTemplate), child_);
    return true;
  };
  system_.ScriptDialog(kChildTemplate, [](HeadlessDialog& child) {
    child.Show(kBrowse, false);  // no default button: Enter gives OK
    child.PressEnter();
  });
  system_.ScriptDialog(kChildTemplate, [](HeadlessDialog& child) { child.PressEscape(); });
  auto dialog = system_.Open(TestTemplate(), main_);
  dialog->Show(kHiddenButton, true);
  dialog->Click(kHiddenButton);
  EXPECT_EQ(childResult, window::kResultOk);
  dialog->Click(kHiddenButton);
  EXPECT_EQ(childResult, window::kResultCancel);
  EXPECT_FALSE(dialog->IsEnded());
}

TEST_F(HeadlessModalTest, TheOwnerCanEndTheChildFromANoticeWhileTheChildRuns) {
  window::DialogWindow* openChild = nullptr;
  child_.onInit = [&](window::DialogWindow& window) { openChild = &window; };
  main_.onDeviceChange = [&](window::DialogWindow&) {
    if (openChild != nullptr) openChild->EndDialog(0);
  };
  int childResult = -5;
  auto dialog = system_.Open(TestTemplate(), main_);
  system_.ScriptDialog(kChildTemplate, [&](HeadlessDialog&) {
    dialog->PostDeviceChange();  // the camera goes while the confirmation is open
    system_.DeliverPosted();
  });
  main_.onTimer = [&](window::DialogWindow& window, int) {
    childResult = window.RunModalChild(TestTemplate(kChildTemplate), child_);
  };
  dialog->SetTimer(3, 10);
  system_.AdvanceTime(10);
  EXPECT_EQ(childResult, 0);
  EXPECT_FALSE(dialog->IsEnded());
}

}  // namespace
}  // namespace ui_window_test
