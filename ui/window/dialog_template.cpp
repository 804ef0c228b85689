#include "ui/window/dialog_template.h"

namespace ui::window {

const ControlTemplate* DialogTemplate::Find(int controlId) const {
  for (const ControlTemplate& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

}  // namespace ui::window
