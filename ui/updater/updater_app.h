#pragma once
// The updater program: one copy per logon session, the main dialog run modally as the
// program's only loop, and the end of the program when it closes.

#include <functional>
#include <memory>

#include "ui/updater/updater_hooks.h"
#include "ui/window/window_system.h"

namespace ui {

// Makes the window toolkit ready (the Qt application, or a headless one for tests). Called
// only once this copy knows it is the only one, so a second copy never touches the toolkit.
using WindowSystemFactory = std::function<std::unique_ptr<window::WindowSystem>()>;

class CTarn_Download_OnlyApp {
 public:
  CTarn_Download_OnlyApp(WindowSystemFactory windows, UpdaterHooks hooks = {});

  // Start-up: takes the single-instance lock, makes the toolkit ready, runs the main dialog
  // until it closes. Returns false in every case: nothing runs after the dialog.
  bool InitInstance();

  // Whether the last InitInstance ended at once because another copy runs.
  bool EndedAsSecondCopy() const { return endedAsSecondCopy_; }

 private:
  WindowSystemFactory windows_;
  UpdaterHooks hooks_;
  bool endedAsSecondCopy_ = false;
};

}  // namespace ui
