#include "settings_test_support.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace settings_test {

Converted Convert(std::string_view text, std::size_t capacity) {
  settings::MakeBinFile converter;
  Converted converted;
  converted.log = converter.ParseText(text);
  converted.refusal = converter.RefusalReason(capacity);
  converted.binary.resize(capacity);
  converted.binary.resize(converter.Serialize(converted.binary));
  converted.tables = converter.Tables();
  return converted;
}

std::vector<std::uint8_t> DataBytes(const Converted& converted, std::size_t table) {
  const std::uint8_t* entry = converted.binary.data() + 1 + 9 * table;
  const std::size_t position = entry[4] | (entry[5] << 8);
  const std::size_t length = entry[7] | (entry[8] << 8);
  return {converted.binary.begin() + static_cast<std::ptrdiff_t>(position),
          converted.binary.begin() + static_cast<std::ptrdiff_t>(position + length)};
}

std::string Utf16(std::string_view text, bool withMark) {
  std::string wide = withMark ? std::string("\xFF\xFE") : std::string();
  for (char c : text) {
    wide.push_back(c);
    wide.push_back('\0');
  }
  return wide;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

ScratchDirectory::ScratchDirectory() {
  std::random_device random;
  std::ostringstream name;
  name << "tavelin_settings_" << std::hex << random() << random();
  path_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::create_directories(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace settings_test
