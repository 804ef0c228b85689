#include "ui/headless/headless_ring.h"

namespace ui::headless {

void HeadlessRing::Clear(const window::Colour& colour) {
  dots_.clear();
  background_ = colour;
  cleared_ = true;
  ++clearCount_;
}

void HeadlessRing::FillEllipse(float centreX, float centreY, float radiusX, float radiusY,
                               const window::Colour& colour) {
  dots_.push_back({centreX, centreY, radiusX, radiusY, colour});
}

void HeadlessRing::Erase() {
  dots_.clear();
}

}  // namespace ui::headless
