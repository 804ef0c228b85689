#pragma once
// The progress ring's arithmetic: two dots per percent, 1.8 degrees apart on radius 82 around
// (87, 87), from the top clockwise (y grows downwards). The angle runs in float with the
// factor 3.14 (not pi), so a full 100 % ends just short of the circle.

#include <vector>

#include "ui/window/ring_surface.h"

namespace ui {

inline constexpr window::Colour kRingBackground{0.94f, 0.94f, 0.94f, 1.0f};
inline constexpr window::Colour kRingOutline{0.0f, 0.0f, 0.0f, 1.0f};
inline constexpr window::Colour kRingProgress{0.42f, 0.96f, 0.29f, 1.0f};
inline constexpr float kRingCentre = 87;
inline constexpr float kRingDotRadius = 82;  // the middle of the band from 79 to 85
inline constexpr float kDotSize = 4;

// percent × 3.6 degrees, computed in double and kept as float.
float RingTargetAngle(int percent);

// The angles of the dots a step draws from the drawn angle up to, not including, target.
std::vector<float> RingDotAngles(float drawnAngle, float target);

struct RingPoint {
  float x;
  float y;
};
RingPoint RingDotCentre(float angle);

// Fills the dot of angle with the progress colour.
void DrawRingDot(window::RingSurface& surface, float angle);

}  // namespace ui
