#include "ui/qt/qt_window_system.h"

#include "ui/qt/qt_dialog.h"

namespace ui::qt {

int QtWindowSystem::RunModal(const window::DialogTemplate& dialog, window::DialogHandler& handler) {
  QtDialog running(dialog, handler, nullptr);
  return running.Run();
}

}  // namespace ui::qt
