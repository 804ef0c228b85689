#pragma once
// The Qt application of a GUI program as the window system its dialogs run on: it owns the
// QApplication, made from the program's command line (Qt takes its own options, such as
// -platform, and leaves the rest), and runs each dialog modally with QtWindowSystem.
//
// Made by the updater's window-system factory, so only a copy that knows it is the only one
// ever starts the toolkit.

#include <QApplication>
#include <memory>

#include "ui/qt/qt_window_system.h"
#include "ui/window/window_system.h"

namespace ui::qt {

class QtApplication final : public window::WindowSystem {
 public:
  // argc and argv must outlive the object, as QApplication keeps them. Only one may exist at a
  // time in a process.
  QtApplication(int& argc, char** argv);
  ~QtApplication() override;
  QtApplication(const QtApplication&) = delete;
  QtApplication& operator=(const QtApplication&) = delete;

  int RunModal(const window::DialogTemplate& dialog, window::DialogHandler& handler) override;

 private:
  std::unique_ptr<QApplication> application_;
  QtWindowSystem dialogs_;
};

}  // namespace ui::qt
