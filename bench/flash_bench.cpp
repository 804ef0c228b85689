// Flash work through the whole stack against a simulated camera that answers at once: reading
// 64 KB, and rewriting the user-data sector. Reports the feature transfers each takes and the
// host time per transfer.

#include <benchmark/benchmark.h>

#include <vector>

#include "device/library_state.h"
#include "device/vxVidHidCls.h"
#include "sim/sim_bench.h"

namespace {

// A zero-latency bench whose flash is never busy, so no status poll waits on virtual time.
struct ZeroLatencyCamera {
  ZeroLatencyCamera() : bench(Options()) {
    ResetLibraryForTests();
    bench.camera()->flash().SetTiming({0, 0, 0});
    ok = vxVidHidCls_Init() == 1;
  }
  ~ZeroLatencyCamera() { ResetLibraryForTests(); }

  static sim::SimBench::Options Options() {
    sim::SimBench::Options options;
    options.latencyMs = 0;
    return options;
  }

  size_t Transfers() {
    const sim::TransferCounters counters = bench.hid().Counters();
    return counters.sets + counters.gets;
  }

  sim::SimBench bench;
  bool ok = false;
};

void Report(benchmark::State& state, size_t transfers) {
  const double perOp = static_cast<double>(transfers) / static_cast<double>(state.iterations());
  state.counters["transfers/op"] = perOp;
  state.counters["ns/transfer"] =
      benchmark::Counter(perOp * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Read64K(benchmark::State& state) {
  ZeroLatencyCamera camera;
  if (!camera.ok) return state.SkipWithError("no simulated camera");
  std::vector<uint8_t> buffer(64 * 1024);
  camera.bench.hid().ClearLog();
  for (auto _ : state) {
    if (!vxVidHidCls_SPI_Flash_Read(0, 0, static_cast<uint32_t>(buffer.size()), buffer.data())) {
      return state.SkipWithError("read failed");
    }
  }
  // The protocol's own count: one command piece, then a piece per 32 bytes, two transfers each.
  state.counters["protocol transfers/op"] = 2 + 2 * (64 * 1024 / 32);
  Report(state, camera.Transfers());
}
BENCHMARK(BM_Read64K)->Unit(benchmark::kMillisecond);

void BM_RewriteUserData(benchmark::State& state) {
  ZeroLatencyCamera camera;
  if (!camera.ok) return state.SkipWithError("no simulated camera");
  DeviceInfo info{};
  if (!vxVidHidCls_GetDevInfo(0, &info)) return state.SkipWithError("no identity");
  camera.bench.hid().ClearLog();
  for (auto _ : state) {
    info.fwVersion ^= 1;  // a real change each time
    if (!vxVidHidCls_SetDevInfo(0, &info)) return state.SkipWithError("write failed");
  }
  Report(state, camera.Transfers());
}
BENCHMARK(BM_RewriteUserData)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
