// The Qt window layer, offscreen: a template shows with its texts, the ring's dots appear in
// the picture, posted messages and timers arrive, and a screenshot is saved.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <thread>

#include "ui/qt/qt_dialog.h"
#include "ui/text_table_a.h"

namespace {

namespace window = ui::window;

enum : int { kStatus = 1004, kButton = 1001, kRing = 1044, kLink = 1060, kProgress = 1002 };

window::DialogTemplate SmokeTemplate() {
  using window::ControlKind;
  window::DialogTemplate dialog;
  dialog.id = 102;
  dialog.width = 200;
  dialog.height = 150;
  dialog.caption = "Tarn_Download_Tools";
  dialog.font = {"Segoe UI", 110, false};
  dialog.controls = {
      {kStatus,
       ControlKind::Static,
       "Status Message",
       window::kVisible | window::kCentred,
       {16, 15, 165, 24}},
      {kButton, ControlKind::PushButton, "Update", window::kVisible, {76, 40, 70, 12}},
      {kRing, ControlKind::RingSurface, "", window::kVisible, {10, 60, 60, 60}},
      {kLink, ControlKind::Link, "", window::kVisible, {80, 60, 110, 20}},
      {kProgress,
       ControlKind::ProgressBar,
       "",
       window::kVisible | window::kBorder,
       {7, 130, 186, 10}},
  };
  return dialog;
}

class Recorder : public window::DialogHandler {
 public:
  void OnInitDialog(window::DialogWindow& window) override {
    window.SetText(kStatus, ui::kTextTableA[ui::kJapanese][ui::kStatusPleaseConnect]);
    window.SetText(kLink, "visit <a href=\"https://example.com/\">the page</a>");
    window.SetProgressRange(kProgress, 0, 16);
    window.SetProgressPosition(kProgress, 8);
  }
  void OnMessage(window::DialogWindow&, uint32_t, uint32_t wParam, int32_t lParam) override {
    received.push_back(static_cast<int>(wParam) * 1000 + lParam);
  }
  void OnTimer(window::DialogWindow&, int timerId) override {
    timers.push_back(timerId);
    if (loop != nullptr) loop->quit();
  }
  // A full repaint erases the ring; like the dialogs, this handler draws it again.
  void OnPaint(window::DialogWindow& window) override {
    if (!drawRing) return;
    window.Ring(kRing)->Clear({0.94f, 0.94f, 0.94f, 1});
    window.Ring(kRing)->FillEllipse(20, 20, 8, 8, {0.42f, 0.96f, 0.29f, 1});
  }
  bool drawRing = false;
  std::vector<int> received;
  std::vector<int> timers;
  QEventLoop* loop = nullptr;
};

TEST(QtWindowLayer, ACjkCapableFontIsInstalledForTheJapaneseTexts) {
  EXPECT_FALSE(QFontDatabase::families(QFontDatabase::Japanese).isEmpty());
}

TEST(QtWindowLayer, ShowsATemplateWithItsTextsAndRingAndSavesAScreenshot) {
  Recorder handler;
  ui::qt::QtDialog dialog(SmokeTemplate(), handler, nullptr);
  dialog.InitialiseAndShow();
  QApplication::processEvents();
  EXPECT_EQ(dialog.Text(kStatus), "を接続してください。");
  EXPECT_EQ(static_cast<QLabel*>(dialog.Widget(kLink))->text(),
            "visit <a href=\"https://example.com/\">the page</a>");

  ASSERT_NE(dialog.Ring(kRing), nullptr);
  EXPECT_EQ(dialog.Ring(kStatus), nullptr);
  handler.drawRing = true;
  dialog.Invalidate();
  QApplication::processEvents();

  const QImage picture = dialog.grab().toImage();
  const QPoint dot = dialog.Widget(kRing)->geometry().topLeft() + QPoint(20, 20);
  const QColor atDot = picture.pixelColor(dot);
  EXPECT_GT(atDot.green(), 200);
  EXPECT_LT(atDot.red(), 150);
  const QPoint beside = dialog.Widget(kRing)->geometry().topLeft() + QPoint(45, 45);
  EXPECT_EQ(picture.pixelColor(beside).rgb(), QColor::fromRgbF(0.94f, 0.94f, 0.94f, 1).rgb());

  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));
  EXPECT_TRUE(picture.save(QString(SCREENSHOT_DIR) + "/qt_smoke_template.png"));
}

TEST(QtWindowLayer, PostedMessagesArriveInOrderAndTimersFire) {
  Recorder handler;
  ui::qt::QtDialog dialog(SmokeTemplate(), handler, nullptr);
  dialog.InitialiseAndShow();
  std::thread worker([&dialog] {
    for (int i = 0; i < 100; ++i) dialog.Post(0x401, 1, i);
  });
  worker.join();
  QApplication::processEvents();
  ASSERT_EQ(handler.received.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(handler.received[i], 1000 + i);

  QEventLoop loop;
  handler.loop = &loop;
  QTimer::singleShot(2000, &loop, &QEventLoop::quit);  // a guard, not a wait
  dialog.SetTimer(1, 10);
  loop.exec();
  EXPECT_EQ(handler.timers, std::vector<int>{1});
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
