// tavelin-fwupdate-demo: the firmware-update tool on the built-in simulated camera, for trying
// it without a camera. The camera (a TAVELIN Q2 with firmware 0x0102) answers at a pace a
// person can follow, an image with firmware 0x0105 lies in a working directory of the demo's
// own, and a second window unplugs, plugs and reflashes the camera.

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/services.h"
#include "sim/factory_contents.h"
#include "sim/sim_bench.h"
#include "transfer/engine.h"
#include "transfer/image_builder.h"
#include "ui/language.h"
#include "ui/programs/paced_hid_system.h"
#include "ui/programs/simulated_camera_window.h"
#include "ui/qt/qt_application.h"
#include "ui/updater/updater_app.h"

namespace {

// An update of the 192 KB image takes some tens of thousands of feature transfers: with this
// pause (and the sleep's own overshoot) it lasts a few seconds.
constexpr std::chrono::microseconds kPausePerTransfer{40};
constexpr const char* kImageName = "tavelin-q2-0105.bin";
constexpr int kExitUsage = 64;

constexpr const char* kUsage =
    "usage: tavelin-fwupdate-demo [--lang CODE] [Qt options]\n"
    "The firmware-update tool on a built-in simulated TAVELIN Q2 (firmware 0x0102), with the\n"
    "image tavelin-q2-0105.bin (firmware 0x0105) beside it. The \"Simulated camera\" window\n"
    "unplugs and plugs the camera and puts other firmware into it.\n"
    "  --lang CODE   the texts' language: en, fr, de, ja, it or nl (default: the locale's)\n"
    "  --help        this text\n";

struct DemoOptions {
  bool help = false;
  std::optional<ui::Language> language;
  std::string problem;  // a bad command line
};

// Takes the demo's own options out of argv and leaves the rest for Qt.
DemoOptions TakeDemoOptions(int& argc, char** argv) {
  DemoOptions options;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--lang") {
      if (i + 1 == argc) {
        options.problem = "--lang needs a language code";
      } else {
        options.language = ui::LanguageFromCode(argv[++i]);
      }
    } else if (argument.rfind("--lang=", 0) == 0) {
      options.language = ui::LanguageFromCode(argument.substr(7));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  return options;
}

// A fresh directory under the system's temporary one, removed with everything in it.
class WorkingDirectory {
 public:
  WorkingDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tavelin-fwupdate-demo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~WorkingDirectory() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  // Empty when it could not be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Ctrl-C, a closed terminal or a kill end the demo as its window's close does, so that its
// working directory goes too: the handler only writes the signal into a pipe, and the event
// loop, watching the pipe, ends the modal runs. A second signal ends the demo at once.
class StopOnSignals {
 public:
  StopOnSignals() {
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) return;
    writeEnd_ = pipe_[1];
    struct sigaction action {};
    action.sa_handler = &StopOnSignals::OnSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
  }
  ~StopOnSignals() {
    watch_.reset();
    writeEnd_ = -1;
    if (pipe_[0] >= 0) {
      ::close(pipe_[0]);
      ::close(pipe_[1]);
    }
  }
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

  // Once the Qt application exists; Unwatch before it goes.
  void Watch() {
    if (pipe_[0] < 0) return;
    watch_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(watch_.get(), &QSocketNotifier::activated, watch_.get(), [] {
      QApplication::exit(0);  // every running modal loop returns
    });
  }
  void Unwatch() { watch_.reset(); }

 private:
  static void OnSignal(int signal) {
    if (writeEnd_ < 0) return;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd_, &byte, 1);
  }

  static inline volatile sig_atomic_t writeEnd_ = -1;
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> watch_;
};

// The image the sample build makes too: TAVELIN Q2, firmware 0x0105, product id 3.
bool WriteDemoImage(const std::string& path, std::string& problem) {
  transfer::ImageRecipe recipe;
  recipe.identity = sim::FactoryIdentity();
  recipe.identity.fwVersion = 0x0105;
  recipe.identity.pid = sim::kSimProductIdQ2;
  std::vector<uint8_t> file;
  return transfer::BuildImage(recipe, file, problem) &&
         transfer::WriteImageFile(path, file, problem);
}

}  // namespace

int main(int argc, char** argv) {
  const DemoOptions options = TakeDemoOptions(argc, argv);
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!options.problem.empty()) {
    std::fprintf(stderr, "tavelin-fwupdate-demo: %s\n%s", options.problem.c_str(), kUsage);
    return kExitUsage;
  }

  const WorkingDirectory directory;
  StopOnSignals stopOnSignals;
  std::string problem;
  if (directory.path().empty()) {
    std::fprintf(stderr, "tavelin-fwupdate-demo: cannot make a working directory: %s\n",
                 std::strerror(errno));
    return 1;
  }
  const std::string imagePath = (std::filesystem::path(directory.path()) / kImageName).string();
  if (!WriteDemoImage(imagePath, problem)) {
    std::fprintf(stderr, "tavelin-fwupdate-demo: cannot write %s: %s\n", imagePath.c_str(),
                 problem.c_str());
    return 1;
  }

  // The simulated camera as the process's services, in virtual time: each transfer moves its
  // clock by 1 ms, which is what lets the flash's busy times end (the library polls the status
  // without sleeping). The pacing in front of it is real time.
  sim::SimBench::Options benchOptions;
  benchOptions.latencyMs = 1;
  sim::SimBench bench(benchOptions);
  ui::demo::PacedHidSystem paced(bench.hid(), kPausePerTransfer);
  platform::Services services = platform::CurrentServices();
  services.hid = &paced;
  platform::InstallServices(services);

  std::unique_ptr<ui::demo::SimulatedCameraWindow> cameraWindow;
  ui::UpdaterHooks hooks;
  hooks.mainWindowReady = [&](ui::window::DialogWindow& window) {
    stopOnSignals.Watch();
    cameraWindow = std::make_unique<ui::demo::SimulatedCameraWindow>(bench, paced, window);
    cameraWindow->show();
  };
  hooks.mainWindowClosed = [&] {
    cameraWindow.reset();
    stopOnSignals.Unwatch();
  };
  if (options.language) {
    const ui::Language language = *options.language;
    hooks.chooseLanguage = [language] { return language; };
  }
  const std::string directoryPath = directory.path();
  hooks.currentDirectory = [directoryPath] { return directoryPath; };

  ui::CTarn_Download_OnlyApp app(
      [&argc, argv] { return std::make_unique<ui::qt::QtApplication>(argc, argv); },
      std::move(hooks));
  app.InitInstance();
  // The window does not close while a job runs; this only makes sure no worker outlives the
  // simulated camera it talks to.
  transfer::WaitForWorkerToEnd();
  return 0;
}
