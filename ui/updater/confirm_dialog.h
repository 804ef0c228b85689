#pragma once
// The confirmation before an update: ready to proceed, and a warning to keep the camera
// connected and the computer on. OK ends it and starts the update on the main dialog; Cancel,
// Escape or a camera that goes away end it without one.

#include "ui/window/dialog_handler.h"
#include "ui/window/dialog_window.h"

namespace ui {

class CTarn_Download_OnlyDlg;

class Update final : public window::DialogHandler {
 public:
  // Runs the dialog modally on owner's window; the result is the one it ended with.
  int Run(CTarn_Download_OnlyDlg& owner, window::DialogWindow& ownerWindow);

  // Whether its window exists (it is being shown).
  bool IsOpen() const { return window_ != nullptr; }
  // Ends it from outside, as the detection does when the camera has gone.
  void Close(int result);

  void OnInitDialog(window::DialogWindow& window) override;
  bool OnCommand(window::DialogWindow& window, int controlId) override;

 private:
  CTarn_Download_OnlyDlg* owner_ = nullptr;
  window::DialogWindow* window_ = nullptr;
};

// The one confirmation dialog of the process; each click on Update runs it again.
Update& TheConfirmationDialog();

}  // namespace ui
