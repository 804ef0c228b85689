// The one anchor of a link control's markup.

#include "ui/window/link_markup.h"

#include <gtest/gtest.h>

namespace {

using ui::window::ParseLinkMarkup;

TEST(LinkMarkup, SplitsTheTextAroundItsAnchor) {
  const auto link = ParseLinkMarkup("visit: <a href=\"https://example.com/dl\">the page</a> now");
  ASSERT_TRUE(link.hasAnchor);
  EXPECT_EQ(link.before, "visit: ");
  EXPECT_EQ(link.anchorText, "the page");
  EXPECT_EQ(link.url, "https://example.com/dl");
  EXPECT_EQ(link.after, " now");
  EXPECT_EQ(link.DisplayText(), "visit: the page now");
}

TEST(LinkMarkup, AcceptsEitherCaseSingleQuotesAndAnAnchorWithoutAddress) {
  const auto upper = ParseLinkMarkup("<A HREF='u'>x</A>");
  EXPECT_TRUE(upper.hasAnchor);
  EXPECT_EQ(upper.url, "u");
  EXPECT_EQ(upper.anchorText, "x");
  const auto bare = ParseLinkMarkup("<a>x</a>");
  EXPECT_TRUE(bare.hasAnchor);
  EXPECT_EQ(bare.url, "");
  // Only the first anchor counts; later markup stays text.
  const auto two = ParseLinkMarkup("<a href=\"1\">a</a><a href=\"2\">b</a>");
  EXPECT_EQ(two.url, "1");
  EXPECT_EQ(two.after, "<a href=\"2\">b</a>");
}

TEST(LinkMarkup, TextWithoutACompleteAnchorIsPlainText) {
  for (const char* text : {"plain", "<a href=\"u\">never closed", "<abbr>x</abbr>", ""}) {
    const auto link = ParseLinkMarkup(text);
    EXPECT_FALSE(link.hasAnchor) << text;
    EXPECT_EQ(link.DisplayText(), text);
  }
}

}  // namespace
