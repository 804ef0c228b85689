// tavelin-fwupdate: the firmware-update tool for the person at the machine. It takes no
// command line of its own (Qt's options only), reaches the camera through the system's HID
// devices and looks again whenever the system reports a device change.

#include <memory>

#include "ui/qt/qt_application.h"
#include "ui/qt/qt_device_feed.h"
#include "ui/updater/updater_app.h"

int main(int argc, char** argv) {
  ui::qt::QtDeviceFeed deviceFeed;
  ui::UpdaterHooks hooks;
  hooks.mainWindowReady = [&deviceFeed](ui::window::DialogWindow& window) {
    deviceFeed.Attach(window);
  };
  hooks.mainWindowClosed = [&deviceFeed] { deviceFeed.Detach(); };
  // The toolkit starts only in the one copy that runs; a second copy ends without a window.
  ui::CTarn_Download_OnlyApp app(
      [&argc, argv] { return std::make_unique<ui::qt::QtApplication>(argc, argv); },
      std::move(hooks));
  app.InitInstance();
  return 0;
}
