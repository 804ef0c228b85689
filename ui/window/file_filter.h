#pragma once
// Open-file filters in the toolkit's form: pairs of display text and patterns separated by
// vertical bars, closed by two bars, as in "Firmware File(*.bin)|*.bin||". Several patterns in
// one pair are separated by semicolons.

#include <string>
#include <string_view>
#include <vector>

namespace ui::window {

struct FileFilter {
  std::string description;            // "Firmware File(*.bin)"
  std::vector<std::string> patterns;  // {"*.bin"}
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// The pairs up to the closing bars (or the end); a description without patterns is dropped.
std::vector<FileFilter> ParseFileFilter(std::string_view filter);

}  // namespace ui::window
