#include "platform/linux/hidraw_device.h"

#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::linux_backend {
namespace {

// The ioctl number carries the transfer length in its size field, which has 14 bits.
constexpr size_t kMaxTransfer = _IOC_SIZEMASK;

}  // namespace

HidrawDevice::HidrawDevice(int fd, std::optional<HidAttributes> attributes,
                           std::optional<HidFeatureCaps> caps)
    : fd_(fd), attributes_(std::move(attributes)), caps_(std::move(caps)) {}

HidrawDevice::~HidrawDevice() {
  if (fd_ >= 0) close(fd_);
}

bool HidrawDevice::GetAttributes(HidAttributes& out) {
  if (!attributes_) return false;
  out = *attributes_;
  return true;
}

bool HidrawDevice::GetFeatureCaps(HidFeatureCaps& out) {
  if (!caps_) return false;
  out = *caps_;
  return true;
}

bool HidrawDevice::SetFeature(const uint8_t* buffer, size_t length) {
  if (fd_ < 0 || buffer == nullptr || length == 0 || length > kMaxTransfer) return false;
  // The request is read and written by the kernel's ioctl path, and the caller's is const.
  std::vector<uint8_t> request(buffer, buffer + length);
  const int sent = ioctl(fd_, HIDIOCSFEATURE(length), request.data());
  return sent >= 0 && static_cast<size_t>(sent) == length;
}

bool HidrawDevice::GetFeature(uint8_t* buffer, size_t length) {
  if (fd_ < 0 || buffer == nullptr || length == 0 || length > kMaxTransfer) return false;
  // The kernel reads only the report id and copies back just what the device sent.
  std::vector<uint8_t> answer(length, 0);
  answer[0] = buffer[0];
  const int received = ioctl(fd_, HIDIOCGFEATURE(length), answer.data());
  if (received < 0) return false;
  const size_t got = std::min(static_cast<size_t>(received), length);
  std::fill(answer.begin() + static_cast<std::ptrdiff_t>(got), answer.end(), uint8_t{0});
  std::memcpy(buffer, answer.data(), length);
  return true;
}

}  // namespace platform::linux_backend
