#pragma once
// The window layer on Qt Widgets. A QApplication must exist while dialogs run.

#include "ui/window/window_system.h"

namespace ui::qt {

class QtWindowSystem final : public window::WindowSystem {
 public:
  int RunModal(const window::DialogTemplate& dialog, window::DialogHandler& handler) override;
};

}  // namespace ui::qt
