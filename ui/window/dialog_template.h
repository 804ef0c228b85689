#pragma once
// Dialog templates as data: the window's frame, size and font, and every control with its id,
// kind, initial text, style and rectangle in dialog units.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/window/font_description.h"
#include "ui/window/geometry.h"

namespace ui::window {

enum class ControlKind {
  Static,
  PushButton,
  CheckBox,  // automatic: a click toggles it
  Edit,
  ProgressBar,
  Link,         // one anchor in link markup, see link_markup.h
  RingSurface,  // owner-drawn, transparent static the ring is drawn on
  Icon,         // static showing a picture
};

// Style bits of a control; a control without Visible is created hidden.
enum ControlStyle : uint32_t {
  kVisible = 1u << 0,
  kCentred = 1u << 1,  // text centred horizontally (statics word-wrap)
  kRightAligned = 1u << 2,
  kVerticallyCentred = 1u << 3,  // single line, centred vertically
  kSunken = 1u << 4,             // sunken edge
  kBorder = 1u << 5,
  kTabStop = 1u << 6,
  kDefaultButton = 1u << 7,
  kAutoHorizontalScroll = 1u << 8,
};

struct ControlTemplate {
  int id = 0;
  ControlKind kind = ControlKind::Static;
  std::string text;  // UTF-8
  uint32_t style = 0;
  DialogRect rect;
};

enum class FrameKind {
  Captioned,  // modal frame with caption and system menu
  Popup,      // neither caption nor border
};

struct DialogTemplate {
  int id = 0;
  FrameKind frame = FrameKind::Captioned;
  bool appWindow = false;  // has its own task-bar button
  int width = 0;           // dialog units
  int height = 0;          // dialog units
  std::string caption;     // UTF-8
  FontDescription font;
  std::vector<ControlTemplate> controls;

  // The control with id, or null.
  const ControlTemplate* Find(int controlId) const;
};

}  // namespace ui::window
