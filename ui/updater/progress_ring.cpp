#include "ui/updater/progress_ring.h"

#include <cmath>

namespace ui {

float RingTargetAngle(int percent) {
  return static_cast<float>(static_cast<double>(percent) * 3.6);
}

std::vector<float> RingDotAngles(float drawnAngle, float target) {
  std::vector<float> angles;
  for (float a = drawnAngle; target > a; a = static_cast<float>(static_cast<double>(a) + 1.8)) {
    angles.push_back(a);
  }
  return angles;
}

RingPoint RingDotCentre(float angle) {
  const float radians = (angle + 270.0f) * 3.14f / 180.0f;
  return {std::cos(radians) * kRingDotRadius + kRingCentre,
          std::sin(radians) * kRingDotRadius + kRingCentre};
}

void DrawRingDot(window::RingSurface& surface, float angle) {
  const RingPoint centre = RingDotCentre(angle);
  surface.FillEllipse(centre.x, centre.y, kDotSize, kDotSize, kRingProgress);
}

}  // namespace ui
