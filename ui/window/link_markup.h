#pragma once
// Link controls show text with one anchor in markup: "Visit <a href=\"URL\">the page</a>.".

#include <string>
#include <string_view>

namespace ui::window {

struct LinkMarkup {
  std::string before;      // text before the anchor
  std::string anchorText;  // the clickable text
  std::string url;         // the anchor's href, empty when it has none
  std::string after;       // text after the anchor, later markup left as it stands
  bool hasAnchor = false;

  // What the control shows.
  std::string DisplayText() const { return before + anchorText + after; }
};

// Finds the first <a ...>...</a> (tag names in either case, href in double or single quotes).
// Text without a complete anchor is all "before".
LinkMarkup ParseLinkMarkup(std::string_view markup);

}  // namespace ui::window
