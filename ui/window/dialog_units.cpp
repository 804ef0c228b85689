#include "ui/window/dialog_units.h"

#include <cstdint>

namespace ui::window {
namespace {

// value * numerator / denominator, rounded to nearest with halves away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
  const int64_t product = static_cast<int64_t>(value) * numerator;
  const int64_t half = denominator / 2;
  const int64_t rounded =
      product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  return static_cast<int>(rounded);
}

}  // namespace

int HorizontalDialogUnitsToPixels(int units, const FontMetrics& metrics) {
  return MulDivRounded(units, metrics.averageCharWidth, 4);
}

int VerticalDialogUnitsToPixels(int units, const FontMetrics& metrics) {
  return MulDivRounded(units, metrics.height, 8);
}

PixelRect DialogUnitsToPixels(const DialogRect& rect, const FontMetrics& metrics) {
  // Left and right edges are mapped, not the width, so neighbouring controls stay flush.
  const int left = HorizontalDialogUnitsToPixels(rect.x, metrics);
  const int top = VerticalDialogUnitsToPixels(rect.y, metrics);
  const int right = HorizontalDialogUnitsToPixels(rect.x + rect.width, metrics);
  const int bottom = VerticalDialogUnitsToPixels(rect.y + rect.height, metrics);
  return {left, top, right - left, bottom - top};
}

}  // namespace ui::window
