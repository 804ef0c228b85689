#include "ui/window/file_filter.h"

namespace ui::window {
namespace {

// The next field up to a bar; moves text past it. Returns false at the end of the text.
bool NextField(std::string_view& text, std::string_view& field) {
  if (text.empty()) return false;
  const size_t bar = text.find('|');
  field = text.substr(0, bar);
  text = bar == std::string_view::npos ? std::string_view() : text.substr(bar + 1);
  return true;
}

std::vector<std::string> SplitPatterns(std::string_view patterns) {
  std::vector<std::string> out;
  while (!patterns.empty()) {
    const size_t semicolon = patterns.find(';');
    std::string_view one = patterns.substr(0, semicolon);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
    if (!one.empty()) out.emplace_back(one);
    if (semicolon == std::string_view::npos) break;
    patterns.remove_prefix(semicolon + 1);
  }
  return out;
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
  std::vector<FileFilter> filters;
  std::string_view description;
  std::string_view patterns;
  while (NextField(filter, description)) {
    if (description.empty()) break;  // the closing bars
    if (!NextField(filter, patterns)) break;
    std::vector<std::string> split = SplitPatterns(patterns);
    if (split.empty()) continue;
    filters.push_back({std::string(description), std::move(split)});
  }
  return filters;
}

}  // namespace ui::window
