#pragma once
// The toolkit behind the dialogs: runs a top-level dialog modally, the program's only loop.

#include "ui/window/dialog_handler.h"
#include "ui/window/dialog_template.h"

namespace ui::window {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the dialog from its template, calls OnInitDialog, and runs until the dialog ends;
  // returns the result it ended with.
  virtual int RunModal(const DialogTemplate& dialog, DialogHandler& handler) = 0;
};

}  // namespace ui::window
