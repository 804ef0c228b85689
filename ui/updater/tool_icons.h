#pragma once
// The updater's artwork, drawn in code so that no binary file is needed: the application icon
// (six sizes) and the confirmation's picture.

#include <vector>

#include "ui/window/picture.h"

namespace ui {

// A camera lens in the progress ring on the tool's blue, at size × size pixels.
window::Picture ApplicationIcon(int size);
// The application icon at 256, 128, 64, 48, 32 and 16 pixels.
std::vector<window::Picture> ApplicationIconSizes();

// The confirmation's picture: keep connected, a warning sign. 256 × 256, shown at 96 × 96.
window::Picture ConfirmationPicture();
inline constexpr int kConfirmationPictureShownSize = 96;

}  // namespace ui
