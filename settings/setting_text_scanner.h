#pragma once
// The scan of a setting text: finds each table at its "[", reads its declaration and its
// element list, and writes the log lines that describe what was read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ignored_text.h"
#include "settings/setting_table.h"
#include "settings/table_declaration.h"

namespace settings {

class SettingTextScanner {
 public:
  // `text` is single-byte text; `tables` and `log` receive what the scan finds, appended.
  SettingTextScanner(std::string_view text, std::vector<SettingTable>& tables, std::string& log);

  // Scans the whole text once. The index never goes past the text.
  void Run();

 private:
  // Handles the table whose "[" is at `bracket`; returns where the scan goes on, or the text's
  // length when it ends.
  std::size_t ScanTable(std::size_t bracket);
  // The "{" that opens the list of the table whose "[" is at `bracket`, or a ";" that ends its
  // declaration first, or the text's length.
  std::size_t FindListOpening(std::size_t bracket);
  // Reads the element list whose "{" is at `brace`; returns the position of its closing "}", or
  // the text's length.
  std::size_t ScanElements(std::size_t brace, SettingTable* table);
  // Where the element starting at `start` ends: its ",", the "}" that closes the list, or the
  // text's length. `depth` counts the inner "{" still open and is updated.
  std::size_t ElementEnd(std::size_t start, std::size_t& depth);

  std::string_view text_;
  std::vector<SettingTable>& tables_;
  std::string& log_;
  IgnoredTextSkipper skipper_;
  std::size_t declarationStart_ = 0;  // the character after the previous table's text
  std::size_t runningOffset_ = 0;     // the next free offset in the data area
};

}  // namespace settings
