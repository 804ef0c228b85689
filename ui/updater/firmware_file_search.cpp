#include "ui/updater/firmware_file_search.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace ui {
namespace {

bool EndsWithBin(const std::string& name) {
  constexpr std::string_view kSuffix = ".bin";
  if (name.size() <= kSuffix.size()) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - kSuffix.size());
  return std::equal(tail.begin(), tail.end(), kSuffix.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace

std::string ProcessCurrentDirectory() {
  std::error_code ec;
  const std::filesystem::path current = std::filesystem::current_path(ec);
  return ec ? std::string() : current.string();
}

std::string FindFirstFirmwareFile(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(directory, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    // A directory or device under a ".bin" name is no image: opening it would fail.
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (EndsWithBin(name)) names.push_back(std::move(name));
  }
  if (names.empty()) return {};
  return *std::min_element(names.begin(), names.end());
}

std::string JoinDirectory(const std::string& directory, const std::string& name) {
  return (std::filesystem::path(directory) / name).string();
}

}  // namespace ui
