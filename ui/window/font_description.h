#pragma once
// A font as the dialogs ask for it: a face, a size in tenths of a point and the weight.

#include <string>

namespace ui::window {

struct FontDescription {
  std::string face;          // e.g. "Segoe UI"; the toolkit substitutes when not installed
  int pointSizeTenths = 90;  // 250 is 25 points
  bool bold = false;
  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace ui::window
