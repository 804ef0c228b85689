#include "ui/qt/qt_application.h"

namespace ui::qt {

QtApplication::QtApplication(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)) {
  // The modal runs are the program's loops: a window of its own closing (the demo's camera
  // window, a message box) must never end them, and the dialog decides when the program ends.
  QApplication::setQuitOnLastWindowClosed(false);
}

QtApplication::~QtApplication() = default;

int QtApplication::RunModal(const window::DialogTemplate& dialog, window::DialogHandler& handler) {
  return dialogs_.RunModal(dialog, handler);
}

}  // namespace ui::qt
