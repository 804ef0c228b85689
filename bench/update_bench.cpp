// A header-layout update of the largest image the engine holds (a 256 KB file) through the
// whole stack against a simulated camera that answers at once: wall time, feature transfers,
// transfers per KB written and verified, host time per transfer, peak memory, and what the
// same update would take on a camera that needs 1 ms per feature transfer.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "device/library_state.h"
#include "sim/sim_bench.h"
#include "transfer/engine.h"
#include "transfer/image_builder.h"

namespace {

// Waits for the job's closing event.
class ClosingWatch final : public transfer::TransferWindow {
 public:
  void Post(uint32_t, uint32_t code, int32_t value) override {
    const bool closing =
        code == transfer::DownloadDone || code == transfer::DownloadFailed ||
        code == transfer::DeviceAccessFailed ||
        ((code == transfer::EraseEnd || code == transfer::VerifyResult) && value == 0);
    if (!closing) return;
    std::lock_guard<std::mutex> guard(lock_);
    done_ = true;
    success_ = code == transfer::DownloadDone;
    ended_.notify_all();
  }
  bool Wait() {
    std::unique_lock<std::mutex> guard(lock_);
    ended_.wait(guard, [this] { return done_; });
    done_ = false;
    return success_;
  }

 private:
  std::mutex lock_;
  std::condition_variable ended_;
  bool done_ = false;
  bool success_ = false;
};

std::string MakeImage() {
  transfer::ImageRecipe recipe;
  recipe.identity.fwVersion = 0x0105;
  recipe.identity.pid = 3;
  recipe.fileSize = transfer::kImageFileLimit;
  std::vector<uint8_t> bytes;
  std::string problem;
  const std::string path =
      (std::filesystem::temp_directory_path() / "tavelin-update-bench.bin").string();
  if (!transfer::BuildImage(recipe, bytes, problem) ||
      !transfer::WriteImageFile(path, bytes, problem)) {
    return {};
  }
  return path;
}

void BM_HeaderLayoutUpdate256K(benchmark::State& state) {
  const std::string image = MakeImage();
  if (image.empty()) return state.SkipWithError("cannot make the image");
  ResetLibraryForTests();
  transfer::ResetEngineForTests();
  sim::SimBench::Options options;
  options.latencyMs = 0;
  sim::SimBench bench(options);
  bench.camera()->flash().SetTiming({0, 0, 0});  // never busy: no poll waits on virtual time
  if (!transfer::OpenDeviceSession()) return state.SkipWithError("no simulated camera");

  ClosingWatch window;
  transfer::DownloadJobRecord record{};
  record.kind = 2;
  std::strncpy(record.file0Path, image.c_str(), sizeof record.file0Path - 1);
  record.bootHeader[0] = 0x1A;
  record.bootHeader[1] = 0xEB;
  record.window = &window;
  bench.hid().ClearLog();
  bench.hid().SetLogging(false);  // the bench's own log would be most of the memory
  for (auto _ : state) {
    if (!transfer::StartFirmwareDownload(record)) return state.SkipWithError("refused");
    if (!window.Wait()) return state.SkipWithError("the update failed");
    transfer::WaitForWorkerToEnd();
  }
  const sim::TransferCounters counters = bench.hid().Counters();
  const double transfers =
      static_cast<double>(counters.sets + counters.gets) / static_cast<double>(state.iterations());
  const double kilobytes = (transfer::kImageFileLimit - 4) / 1024.0;
  state.counters["transfers"] = transfers;
  state.counters["transfers/KB"] = transfers / kilobytes;  // written and verified
  state.counters["ns/transfer"] =
      benchmark::Counter(transfers * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["s at 1ms/transfer"] = transfers / 1000.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak RSS MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  transfer::CloseDeviceSession();
  transfer::ResetEngineForTests();
  ResetLibraryForTests();
  std::filesystem::remove(image);
}
BENCHMARK(BM_HeaderLayoutUpdate256K)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
