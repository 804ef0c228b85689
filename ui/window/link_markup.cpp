#include "ui/window/link_markup.h"

namespace ui::window {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of needle in text from start, ignoring case, or npos.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t start) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (size_t i = start; i + needle.size() <= text.size(); ++i) {
    bool equal = true;
    for (size_t k = 0; k < needle.size() && equal; ++k) {
      equal = Lower(text[i + k]) == Lower(needle[k]);
    }
    if (equal) return i;
  }
  return std::string_view::npos;
}

// The opening tag starts "<a" followed by a blank or the closing ">".
size_t FindOpeningTag(std::string_view text) {
  for (size_t at = FindNoCase(text, "<a", 0); at != std::string_view::npos;
       at = FindNoCase(text, "<a", at + 1)) {
    const size_t next = at + 2;
    if (next < text.size() && (text[next] == '>' || text[next] == ' ')) return at;
  }
  return std::string_view::npos;
}

std::string HrefOf(std::string_view attributes) {
  const size_t href = FindNoCase(attributes, "href", 0);
  if (href == std::string_view::npos) return {};
  size_t at = attributes.find('=', href + 4);
  if (at == std::string_view::npos) return {};
  ++at;
  while (at < attributes.size() && attributes[at] == ' ') ++at;
  if (at >= attributes.size()) return {};
  const char quote = attributes[at];
  if (quote != '"' && quote != '\'') return {};
  const size_t end = attributes.find(quote, at + 1);
  if (end == std::string_view::npos) return {};
  return std::string(attributes.substr(at + 1, end - at - 1));
}

}  // namespace

LinkMarkup ParseLinkMarkup(std::string_view markup) {
  LinkMarkup link;
  const size_t open = FindOpeningTag(markup);
  const size_t openEnd = open == std::string_view::npos ? open : markup.find('>', open);
  const size_t close =
      openEnd == std::string_view::npos ? openEnd : FindNoCase(markup, "</a>", openEnd + 1);
  if (close == std::string_view::npos) {
    link.before = std::string(markup);
    return link;
  }
  link.hasAnchor = true;
  link.before = std::string(markup.substr(0, open));
  link.url = HrefOf(markup.substr(open + 2, openEnd - open - 2));
  link.anchorText = std::string(markup.substr(openEnd + 1, close - openEnd - 1));
  link.after = std::string(markup.substr(close + 4));
  return link;
}

}  // namespace ui::window
