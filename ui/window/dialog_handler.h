#pragma once
// What a dialog does: the window layer calls these on the user-interface thread.

#include <cstdint>
#include <string>

namespace ui::window {

class DialogWindow;

class DialogHandler {
 public:
  virtual ~DialogHandler() = default;

  // Once, after the controls exist and before the dialog is shown.
  virtual void OnInitDialog(DialogWindow& window) = 0;

  // A button click, and the commands OK (1) and Cancel (2): Enter gives the default button's
  // command, Escape and the close box give Cancel. Returns whether the handler took it; a
  // command 1 or 2 nobody takes ends the dialog with that command as its result.
  virtual bool OnCommand(DialogWindow& window, int controlId) {
    (void)window;
    (void)controlId;
    return false;
  }

  // A timer set with DialogWindow::SetTimer came due.
  virtual void OnTimer(DialogWindow& window, int timerId) {
    (void)window;
    (void)timerId;
  }

  // A message posted with DialogWindow::Post, in the order posted.
  virtual void OnMessage(DialogWindow& window, uint32_t message, uint32_t wParam, int32_t lParam) {
    (void)window;
    (void)message;
    (void)wParam;
    (void)lParam;
  }

  // The set of devices changed (delivered in order with the posted messages).
  virtual void OnDeviceChange(DialogWindow& window) { (void)window; }

  // The anchor of link control controlId was clicked; url is the anchor's address.
  virtual void OnLinkClick(DialogWindow& window, int controlId, const std::string& url) {
    (void)window;
    (void)controlId;
    (void)url;
  }

  // The window was repainted; its ring surfaces have been erased to the background first.
  virtual void OnPaint(DialogWindow& window) { (void)window; }
};

}  // namespace ui::window
