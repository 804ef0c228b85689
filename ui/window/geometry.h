#pragma once
// Rectangles and sizes in the two units the dialogs are laid out in.

namespace ui::window {

// A rectangle in dialog units, as the templates give them: left, top, width, height.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// A rectangle in physical pixels, relative to the dialog's client area.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

}  // namespace ui::window
