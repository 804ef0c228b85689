#pragma once
// A drawing surface the progress ring is painted on: it is cleared to one colour and filled
// with small solid ellipses. Coordinates are the surface's own, in device-independent units.

namespace ui::window {

// Components from 0 to 1.
struct Colour {
  float red = 0;
  float green = 0;
  float blue = 0;
  float alpha = 1;
  friend bool operator==(const Colour&, const Colour&) = default;
};

class RingSurface {
 public:
  virtual ~RingSurface() = default;

  // Paints the whole surface in colour; everything drawn before is gone.
  virtual void Clear(const Colour& colour) = 0;

  // Fills the ellipse around (centreX, centreY) with radii radiusX and radiusY.
  virtual void FillEllipse(float centreX, float centreY, float radiusX, float radiusY,
                           const Colour& colour) = 0;

  // Bracket one batch of drawing. EndDraw is false when the batch could not be shown (the
  // drawing device was lost); what the batch drew is then not on the surface.
  virtual void BeginDraw() {}
  virtual bool EndDraw() { return true; }
};

}  // namespace ui::window
