#include "settings/table_declaration.h"

#include <array>

namespace settings {
namespace {

struct TypeKeyword {
  std::string_view text;
  std::uint32_t width;
};

// Tried in this order: the longer keywords first, so "uint16" is not taken for "uint".
constexpr std::array<TypeKeyword, 8> kTypeKeywords{{
    {"uint32", 4},
    {"UINT32", 4},
    {"uint16", 2},
    {"UINT16", 2},
    {"uint8", 1},
    {"UINT8", 1},
    {"uint", 2},
    {"uchar", 1},
}};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::optional<TableDeclaration> ReadTableDeclaration(std::string_view text) {
  for (const TypeKeyword& keyword : kTypeKeywords) {
    const std::size_t start = text.find(keyword.text);
    if (start == std::string_view::npos) continue;
    std::size_t tokenEnd = text.find_first_of(" \t", start);
    if (tokenEnd == std::string_view::npos) tokenEnd = text.size();
    std::size_t nameStart = tokenEnd;
    while (nameStart < text.size() && IsBlank(text[nameStart])) ++nameStart;
    return TableDeclaration{keyword.width, text.substr(start, tokenEnd - start),
                            text.substr(nameStart)};
  }
  return std::nullopt;
}

}  // namespace settings
