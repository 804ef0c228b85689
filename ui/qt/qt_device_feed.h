#pragma once
// Device-change notices into a running dialog: the system's notifier (udev on Linux) watched
// by a socket notifier of the Qt event loop. Each time its handle becomes readable every
// pending notice is taken and the attached window gets one PostDeviceChange; the dialog waits
// for a burst to settle before it looks again.
//
// Without a notifier (no udev, no rights to listen) the feed works without: nothing is posted
// and the detection runs only at start. The reason is written to stderr once, never shown.
// Everything here belongs on the user-interface thread.

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

#include "platform/device_notifier.h"
#include "ui/window/dialog_window.h"

namespace ui::qt {

class QtDeviceFeed {
 public:
  // Makes a notifier, or null with the reason in error.
  using NotifierFactory =
      std::function<std::unique_ptr<platform::DeviceNotifier>(std::string& error)>;

  // The system's notifier, platform::CreateDeviceNotifier.
  QtDeviceFeed();
  explicit QtDeviceFeed(NotifierFactory factory);
  ~QtDeviceFeed();
  QtDeviceFeed(const QtDeviceFeed&) = delete;
  QtDeviceFeed& operator=(const QtDeviceFeed&) = delete;

  // Posts device changes to window from now on; a QApplication must exist. The first call
  // makes the notifier, so a program that never shows a window never listens.
  void Attach(window::DialogWindow& window);
  // Stops posting and lets go of the event loop's watch (call it before the QApplication
  // ends); the notices that come meanwhile are taken at the next Attach.
  void Detach();

  // Whether notices reach the window: attached, with a notifier.
  bool Listening() const { return socket_ != nullptr; }

 private:
  // Takes every pending notice; one post for all of them.
  void Drain();

  NotifierFactory factory_;
  bool notifierTried_ = false;
  std::unique_ptr<platform::DeviceNotifier> notifier_;
  std::unique_ptr<QSocketNotifier> socket_;
  window::DialogWindow* window_ = nullptr;
};

}  // namespace ui::qt
