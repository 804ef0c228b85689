#pragma once
// Dialog units to pixels: a horizontal unit is a quarter of the dialog font's average character
// width, a vertical unit an eighth of its height.

#include "ui/window/geometry.h"

namespace ui::window {

// The dialog font's measures in pixels on the screen in use.
struct FontMetrics {
  int averageCharWidth = 0;
  int height = 0;
};

// Each value scaled as the toolkit does it: multiplied, then divided with rounding to nearest
// (halves away from zero).
int HorizontalDialogUnitsToPixels(int units, const FontMetrics& metrics);
int VerticalDialogUnitsToPixels(int units, const FontMetrics& metrics);
PixelRect DialogUnitsToPixels(const DialogRect& rect, const FontMetrics& metrics);

}  // namespace ui::window
