#pragma once
// A ring surface that remembers what is on it, for tests to read back.

#include <vector>

#include "ui/window/ring_surface.h"

namespace ui::headless {

struct Dot {
  float centreX;
  float centreY;
  float radiusX;
  float radiusY;
  window::Colour colour;
};

class HeadlessRing final : public window::RingSurface {
 public:
  void Clear(const window::Colour& colour) override;
  void FillEllipse(float centreX, float centreY, float radiusX, float radiusY,
                   const window::Colour& colour) override;

  void BeginDraw() override;
  bool EndDraw() override;

  // A repaint of the window erases the surface to the dialog background.
  void Erase();
  // While set, every batch fails at EndDraw and leaves the surface as it was before it.
  void FailEndDraw(bool fail) { failEndDraw_ = fail; }

  // The ellipses filled since the surface was last cleared or erased, in drawing order.
  const std::vector<Dot>& Dots() const { return dots_; }
  // The colour of the last Clear, or none when it was never cleared.
  const window::Colour* Background() const { return cleared_ ? &background_ : nullptr; }
  int ClearCount() const { return clearCount_; }

 private:
  std::vector<Dot> dots_;
  window::Colour background_;
  bool cleared_ = false;
  int clearCount_ = 0;
  bool failEndDraw_ = false;
  // The surface as a batch found it, to put back when the batch fails.
  std::vector<Dot> batchDots_;
  window::Colour batchBackground_;
  bool batchCleared_ = false;
  int batchClearCount_ = 0;
};

}  // namespace ui::headless
