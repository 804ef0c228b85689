// Runs a libFuzzer target without libFuzzer, so every build can exercise it under CTest: first
// the files named on the command line (directories are read file by file), then a fixed number
// of pseudo-random and mutated inputs drawn from a fixed seed. Any finding aborts the run.
//
//   replay [--runs=N] [--seed=S] [--max-len=L] [FILE|DIR]...

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

// splitmix64: the same sequence on every platform and standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number in [0, bound); 0 when bound is 0.
  std::size_t Below(std::size_t bound) { return bound == 0 ? 0 : Next() % bound; }

 private:
  std::uint64_t state_;
};

// Hands the input over in a buffer of exactly its size, so a read past its end is caught by
// the sanitizers as it would be under libFuzzer.
void RunOne(const Input& input) {
  std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[input.size()]);
  std::copy(input.begin(), input.end(), exact.get());
  LLVMFuzzerTestOneInput(exact.get(), input.size());
}

bool ReadFile(const std::filesystem::path& path, Input& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

Input RandomBytes(Random& random, std::size_t maxLength) {
  Input bytes(random.Below(maxLength + 1));
  for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random.Next());
  return bytes;
}

// One of a few libFuzzer-like mutations; `donor` lends pieces of another input.
void Mutate(Input& bytes, const Input& donor, Random& random, std::size_t maxLength) {
  switch (random.Below(7)) {
    case 0:  // flip a bit
      if (!bytes.empty()) bytes[random.Below(bytes.size())] ^= 1u << random.Below(8);
      break;
    case 1:  // replace a byte
      if (!bytes.empty())
        bytes[random.Below(bytes.size())] = static_cast<std::uint8_t>(random.Next());
      break;
    case 2:  // insert a random byte
      bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(random.Below(bytes.size() + 1)),
                   static_cast<std::uint8_t>(random.Next()));
      break;
    case 3: {  // erase a range
      const std::size_t at = random.Below(bytes.size() + 1);
      const std::size_t length = std::min(random.Below(16) + 1, bytes.size() - at);
      bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                  bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
      break;
    }
    case 4:  // cut the end off
      bytes.resize(random.Below(bytes.size() + 1));
      break;
    default: {  // insert a piece of the donor, or of the input itself
      const Input& from = donor.empty() || random.Below(2) == 0 ? Input(bytes) : donor;
      if (from.empty()) break;
      const std::size_t start = random.Below(from.size());
      const std::size_t length = std::min(random.Below(64) + 1, from.size() - start);
      const Input piece(from.begin() + static_cast<std::ptrdiff_t>(start),
                        from.begin() + static_cast<std::ptrdiff_t>(start + length));
      bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(random.Below(bytes.size() + 1)),
                   piece.begin(), piece.end());
      break;
    }
  }
  if (bytes.size() > maxLength) bytes.resize(maxLength);
}

bool NumberOption(std::string_view argument, std::string_view name, std::uint64_t& value) {
  if (!argument.starts_with(name)) return false;
  value = std::strtoull(std::string(argument.substr(name.size())).c_str(), nullptr, 10);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t runs = 20000;
  std::uint64_t seed = 0x5EED;
  std::uint64_t maxLength = 4096;
  std::vector<Input> corpus;

  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (NumberOption(argument, "--runs=", runs) || NumberOption(argument, "--seed=", seed) ||
        NumberOption(argument, "--max-len=", maxLength)) {
      continue;
    }
    std::vector<std::filesystem::path> files;
    std::error_code error;
    if (std::filesystem::is_directory(argument, error)) {
      for (const auto& entry : std::filesystem::directory_iterator(argument)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());  // the same order on every run
    } else {
      files.emplace_back(argument);
    }
    for (const std::filesystem::path& file : files) {
      Input bytes;
      if (!ReadFile(file, bytes)) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.string().c_str());
        return 2;
      }
      corpus.push_back(std::move(bytes));
    }
  }

  for (const Input& input : corpus) RunOne(input);

  Random random(seed);
  Input previous;
  for (std::uint64_t run = 0; run < runs; ++run) {
    Input input;
    if (corpus.empty() || random.Below(4) == 0) {
      input = RandomBytes(random, static_cast<std::size_t>(maxLength));
    } else {
      // Mutate a corpus file, or keep mutating the last input for a while.
      input = (previous.empty() || random.Below(2) == 0) ? corpus[random.Below(corpus.size())]
                                                         : previous;
      const Input& donor = corpus[random.Below(corpus.size())];
      const std::size_t mutations = random.Below(8) + 1;
      for (std::size_t m = 0; m < mutations; ++m) {
        Mutate(input, donor, random, static_cast<std::size_t>(maxLength));
      }
    }
    RunOne(input);
    previous = std::move(input);
  }
  std::printf("replay: %zu files and %llu generated inputs (seed %llu) ran without findings\n",
              corpus.size(), static_cast<unsigned long long>(runs),
              static_cast<unsigned long long>(seed));
  return 0;
}
