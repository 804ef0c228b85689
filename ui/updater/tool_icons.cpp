#include "ui/updater/tool_icons.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace ui {
namespace {

struct Rgba {
  float r, g, b, a;
};

// One layer of a picture: a colour where the shape holds. x and y run from 0 to 1.
struct Layer {
  Rgba colour;
  std::function<bool(float x, float y)> contains;
};

// Draws the layers in order, each over the ones before, with 4 × 4 samples per pixel.
window::Picture Render(int size, const std::vector<Layer>& layers) {
  constexpr int kSamples = 4;
  window::Picture picture;
  picture.width = picture.height = size;
  picture.pixels.resize(static_cast<size_t>(size) * size);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      float r = 0, g = 0, b = 0, a = 0;  // premultiplied sum over the samples
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float x = (px + (sx + 0.5f) / kSamples) / size;
          const float y = (py + (sy + 0.5f) / kSamples) / size;
          float sr = 0, sg = 0, sb = 0, sa = 0;
          for (const Layer& layer : layers) {
            if (!layer.contains(x, y)) continue;
            const float la = layer.colour.a;
            sr = layer.colour.r * la + sr * (1 - la);
            sg = layer.colour.g * la + sg * (1 - la);
            sb = layer.colour.b * la + sb * (1 - la);
            sa = la + sa * (1 - la);
          }
          r += sr;
          g += sg;
          b += sb;
          a += sa;
        }
      }
      constexpr float kCount = kSamples * kSamples;
      a /= kCount;
      const auto channel = [a, kCount](float premultiplied) {
        if (a <= 0) return 0u;
        return static_cast<uint32_t>(std::clamp(premultiplied / kCount / a, 0.0f, 1.0f) * 255 +
                                     0.5f);
      };
      const uint32_t alpha = static_cast<uint32_t>(std::clamp(a, 0.0f, 1.0f) * 255 + 0.5f);
      picture.pixels[static_cast<size_t>(py) * size + px] =
          alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
    }
  }
  return picture;
}

float Distance(float x, float y, float cx, float cy) {
  return std::hypot(x - cx, y - cy);
}

bool InRoundedSquare(float x, float y, float inset, float radius) {
  const float lo = inset + radius, hi = 1 - inset - radius;
  const float dx = std::max({lo - x, 0.0f, x - hi});
  const float dy = std::max({lo - y, 0.0f, y - hi});
  return x >= inset && x <= 1 - inset && y >= inset && y <= 1 - inset &&
         dx * dx + dy * dy <= radius * radius;
}

constexpr Rgba kBlue{0.11f, 0.31f, 0.55f, 1};
constexpr Rgba kWhite{1, 1, 1, 1};
constexpr Rgba kBand{0.80f, 0.86f, 0.93f, 1};
constexpr Rgba kGreen{0.42f, 0.96f, 0.29f, 1};  // the progress ring's colour
constexpr Rgba kLensDark{0.07f, 0.12f, 0.20f, 1};
constexpr Rgba kAmber{0.96f, 0.66f, 0.10f, 1};

}  // namespace

window::Picture ApplicationIcon(int size) {
  const std::vector<Layer> layers = {
      {kBlue, [](float x, float y) { return InRoundedSquare(x, y, 0.03f, 0.18f); }},
      // The ring's band, three quarters of it done, clockwise from the top.
      {kBand,
       [](float x, float y) {
         const float d = Distance(x, y, 0.5f, 0.5f);
         return d >= 0.30f && d <= 0.40f;
       }},
      {kGreen,
       [](float x, float y) {
         const float d = Distance(x, y, 0.5f, 0.5f);
         if (d < 0.30f || d > 0.40f) return false;
         constexpr float kPi = 3.14159265f;
         float angle = std::atan2(x - 0.5f, 0.5f - y);  // 0 at the top, clockwise
         if (angle < 0) angle += 2 * kPi;
         return angle <= 1.5f * kPi;
       }},
      // The lens in the middle.
      {kWhite, [](float x, float y) { return Distance(x, y, 0.5f, 0.5f) <= 0.24f; }},
      {kLensDark, [](float x, float y) { return Distance(x, y, 0.5f, 0.5f) <= 0.15f; }},
      {kWhite, [](float x, float y) { return Distance(x, y, 0.45f, 0.45f) <= 0.045f; }},
  };
  return Render(size, layers);
}

std::vector<window::Picture> ApplicationIconSizes() {
  std::vector<window::Picture> sizes;
  for (const int size : {256, 128, 64, 48, 32, 16}) sizes.push_back(ApplicationIcon(size));
  return sizes;
}

window::Picture ConfirmationPicture() {
  const std::vector<Layer> layers = {
      {kAmber, [](float x, float y) { return Distance(x, y, 0.5f, 0.5f) <= 0.47f; }},
      // An exclamation mark: a bar and a dot.
      {kWhite,
       [](float x, float y) { return std::abs(x - 0.5f) <= 0.06f && y >= 0.20f && y <= 0.60f; }},
      {kWhite, [](float x, float y) { return Distance(x, y, 0.5f, 0.74f) <= 0.07f; }},
  };
  return Render(256, layers);
}

}  // namespace ui
