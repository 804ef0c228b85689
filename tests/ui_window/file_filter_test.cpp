// Open-file filters in the toolkit's form.

#include "ui/window/file_filter.h"

#include <gtest/gtest.h>

namespace {

using ui::window::FileFilter;
using ui::window::ParseFileFilter;
using Filters = std::vector<FileFilter>;

TEST(FileFilter, ReadsTheDialogsFilters) {
  EXPECT_EQ(ParseFileFilter("Firmware File(*.bin)|*.bin||"),
            (Filters{{"Firmware File(*.bin)", {"*.bin"}}}));
  EXPECT_EQ(ParseFileFilter("Setting Bin or Txt(*.bin, *.txt)|*.bin;*.txt||"),
            (Filters{{"Setting Bin or Txt(*.bin, *.txt)", {"*.bin", "*.txt"}}}));
  EXPECT_EQ(ParseFileFilter("Bin(*.bin)|*.bin|All(*.*)|*.*||"),
            (Filters{{"Bin(*.bin)", {"*.bin"}}, {"All(*.*)", {"*.*"}}}));
}

TEST(FileFilter, StopsAtTheClosingBarsAndDropsIncompletePairs) {
  EXPECT_EQ(ParseFileFilter("Bin(*.bin)|*.bin||Ignored|*.x"), (Filters{{"Bin(*.bin)", {"*.bin"}}}));
  EXPECT_EQ(ParseFileFilter("Bin(*.bin)|*.bin"), (Filters{{"Bin(*.bin)", {"*.bin"}}}));
  EXPECT_EQ(ParseFileFilter("Lonely description"), Filters{});
  EXPECT_EQ(ParseFileFilter("Empty|;|Bin|*.bin||"), (Filters{{"Bin", {"*.bin"}}}));
  EXPECT_EQ(ParseFileFilter(""), Filters{});
}

}  // namespace
