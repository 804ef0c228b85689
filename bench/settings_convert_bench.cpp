// Conversion time of setting texts of 64 KB: a typical sensor table text, and texts built to
// hit the scan's slowest paths.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/make_bin_file.h"
#include "settings/make_setting_bin.h"

namespace {

constexpr std::size_t kTextSize = 64 * 1024;

// Register/value pairs in several tables, with comments and a disabled branch, as sensor
// setting texts are written.
std::string TypicalText() {
  std::string text = "/* Sensor setting tables */\r\n";
  int table = 0;
  char line[96];
  while (text.size() < kTextSize) {
    std::snprintf(line, sizeof line, "#if %d\r\n// table %d\r\nuint16 Table%d[] = {\r\n",
                  table % 5 == 4 ? 0 : 1, table, table);
    text += line;
    for (int i = 0; i < 200 && text.size() < kTextSize; ++i) {
      std::snprintf(line, sizeof line, "\t0x%04X, 0x%02X, /* reg %d */\r\n", 0x3000 + i, i & 0xFF,
                    i);
      text += line;
    }
    text += "};\r\n#endif\r\n";
    ++table;
  }
  return text;
}

std::string Repeated(const std::string& piece) {
  std::string text;
  while (text.size() < kTextSize) text += piece;
  return text;
}

void Convert(benchmark::State& state, const std::string& text) {
  std::vector<std::uint8_t> buffer(settings::kMaxBinaryLength);
  for (auto _ : state) {
    settings::MakeBinFile converter;
    converter.ParseText(text);
    benchmark::DoNotOptimize(converter.Serialize(buffer));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Typical64K(benchmark::State& state) {
  Convert(state, TypicalText());
}
BENCHMARK(BM_Typical64K)->Unit(benchmark::kMillisecond);

// Every "[" starts a table whose declaration is searched for its type.
void BM_ManyShortTables64K(benchmark::State& state) {
  Convert(state, Repeated("uint8 T[]={0x1,};"));
}
BENCHMARK(BM_ManyShortTables64K)->Unit(benchmark::kMillisecond);

// Brackets without type keywords or lists, and one long list of groups.
void BM_BracketsAndSemicolons64K(benchmark::State& state) {
  Convert(state, Repeated("x[;"));
}
BENCHMARK(BM_BracketsAndSemicolons64K)->Unit(benchmark::kMillisecond);

void BM_NestedGroups64K(benchmark::State& state) {
  Convert(state, "uint8 T[] = {" + Repeated("{0x1,{0x2}") + "}");
}
BENCHMARK(BM_NestedGroups64K)->Unit(benchmark::kMillisecond);

// Directives and comments at every turn.
void BM_DirectivesAndComments64K(benchmark::State& state) {
  Convert(state, Repeated("#if 1\r\n#else /* * / */ #endif // x\r\n#if 0 # #else #"));
}
BENCHMARK(BM_DirectivesAndComments64K)->Unit(benchmark::kMillisecond);

// The whole conversion with its files: read the text, write the log.
void BM_TypicalFile64K(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "tavelin_settings_bench";
  std::filesystem::create_directories(dir);
  {
    const std::string text = TypicalText();
    std::ofstream(dir / "typical.txt", std::ios::binary).write(text.data(), text.size());
  }
  std::vector<std::uint8_t> buffer(settings::kMaxBinaryLength);
  for (auto _ : state) {
    std::size_t length = 0;
    std::string reason;
    settings::MakeSettingBin(dir / "typical.txt", dir, buffer, length, reason);
    benchmark::DoNotOptimize(length);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_TypicalFile64K)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
