#include "settings/setting_text_scanner.h"

#include <algorithm>

#include "settings/hex_value.h"

namespace settings {

SettingTextScanner::SettingTextScanner(std::string_view text, std::vector<SettingTable>& tables,
                                       std::string& log)
    : text_(text), tables_(tables), log_(log), skipper_(text) {}

void SettingTextScanner::Run() {
  std::size_t pos = 0;
  while (true) {
    pos = skipper_.Skip(pos);
    if (pos >= text_.size()) return;
    pos = text_[pos] == '[' ? ScanTable(pos) : pos + 1;
  }
}

std::size_t SettingTextScanner::ScanTable(std::size_t bracket) {
  const std::size_t start = std::max(declarationStart_, skipper_.SkippedBranchEnd());
  const std::optional<TableDeclaration> declaration =
      ReadTableDeclaration(text_.substr(start, bracket - start));

  SettingTable* table = nullptr;
  if (declaration) {
    table = &tables_.emplace_back();
    table->width = declaration->width;
    table->name = std::string(declaration->name);
    table->nameLength = table->name.size();
    table->nameOffset = runningOffset_;
    runningOffset_ += table->nameLength;
    log_.append(declaration->typeToken).append(declaration->name).append("\r\n");
  } else {
    // No width can be known, so the table is left out of the binary altogether; its element
    // list is still read past so that its elements do not land in another table.
    log_.append("Table skipped: no type keyword in the declaration before the \"[\" at character ")
        .append(std::to_string(bracket))
        .append("\r\n");
  }

  const std::size_t opening = FindListOpening(bracket);
  if (opening >= text_.size()) return text_.size();
  if (text_[opening] == ';') {
    // A declaration without a list: the table has no elements.
    log_.append("\r\n");
    declarationStart_ = opening + 1;
    return opening + 1;
  }

  if (table != nullptr) {
    table->dataOffset = runningOffset_;
    log_.append("Elements are followed:\r\n");
  }
  const std::size_t closing = ScanElements(opening, table);
  if (closing >= text_.size()) return text_.size();
  log_.append(table != nullptr ? "\r\n\r\n" : "\r\n");
  declarationStart_ = closing + 1;
  return closing + 1;
}

// A ";" before any "{" ends the declaration, so a table declared without a list never takes
// the list of a later table; text in comments is passed over.
std::size_t SettingTextScanner::FindListOpening(std::size_t bracket) {
  std::size_t pos = bracket + 1;
  while (true) {
    pos = skipper_.Skip(pos);
    if (pos >= text_.size()) return text_.size();
    if (text_[pos] == '{' || text_[pos] == ';') return pos;
    ++pos;
  }
}

std::size_t SettingTextScanner::ScanElements(std::size_t brace, SettingTable* table) {
  std::size_t depth = 0;  // inner "{" of a list of groups, such as { {0x10, 0x01}, {0x11, 0x02}, }
  std::size_t pos = brace + 1;
  while (true) {
    pos = skipper_.Skip(pos);
    if (pos >= text_.size()) return text_.size();
    const char c = text_[pos];
    if (c == '}') {
      if (depth == 0) return pos;
      --depth;
      ++pos;
    } else if (c == '{') {
      ++depth;
      ++pos;
    } else if (c == '0' && pos + 1 < text_.size() && text_[pos + 1] == 'x') {
      const std::size_t end = ElementEnd(pos + 2, depth);
      const std::string_view element = text_.substr(pos, end - pos);
      if (table != nullptr) {
        log_.append(element).append("\t");
        table->elements.push_back(ParseHexValue(element));
        ++table->count;
        runningOffset_ += table->width;
      }
      pos = (end < text_.size() && text_[end] == ',') ? end + 1 : end;
    } else {
      ++pos;
    }
  }
}

// An element normally ends at its comma. A last element written without one ends at the "}"
// that closes the list, so one missing comma cannot swallow the rest of the text.
std::size_t SettingTextScanner::ElementEnd(std::size_t start, std::size_t& depth) {
  std::size_t pos = start;
  while (true) {
    pos = skipper_.Skip(pos);
    if (pos >= text_.size()) return text_.size();
    const char c = text_[pos];
    if (c == ',') return pos;
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (depth == 0) return pos;
      --depth;
    }
    ++pos;
  }
}

}  // namespace settings
