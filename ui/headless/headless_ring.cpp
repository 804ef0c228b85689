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

void HeadlessRing::BeginDraw() {
  batchDots_ = dots_;
  batchBackground_ = background_;
  batchCleared_ = cleared_;
  batchClearCount_ = clearCount_;
}

bool HeadlessRing::EndDraw() {
  if (!failEndDraw_) return true;
  dots_ = batchDots_;
  background_ = batchBackground_;
  cleared_ = batchCleared_;
  clearCount_ = batchClearCount_;
  return false;
}

void HeadlessRing::Erase() {
  dots_.clear();
}

}  // namespace ui::headless
