// Host-side cost of one register read through the whole stack: public operation, mutex,
// routing, HID commands, platform call, simulated camera. The camera answers at once.

#include <benchmark/benchmark.h>

#include "device/library_state.h"
#include "device/vxVidHidCls.h"
#include "sim/sim_bench.h"

namespace {

void BM_RegisterRead(benchmark::State& state) {
  ResetLibraryForTests();
  sim::SimBench::Options options;
  options.latencyMs = 0;
  sim::SimBench bench(options);
  if (vxVidHidCls_Init() != 1) {
    state.SkipWithError("no simulated camera");
    return;
  }
  uint32_t value = 0;
  bench.hid().ClearLog();
  for (auto _ : state) {
    benchmark::DoNotOptimize(vxVidHidCls_RegRead(0x0000, 4, &value));
  }
  const auto transfers = bench.hid().Counters();
  // Each read is four feature transfers: the chip-generation probe and the read itself.
  state.counters["transfers/read"] = static_cast<double>(transfers.sets + transfers.gets) /
                                     static_cast<double>(state.iterations());
  state.counters["ns/transfer"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 4,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  ResetLibraryForTests();
}
BENCHMARK(BM_RegisterRead);

}  // namespace

BENCHMARK_MAIN();
