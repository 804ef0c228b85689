#include "ui/qt/qt_device_feed.h"

#include <QCoreApplication>
#include <cstdio>

namespace ui::qt {
namespace {

// A notifier that never runs dry must not hold the loop: the rest is taken at the next
// activation, which comes at once since the handle is still readable.
constexpr int kMostNoticesPerActivation = 256;

}  // namespace

QtDeviceFeed::QtDeviceFeed() : QtDeviceFeed(platform::CreateDeviceNotifier) {}

QtDeviceFeed::QtDeviceFeed(NotifierFactory factory) : factory_(std::move(factory)) {}

QtDeviceFeed::~QtDeviceFeed() {
  Detach();
}

void QtDeviceFeed::Attach(window::DialogWindow& window) {
  window_ = &window;
  if (!notifierTried_) {
    notifierTried_ = true;
    std::string error;
    notifier_ = factory_ ? factory_(error) : nullptr;
    if (notifier_ == nullptr) {
      std::fprintf(stderr,
                   "%s: device changes are not watched (%s); the camera is looked for at start "
                   "only\n",
                   QCoreApplication::applicationName().toLocal8Bit().constData(),
                   error.empty() ? "no notifier" : error.c_str());
    }
  }
  if (notifier_ == nullptr || socket_ != nullptr) return;
  socket_ = std::make_unique<QSocketNotifier>(static_cast<qintptr>(notifier_->EventHandle()),
                                              QSocketNotifier::Read);
  QObject::connect(socket_.get(), &QSocketNotifier::activated, socket_.get(), [this] { Drain(); });
  // What came while no window was attached.
  Drain();
}

void QtDeviceFeed::Detach() {
  window_ = nullptr;
  socket_.reset();
}

void QtDeviceFeed::Drain() {
  if (notifier_ == nullptr) return;
  platform::DeviceNotice notice;
  int taken = 0;
  while (taken < kMostNoticesPerActivation && notifier_->NextNotice(0, notice)) ++taken;
  if (taken > 0 && window_ != nullptr) window_->PostDeviceChange();
}

}  // namespace ui::qt
