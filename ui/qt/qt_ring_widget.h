#pragma once
// The ring surface on Qt: a transparent widget that keeps what was drawn on it and paints it
// whenever Qt asks.

#include <QWidget>
#include <vector>

#include "ui/window/ring_surface.h"

namespace ui::qt {

class QtRingWidget final : public QWidget, public window::RingSurface {
 public:
  explicit QtRingWidget(QWidget* parent);

  void Clear(const window::Colour& colour) override;
  void FillEllipse(float centreX, float centreY, float radiusX, float radiusY,
                   const window::Colour& colour) override;
  // The window was repainted with its background erased: the dots are gone.
  void Erase();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Dot {
    float centreX, centreY, radiusX, radiusY;
    window::Colour colour;
  };
  std::vector<Dot> dots_;
  window::Colour background_;
  bool cleared_ = false;
};

}  // namespace ui::qt
