#pragma once
// A picture for icons and picture controls: 32-bit pixels, row by row from the top left.

#include <cstdint>
#include <vector>

namespace ui::window {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, not premultiplied
};

}  // namespace ui::window
