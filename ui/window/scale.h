#pragma once
// Run-time pixel values are designed for 96 dots per inch and scaled by s = the screen's
// logical dots per inch ÷ 96, computed in double and truncated toward zero.

#include "ui/window/geometry.h"

namespace ui::window {

inline constexpr int kDesignDpi = 96;

double ScaleFactorFromDpi(int logicalDpi);

// design × s, truncated toward zero.
int Scaled(int design, double scale);

// Each of the four numbers scaled on its own.
PixelRect Scaled(const PixelRect& design, double scale);

}  // namespace ui::window
