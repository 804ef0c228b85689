#include "platform/linux/hidraw_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/hid_report_descriptor.h"
#include "platform/linux/hidraw_device.h"

namespace platform::linux_backend {
namespace {

// The feature capabilities of the node's descriptor; none when it cannot be read or parsed,
// so that the probe fails for it as it would for an interface without preparsed data.
std::optional<HidFeatureCaps> FeatureCapsOf(const HidrawNode& node) {
  std::vector<uint8_t> descriptor;
  if (!ReadHidrawReportDescriptor(node, descriptor)) return std::nullopt;
  HidDescriptorCaps caps;
  std::string error;
  if (!ParseHidReportDescriptor(descriptor.data(), descriptor.size(), caps, error)) {
    return std::nullopt;
  }
  return std::move(caps.feature.caps);
}

HidOpenError ErrorOf(int error) {
  return error == EACCES || error == EPERM ? HidOpenError::AccessDenied : HidOpenError::Other;
}

}  // namespace

HidrawSystem::HidrawSystem(HidrawRoots roots) : roots_(std::move(roots)) {}

bool HidrawSystem::ListInterfaces(std::vector<std::string>& paths) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    failure_ = {};
  }
  std::vector<HidrawNode> nodes;
  std::string error;
  if (!ListHidrawNodes(roots_, nodes, error)) return false;
  paths.clear();
  for (const HidrawNode& node : nodes) paths.push_back(node.devicePath);
  return true;
}

std::unique_ptr<HidDevice> HidrawSystem::Open(const std::string& path, const HidOpenMode& mode) {
  std::vector<HidrawNode> nodes;
  std::string error;
  if (!ListHidrawNodes(roots_, nodes, error)) {
    NoteFailure(HidOpenError::Other, path, error);
    return nullptr;
  }
  const HidrawNode* node = nullptr;
  for (const HidrawNode& candidate : nodes) {
    if (candidate.devicePath == path) node = &candidate;
  }
  if (node == nullptr) {
    NoteFailure(HidOpenError::Other, path, "no such hidraw interface");
    return nullptr;
  }

  int fd = -1;
  if (!mode.read && !mode.write) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
      const int cause = errno;
      NoteFailure(ErrorOf(cause), path, std::strerror(cause));
      return nullptr;
    }
  } else {
    const int access = mode.read && mode.write ? O_RDWR : (mode.write ? O_WRONLY : O_RDONLY);
    fd = open(path.c_str(), access | O_CLOEXEC);
    if (fd < 0) {
      const int cause = errno;
      NoteFailure(ErrorOf(cause), path, std::strerror(cause));
      return nullptr;
    }
    if (flock(fd, (mode.exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
      const int cause = errno;
      close(fd);
      NoteFailure(HidOpenError::Other, path,
                  cause == EWOULDBLOCK ? "in use by another handle" : std::strerror(cause));
      return nullptr;
    }
  }

  std::optional<HidAttributes> attributes(HidAttributes{});
  if (!ReadHidrawAttributes(*node, *attributes)) attributes.reset();
  return std::make_unique<HidrawDevice>(fd, std::move(attributes), FeatureCapsOf(*node));
}

HidOpenFailure HidrawSystem::LastOpenFailure() const {
  std::lock_guard<std::mutex> guard(lock_);
  return failure_;
}

void HidrawSystem::NoteFailure(HidOpenError error, const std::string& path,
                               const std::string& reason) {
  std::lock_guard<std::mutex> guard(lock_);
  if (failure_.error == HidOpenError::AccessDenied && error != HidOpenError::AccessDenied) return;
  failure_ = {error, path, reason};
}

}  // namespace platform::linux_backend
