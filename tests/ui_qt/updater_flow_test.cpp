// The updater program on Qt, offscreen, against the simulated camera: the whole flow from
// "please connect" through the confirmation, the ring and the completion text to "up to date"
// after a reconnect, the other model's link, the status screen in other languages, and the
// built product ending at once as a second copy. Each arrangement is saved as a screenshot
// and its texts are checked to fit their controls.
//
// The program runs its own modal loops, so each test hands it a script of steps: a timer polls
// the windows, and when a step's condition holds its action runs (a screenshot, a click, a
// plug) and the next step is waited for.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/flash_layout.h"
#include "platform/linux/linux_named_mutex.h"
#include "platform/services.h"
#include "sim/factory_contents.h"
#include "sim/sim_bench.h"
#include "tests/support/isolated_mutexes.h"
#include "tests/support/run_tool.h"
#include "transfer/engine.h"
#include "transfer/image_builder.h"
#include "ui/programs/paced_hid_system.h"
#include "ui/programs/simulated_camera_window.h"
#include "ui/qt/qt_dialog.h"
#include "ui/qt/qt_window_system.h"
#include "ui/single_instance.h"
#include "ui/status_texts.h"
#include "ui/text_table_a.h"
#include "ui/updater/confirm_dialog_template.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog_template.h"
#include "ui/updater/updater_app.h"

namespace {

namespace window = ui::window;
using ui::qt::QtDialog;

// Slow enough that the ring is seen between its ends, quick enough for a short test.
constexpr std::chrono::microseconds kPausePerTransfer{20};
constexpr int kPollMs = 10;
constexpr int kStepTimeoutMs = 20000;
constexpr int kUpdateTimeoutMs = 60000;
constexpr const char* kModel = "TAVELIN Q2";
constexpr const char* kDeviceModel = "TAVELIN Q2 ";  // as the camera names itself

// Records the addresses the desktop is asked to open, in place of a browser.
class UrlRecorder : public QObject {
  Q_OBJECT

 public slots:
  void open(const QUrl& url) { opened.push_back(url.toString().toStdString()); }

 public:
  std::vector<std::string> opened;
};

// --- The windows of the program under test. ---

// The main dialog: the top-level QtDialog with the status text.
QtDialog* MainDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = dynamic_cast<QtDialog*>(widget);
    if (dialog != nullptr && dialog->parentWidget() == nullptr && dialog->isVisible() &&
        dialog->Widget(ui::kStatusText) != nullptr) {
      return dialog;
    }
  }
  return nullptr;
}

// The confirmation while it runs modally.
QtDialog* Confirmation() {
  auto* dialog = dynamic_cast<QtDialog*>(QApplication::activeModalWidget());
  return dialog != nullptr && dialog->isVisible() &&
                 dialog->Widget(ui::kConfirmWarningText) != nullptr
             ? dialog
             : nullptr;
}

// Clicks from the event loop, not from inside the poll: the click may start a modal run.
void ClickLater(QtDialog& dialog, int controlId) {
  auto* button = qobject_cast<QAbstractButton*>(dialog.Widget(controlId));
  ASSERT_NE(button, nullptr) << "control " << controlId << " is no button";
  QTimer::singleShot(0, button, [button] { button->click(); });
}

void CloseLater(QtDialog& dialog) {
  QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });
}

// The widest line of a label's text as shown, in pixels.
int WidestLine(const QLabel& label) {
  const QString shown = label.textFormat() == Qt::RichText
                            ? QTextDocumentFragment::fromHtml(label.text()).toPlainText()
                            : label.text();
  int widest = 0;
  for (const QString& line : shown.split('\n')) {
    widest = std::max(widest, label.fontMetrics().horizontalAdvance(line));
  }
  return widest;
}

// Every visible text of the dialog fits its control: wrapped texts need no more lines than the
// control's height holds, single-line ones and button captions no more than its width. And no
// text is cut by the window's edge: a control that crosses it may do so only with the empty
// end of a left-aligned text (the engineering controls wholly outside the shrunken window are
// not seen at all).
void ExpectTextsFit(QtDialog& dialog, const window::DialogTemplate& source,
                    const std::string& arrangement) {
  const QRect client = dialog.rect();
  for (const window::ControlTemplate& control : source.controls) {
    QWidget* widget = dialog.Widget(control.id);
    if (widget == nullptr || !widget->isVisibleTo(&dialog)) continue;
    const std::string where = arrangement + ", control " + std::to_string(control.id);
    const QRect geometry = widget->geometry();
    const bool crossesTheEdge = client.intersects(geometry) && !client.contains(geometry);
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || label->text().isEmpty()) {
      EXPECT_FALSE(crossesTheEdge && qobject_cast<QAbstractButton*>(widget) != nullptr)
          << where << " is cut by the window's edge";
    } else {
      const std::string text = label->text().toStdString();
      if (crossesTheEdge) {
        EXPECT_TRUE((label->alignment() & Qt::AlignLeft) != 0 && geometry.top() >= 0 &&
                    geometry.bottom() <= client.bottom() &&
                    geometry.left() + WidestLine(*label) <= client.right())
            << where << ": \"" << text << "\" is cut by the window's edge";
      }
      if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << where << ": \"" << text << "\" is cut at the bottom";
      } else {
        EXPECT_LE(label->sizeHint().width(), label->width())
            << where << ": \"" << text << "\" is cut at the side";
        EXPECT_LE(label->fontMetrics().height(), label->height())
            << where << ": \"" << text << "\" is cut at the bottom";
      }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      const QFontMetrics metrics(button->font());
      const std::string caption = button->text().toStdString();
      EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
          << where << ": the caption \"" << caption << "\" is cut";
      EXPECT_LE(metrics.height(), button->height())
          << where << ": the caption \"" << caption << "\" is cut";
    }
  }
}

void SaveScreenshot(QWidget& widget, const std::string& name) {
  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));
  const QString path =
      QString(SCREENSHOT_DIR) + "/updater_" + QString::fromStdString(name) + ".png";
  EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
}

// Pixels of the ring's progress colour in the ring control.
int ProgressDots(QtDialog& dialog) {
  QWidget* ring = dialog.Widget(ui::kRingSurface);
  const QImage picture = ring->grab().toImage();
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor colour = picture.pixelColor(x, y);
      if (colour.green() > 200 && colour.red() < 150 && colour.blue() < 120) ++count;
    }
  }
  return count;
}

// The percent the dialog shows, -1 when it shows none.
int ShownPercent(QtDialog& dialog) {
  const QString text = QString::fromStdString(dialog.Text(ui::kPercentText)).remove('%').trimmed();
  bool number = false;
  const int percent = text.toInt(&number);
  return number ? percent : -1;
}

// --- The script. ---

struct Step {
  std::string waitingFor;       // for the failure message
  std::function<bool()> ready;  // polled on the user-interface thread
  std::function<void()> act;    // once, when ready
  int timeoutMs = kStepTimeoutMs;
};

class Script {
 public:
  explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  }
  // Starts polling; the program's modal run does the rest.
  void Start() {
    sinceStep_.start();
    timer_.start(kPollMs);
  }
  bool Done() const { return next_ == steps_.size(); }
  const std::string& failure() const { return failure_; }

 private:
  void Poll() {
    if (!failure_.empty()) return BailOut();
    // A message box nobody scripted is a failure: it would wait for a person.
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      failure_ = "an unexpected message box: " + box->text().toStdString();
      return BailOut();
    }
    if (Done()) return;
    Step& step = steps_[next_];
    if (step.ready()) {
      ++next_;
      sinceStep_.restart();
      step.act();
    } else if (sinceStep_.elapsed() > step.timeoutMs) {
      QtDialog* main = MainDialog();
      failure_ = "timed out waiting for " + step.waitingFor + "; the status says \"" +
                 (main != nullptr ? main->Text(ui::kStatusText) : std::string("(no window)")) +
                 "\", the ring text \"" +
                 (main != nullptr ? main->Text(ui::kRingText) : std::string()) + "\"";
      BailOut();
    }
  }

  // Ends whatever runs so that the program returns: message boxes and the confirmation first,
  // the main window once no job runs.
  void BailOut() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->done(QMessageBox::Ok);
    } else if (QtDialog* confirmation = Confirmation()) {
      confirmation->EndDialog(window::kResultCancel);
    } else if (QtDialog* main = MainDialog(); main != nullptr && !transfer::JobRunning()) {
      main->EndDialog(window::kResultCancel);
    }
  }

  std::vector<Step> steps_;
  size_t next_ = 0;
  QTimer timer_;
  QElapsedTimer sinceStep_;
  std::string failure_;
};

// --- The fixture: the simulated camera, paced, and the image beside the program. ---

sim::SimBench::Options BenchOptions() {
  sim::SimBench::Options options;
  options.mutexes = &testing_support::IsolatedMutexes();
  // Virtual time must move with the transfers: the flash's busy times end only so.
  options.latencyMs = 1;
  return options;
}

class UpdaterOnQt : public ::testing::Test {
 protected:
  UpdaterOnQt() : bench_(BenchOptions()), paced_(bench_.hid(), kPausePerTransfer) {
    platform::Services services = platform::CurrentServices();
    services.hid = &paced_;
    platform::InstallServices(services);
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tavelin-updater-qt-XXXXXX").string();
    EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    transfer::ImageRecipe recipe;
    recipe.identity = sim::FactoryIdentity();
    recipe.identity.fwVersion = 0x0105;
    recipe.identity.pid = sim::kSimProductIdQ2;
    std::string problem;
    EXPECT_TRUE(transfer::BuildImage(recipe, image_, problem)) << problem;
    EXPECT_TRUE(
        transfer::WriteImageFile((directory_ / "tavelin-q2-0105.bin").string(), image_, problem))
        << problem;
  }

  ~UpdaterOnQt() override {
    transfer::WaitForWorkerToEnd();
    transfer::ResetEngineForTests();
    ui::ResetInterfaceDataForTests();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  // Runs the program until its main window closes, with the script driving it.
  void RunUpdater(ui::Language language, std::vector<Step> steps) {
    ui::UpdaterHooks hooks;
    hooks.chooseLanguage = [language] { return language; };
    hooks.currentDirectory = [this] { return directory_.string(); };
    // The demo's camera window beside it, as in the demo: it reads the flash while the update
    // writes it, and its buttons plug and unplug the camera.
    hooks.mainWindowReady = [this](window::DialogWindow& window) {
      mainWindow_ = &window;
      cameraWindow_ = std::make_unique<ui::demo::SimulatedCameraWindow>(bench_, paced_, window);
      cameraWindow_->show();
    };
    hooks.mainWindowClosed = [this] {
      mainWindow_ = nullptr;
      cameraWindow_.reset();
    };
    ui::CTarn_Download_OnlyApp app([] { return std::make_unique<ui::qt::QtWindowSystem>(); },
                                   std::move(hooks));
    Script script(std::move(steps));
    script.Start();
    EXPECT_FALSE(app.InitInstance());
    EXPECT_FALSE(app.EndedAsSecondCopy());
    EXPECT_EQ(script.failure(), "");
    EXPECT_TRUE(script.Done()) << "the program ended before its script";
    EXPECT_EQ(mainWindow_, nullptr) << "the main window's end was not told";
  }

  // A click on one of the camera window's buttons ("Unplug", "Plug").
  void ClickCameraButton(const QString& caption) {
    ASSERT_NE(cameraWindow_, nullptr);
    for (QPushButton* button : cameraWindow_->findChildren<QPushButton*>()) {
      if (button->text() == caption) {
        EXPECT_TRUE(button->isEnabled()) << caption.toStdString();
        button->click();
        return;
      }
    }
    ADD_FAILURE() << "the camera window has no button " << caption.toStdString();
  }
  // The camera window's line about the flash.
  std::string CameraFirmwareLine() const {
    for (QLabel* label : cameraWindow_->findChildren<QLabel*>()) {
      if (label->text().startsWith("Firmware in its flash")) return label->text().toStdString();
    }
    return {};
  }
  void SetCameraProductId(uint16_t pid) {
    CameraIdentity identity = sim::FactoryIdentity();
    identity.pid = pid;
    ASSERT_TRUE(WriteBootConfig(bench_.camera()->flash().memory(), sim::FactoryBootHeader(),
                                MakeUserDataBlock(identity)));
  }

  // The main window's status, with the Update button shown or not.
  static std::function<bool()> StatusIs(std::string text, bool updateButton) {
    return [text = std::move(text), updateButton] {
      QtDialog* main = MainDialog();
      return main != nullptr && main->Text(ui::kStatusText) == text &&
             main->IsVisible(ui::kUpdateButton) == updateButton;
    };
  }

  // A screenshot of the main window in this arrangement, and its texts checked.
  static void Capture(const std::string& arrangement) {
    QtDialog* main = MainDialog();
    ASSERT_NE(main, nullptr);
    ExpectTextsFit(*main, ui::MainDialogTemplate(), arrangement);
    SaveScreenshot(*main, arrangement);
  }

  // The flash holds the image's payload: flash address a is file offset a + 4.
  void ExpectFlashHoldsTheImage() {
    const std::vector<uint8_t>& flash = bench_.camera()->flash().memory();
    const size_t payload = image_.size() - transfer::kImageChecksumSize;
    ASSERT_GE(flash.size(), payload);
    const auto [inFlash, inImage] =
        std::mismatch(flash.begin(), flash.begin() + static_cast<std::ptrdiff_t>(payload),
                      image_.begin() + transfer::kImageChecksumSize);
    EXPECT_EQ(inFlash, flash.begin() + static_cast<std::ptrdiff_t>(payload))
        << "the flash differs from the image at 0x" << std::hex << (inFlash - flash.begin());
  }

  sim::SimBench bench_;
  ui::demo::PacedHidSystem paced_;
  std::filesystem::path directory_;
  std::vector<uint8_t> image_;
  window::DialogWindow* mainWindow_ = nullptr;
  std::unique_ptr<ui::demo::SimulatedCameraWindow> cameraWindow_;
};

TEST_F(UpdaterOnQt, UpdatesTheCameraFromPleaseConnectToUpToDateAfterAReconnect) {
  const ui::Language en = ui::kEnglish;
  bench_.hid().Unplug(bench_.cameraPath());  // the first pass finds no camera
  int dotsMidway = 0;
  std::vector<Step> steps = {
      {"the please-connect text", StatusIs(ui::PleaseConnectText(en, kModel), false),
       [&] {
         Capture("please_connect");
         ClickCameraButton("Plug");
       }},
      {"the update-available text with the Update button",
       StatusIs(ui::UpdateAvailableText(en, kDeviceModel, 0x0105, 0x0102), true),
       [&] {
         Capture("update_available");
         QtDialog* main = MainDialog();
         EXPECT_TRUE(main->IsEnabled(ui::kUpdateButton));
         ClickLater(*main, ui::kUpdateButton);
       }},
      {"the confirmation", [] { return Confirmation() != nullptr; },
       [] {
         QtDialog& confirmation = *Confirmation();
         EXPECT_EQ(confirmation.Text(ui::kConfirmWarningText),
                   ui::ConfirmationWarningText(ui::kEnglish, kModel));
         ExpectTextsFit(confirmation, ui::ConfirmDialogTemplate(), "confirmation");
         SaveScreenshot(confirmation, "confirmation");
         ClickLater(confirmation, ui::kConfirmOkButton);
       }},
      {"the ring between a quarter and three quarters",
       [] {
         QtDialog* main = MainDialog();
         if (main == nullptr || Confirmation() != nullptr || !transfer::JobRunning()) return false;
         const int percent = ShownPercent(*main);
         return main->IsVisible(ui::kRingSurface) && percent >= 40 && percent <= 75;
       },
       [&] {
         QtDialog* main = MainDialog();
         EXPECT_FALSE(main->IsVisible(ui::kStatusText));
         EXPECT_FALSE(main->IsVisible(ui::kUpdateButton));
         EXPECT_EQ(main->Text(ui::kRingText), ui::kTextTableA[ui::kEnglish][ui::kRingInProgress]);
         dotsMidway = ProgressDots(*main);
         EXPECT_GT(dotsMidway, 0) << "no dot of the ring is drawn";
         // The ring's cleared surface meets the window without a seam.
         const QImage picture = main->grab().toImage();
         const QRect ring = main->Widget(ui::kRingSurface)->geometry();
         EXPECT_EQ(picture.pixel(ring.topLeft() + QPoint(2, 2)),
                   picture.pixel(ring.topLeft() + QPoint(-2, 2)));
         Capture("progress");
       },
       kUpdateTimeoutMs},
      {"the completion text with the job ended",
       [] {
         QtDialog* main = MainDialog();
         return main != nullptr && !transfer::JobRunning() &&
                main->Text(ui::kRingText) ==
                    "Firmware update completed. Current firmware version: v0105. Please "
                    "disconnect and reconnect your TAVELIN Q2 .";
       },
       [&] {
         QtDialog* main = MainDialog();
         EXPECT_EQ(ShownPercent(*main), 100);
         EXPECT_GT(ProgressDots(*main), dotsMidway) << "the ring did not grow to its end";
         Capture("completed");
         ExpectFlashHoldsTheImage();
       },
       kUpdateTimeoutMs},
      {"the camera window showing the new firmware",
       [&] { return CameraFirmwareLine() == "Firmware in its flash: 0x0105"; },
       [&] {
         EXPECT_GT(cameraWindow_->frameGeometry().left(), MainDialog()->frameGeometry().right())
             << "the camera window does not stand beside the main window";
         SaveScreenshot(*cameraWindow_, "camera_window");
         ClickCameraButton("Unplug");
       }},
      {"the please-connect text after the unplug",
       StatusIs(ui::PleaseConnectText(en, kModel), false), [&] { ClickCameraButton("Plug"); }},
      {"the up-to-date text after the reconnect",
       StatusIs(ui::UpToDateText(en, kDeviceModel, 0x0105), false),
       [] {
         Capture("up_to_date");
         CloseLater(*MainDialog());
       }},
  };
  RunUpdater(en, std::move(steps));
}

TEST_F(UpdaterOnQt, AnotherModelsCameraGetsTheDownloadLinkWhichOpensTheMakersPageOverHttps) {
  SetCameraProductId(0x8025);  // a TAVELIN Q, for which the Q2 image is not meant
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("https", &recorder, "open");
  QDesktopServices::setUrlHandler("http", &recorder, "open");
  std::vector<Step> steps = {
      {"the other-model text with the link",
       [] {
         QtDialog* main = MainDialog();
         return main != nullptr &&
                main->Text(ui::kStatusText) == ui::OtherModelText(ui::kEnglish, kModel) &&
                main->IsVisible(ui::kDownloadLink);
       },
       [] {
         Capture("other_model");
         auto* link = qobject_cast<QLabel*>(MainDialog()->Widget(ui::kDownloadLink));
         ASSERT_NE(link, nullptr);
         const QRegularExpressionMatch href =
             QRegularExpression("href=\"([^\"]*)\"").match(link->text());
         ASSERT_TRUE(href.hasMatch()) << link->text().toStdString();
         emit link->linkActivated(href.captured(1));  // as a click on the anchor does
       }},
      {"the page opened", [&recorder] { return !recorder.opened.empty(); },
       [] { CloseLater(*MainDialog()); }},
  };
  RunUpdater(ui::kEnglish, std::move(steps));
  QDesktopServices::unsetUrlHandler("https");
  QDesktopServices::unsetUrlHandler("http");
  EXPECT_EQ(recorder.opened, std::vector<std::string>{"https://www.tavelin.com/downloads"});
}

struct LanguageCase {
  ui::Language language;
  const char* name;
};
void PrintTo(const LanguageCase& c, std::ostream* out) {
  *out << c.name;
}

class UpdaterOnQtInLanguages : public UpdaterOnQt,
                               public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(UpdaterOnQtInLanguages, ShowsTheUpdateAvailableScreenWithItsTextsWhole) {
  const LanguageCase c = GetParam();
  std::vector<Step> steps = {
      {"the update-available text",
       StatusIs(ui::UpdateAvailableText(c.language, kDeviceModel, 0x0105, 0x0102), true),
       [c] {
         QtDialog* main = MainDialog();
         EXPECT_EQ(main->Text(ui::kUpdateButton), ui::kTextTableA[c.language][ui::kUpdateCaption]);
         EXPECT_EQ(main->Title(), ui::ComposeWindowTitle(c.language));
         Capture(std::string("update_available_") + c.name);
         CloseLater(*main);
       }},
  };
  RunUpdater(c.language, std::move(steps));
}

INSTANTIATE_TEST_SUITE_P(Languages, UpdaterOnQtInLanguages,
                         ::testing::Values(LanguageCase{ui::kJapanese, "ja"},
                                           LanguageCase{ui::kGerman, "de"},
                                           LanguageCase{ui::kFrench, "fr"}),
                         [](const ::testing::TestParamInfo<LanguageCase>& info) {
                           return std::string(info.param.name);
                         });

// --- The built product as a second copy. ---

class ProductProgram : public ::testing::Test {
 protected:
  ProductProgram() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tavelin-session-XXXXXX").string();
    EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
    runtimeDirectory_ = pattern;
  }
  ~ProductProgram() override {
    std::error_code ignored;
    std::filesystem::remove_all(runtimeDirectory_, ignored);
  }

  // The product in a logon session of the test's own, offscreen, killed after limitSeconds.
  testing_support::ToolRun RunProduct(int limitSeconds) {
    return testing_support::RunProgram(
        "env", "XDG_RUNTIME_DIR='" + runtimeDirectory_ + "' QT_QPA_PLATFORM=offscreen timeout " +
                   std::to_string(limitSeconds) + " '" + PRODUCT_PROGRAM + "'");
  }

  std::string runtimeDirectory_;
};

TEST_F(ProductProgram, ASecondCopyEndsAtOnceSilentlyWhileTheFirstHoldsTheLock) {
  ui::SessionEnvironment session = ui::ReadSessionEnvironment();
  session.runtimeDirectory = runtimeDirectory_;
  platform::linux_backend::LinuxNamedMutexFactory mutexes(runtimeDirectory_);
  {
    const ui::SingleInstanceLock first =
        ui::SingleInstanceLock::Acquire(mutexes, ui::SingleInstanceMutexName(session));
    ASSERT_FALSE(first.AnotherCopyRuns());
    QElapsedTimer clock;
    clock.start();
    const testing_support::ToolRun second = RunProduct(10);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(second.out, "") << "a second copy says nothing";
  }
  // With the lock free the product is the first copy and keeps its window up until killed.
  EXPECT_EQ(RunProduct(2).exitCode, 124);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#include "updater_flow_test.moc"
