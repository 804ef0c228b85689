// Dialog units to pixels, and the run-time scale factor.

#include <gtest/gtest.h>

#include "ui/window/dialog_units.h"
#include "ui/window/scale.h"

namespace {

using ui::window::DialogRect;
using ui::window::FontMetrics;
using ui::window::PixelRect;

TEST(DialogUnits, AQuarterCharacterAcrossAndAnEighthOfTheHeightDownRounded) {
  const FontMetrics metrics{7, 15};
  struct Case {
    int units;
    int horizontal;
    int vertical;
  };
  const Case cases[] = {
      {0, 0, 0},       {4, 7, 8},  // 4 × 7 / 4 = 7; 4 × 15 / 8 = 7.5 rounds up
      {1, 2, 2},                   // 1.75 → 2; 1.875 → 2
      {2, 4, 4},                   // 3.5 → 4 (halves away from zero); 3.75 → 4
      {319, 558, 598},             // 558.25 → 558; 598.125 → 598
      {-2, -4, -4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::window::HorizontalDialogUnitsToPixels(c.units, metrics), c.horizontal) << c.units;
    EXPECT_EQ(ui::window::VerticalDialogUnitsToPixels(c.units, metrics), c.vertical) << c.units;
  }
}

TEST(DialogUnits, RectanglesMapTheirEdgesSoNeighboursStayFlush) {
  const FontMetrics metrics{7, 15};
  // Two controls side by side: the first ends where the second begins, in pixels too.
  const PixelRect left = ui::window::DialogUnitsToPixels(DialogRect{7, 73, 1, 10}, metrics);
  const PixelRect right = ui::window::DialogUnitsToPixels(DialogRect{8, 73, 1, 10}, metrics);
  EXPECT_EQ(left.x + left.width, right.x);
  EXPECT_EQ(ui::window::DialogUnitsToPixels(DialogRect{16, 15, 165, 24}, metrics),
            (PixelRect{28, 28, 289, 45}));
}

TEST(ScaleFactor, DesignValuesTimesDpiOver96TruncatedTowardZero) {
  EXPECT_DOUBLE_EQ(ui::window::ScaleFactorFromDpi(96), 1.0);
  EXPECT_DOUBLE_EQ(ui::window::ScaleFactorFromDpi(120), 1.25);
  EXPECT_DOUBLE_EQ(ui::window::ScaleFactorFromDpi(144), 1.5);
  const double s = ui::window::ScaleFactorFromDpi(120);
  EXPECT_EQ(ui::window::Scaled(319, s), 398);  // 398.75
  EXPECT_EQ(ui::window::Scaled(-3, s), -3);    // -3.75 toward zero, not down
  EXPECT_EQ(ui::window::Scaled(PixelRect{1, 3, 5, 7}, ui::window::ScaleFactorFromDpi(168)),
            (PixelRect{1, 5, 8, 12}));  // 1.75, 5.25, 8.75, 12.25
}

}  // namespace
