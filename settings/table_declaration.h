#pragma once
// What a table's declaration text (the text before its "[") says: the element width, the
// type token and the table name.

#include <cstdint>
#include <optional>
#include <string_view>

namespace settings {

struct TableDeclaration {
  std::uint32_t width = 0;     // element width in bytes: 1, 2 or 4
  std::string_view typeToken;  // the type keyword's text up to the next blank or tab
  std::string_view name;       // everything after the token and its blanks, up to the "["
};

// Reads the declaration text; the width comes from the first keyword of "uint32", "UINT32",
// "uint16", "UINT16", "uint8", "UINT8", "uint", "uchar" that occurs in it, at its first
// occurrence. Nothing when none occurs. The views point into `text`.
std::optional<TableDeclaration> ReadTableDeclaration(std::string_view text);

}  // namespace settings
