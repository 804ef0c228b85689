#include "tests/updater/updater_fixture.h"

#include <stdlib.h>

#include <stdexcept>

#include "device/flash_layout.h"
#include "sim/factory_contents.h"
#include "tests/support/isolated_mutexes.h"
#include "transfer/engine.h"
#include "transfer/image_builder.h"
#include "ui/updater/confirm_dialog_template.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog_template.h"

namespace updater_testing {
namespace {

sim::SimBench::Options BenchOptions() {
  sim::SimBench::Options options;
  options.mutexes = &testing_support::IsolatedMutexes();
  return options;
}

}  // namespace

UpdaterTest::UpdaterTest() : bench_(std::make_unique<sim::SimBench>(BenchOptions())) {
  // A fresh directory of the test's own: parameterised test names hold '/', so the name is
  // left to mkdtemp.
  std::string pattern =
      (std::filesystem::temp_directory_path() / "tavelin-updater-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
}

UpdaterTest::~UpdaterTest() {
  transfer::WaitForWorkerToEnd();
  if (dialog_) dialog_->Detach();
  window_.reset();
  dialog_.reset();
  transfer::ResetEngineForTests();
  ui::ResetInterfaceDataForTests();
  bench_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void UpdaterTest::SetCameraIdentity(uint16_t fwVersion, uint16_t pid) {
  CameraIdentity identity = sim::FactoryIdentity();
  identity.fwVersion = fwVersion;
  identity.pid = pid;
  std::vector<uint8_t>& memory = bench_->camera()->flash().memory();
  ASSERT_TRUE(WriteBootConfig(memory, sim::FactoryBootHeader(), MakeUserDataBlock(identity)));
}

std::vector<uint8_t> UpdaterTest::ImageBytes(const ImageSpec& wanted) const {
  transfer::ImageRecipe recipe;
  recipe.identity = sim::FactoryIdentity();
  recipe.identity.fwVersion = wanted.fwVersion;
  recipe.identity.pid = wanted.pid;
  recipe.fileSize = 65536;
  std::vector<uint8_t> file;
  std::string problem;
  EXPECT_TRUE(transfer::BuildImage(recipe, file, problem)) << problem;
  return file;
}

std::string UpdaterTest::WriteImage(const std::string& name, const ImageSpec& wanted) {
  const std::string path = (directory_ / name).string();
  std::string problem;
  EXPECT_TRUE(transfer::WriteImageFile(path, ImageBytes(wanted), problem)) << problem;
  return path;
}

void UpdaterTest::OpenDialog(ui::Language language) {
  ui::UpdaterHooks hooks;
  hooks.chooseLanguage = [language] { return language; };
  hooks.currentDirectory = [this] { return directory_.string(); };
  dialog_ = std::make_unique<ui::CTarn_Download_OnlyDlg>(hooks);
  window_ = windows_.Open(ui::MainDialogTemplate(), *dialog_);
  window_->Expose();
}

void UpdaterTest::DeviceChangeAndWait() {
  window_->PostDeviceChange();
  windows_.DeliverPosted();
  windows_.AdvanceTime(ui::kDetectionDelayMs);
}

void UpdaterTest::ClickUpdateAndConfirm(bool ok) {
  windows_.ScriptDialog(ui::kConfirmDialogTemplateId, [ok](ui::headless::HeadlessDialog& box) {
    box.Click(ok ? ui::kConfirmOkButton : ui::kConfirmCancelButton);
  });
  ASSERT_TRUE(window_->Click(ui::kUpdateButton));
}

void UpdaterTest::FinishJob() {
  transfer::WaitForWorkerToEnd();
  windows_.DeliverPosted();
  windows_.AdvanceTime(1);  // the ring's 0 ms timer
}

}  // namespace updater_testing
