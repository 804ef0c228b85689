#include "ui/window/scale.h"

namespace ui::window {

double ScaleFactorFromDpi(int logicalDpi) {
  return static_cast<double>(logicalDpi) / static_cast<double>(kDesignDpi);
}

int Scaled(int design, double scale) {
  return static_cast<int>(static_cast<double>(design) * scale);  // the conversion truncates
}

PixelRect Scaled(const PixelRect& design, double scale) {
  return {Scaled(design.x, scale), Scaled(design.y, scale), Scaled(design.width, scale),
          Scaled(design.height, scale)};
}

}  // namespace ui::window
