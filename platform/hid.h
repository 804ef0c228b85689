#pragma once
// HID interfaces: enumeration, attributes, feature capabilities and feature reports.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct HidAttributes {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t versionNumber = 0;
};

// One capability of the feature reports, counted the way the Windows HID parser counts them:
// a single usage, or a usage range when isRange is set.
struct HidCapability {
  uint8_t reportId = 0;
  bool isRange = false;
  uint16_t usagePage = 0;
  uint16_t usage = 0;     // when !isRange
  uint16_t usageMin = 0;  // when isRange
  uint16_t usageMax = 0;  // when isRange
};

struct HidFeatureCaps {
  std::vector<HidCapability> buttons;
  std::vector<HidCapability> values;
};

// How an interface is opened. No access at all is a query-only open: attributes and
// capabilities can be read, reports cannot be sent.
struct HidOpenMode {
  bool read = false;
  bool write = false;
  bool exclusive = false;  // share none; otherwise share read and write
};

// Why an Open returned null.
enum class HidOpenError {
  None,          // no open has failed
  AccessDenied,  // the system refused this user access to the interface
  Other,         // gone, busy, or any other reason
};

struct HidOpenFailure {
  HidOpenError error = HidOpenError::None;
  std::string path;    // the interface that could not be opened
  std::string reason;  // the system's own words, for a person to read
};

class HidDevice {
 public:
  // Closes the handle.
  virtual ~HidDevice() = default;

  // Each returns false when the value cannot be read; out is then unspecified.
  virtual bool GetAttributes(HidAttributes& out) = 0;
  virtual bool GetFeatureCaps(HidFeatureCaps& out) = 0;

  // Feature reports, synchronous. buffer[0] is the report id, length counts it.
  // GetFeature overwrites buffer[0..length-1] with what the device sends. Both return false
  // when the transfer fails; a failed get leaves the buffer as it was.
  virtual bool SetFeature(const uint8_t* buffer, size_t length) = 0;
  virtual bool GetFeature(uint8_t* buffer, size_t length) = 0;
};

class HidSystem {
 public:
  virtual ~HidSystem() = default;

  // Device paths of the present HID interfaces, in the system's enumeration order.
  // Returns false when the list cannot be made.
  virtual bool ListInterfaces(std::vector<std::string>& paths) = 0;

  // Opens one interface. Returns null when it cannot be opened in that mode.
  virtual std::unique_ptr<HidDevice> Open(const std::string& path, const HidOpenMode& mode) = 0;

  // Why opens failed since the last ListInterfaces, so that a caller that found no camera can
  // tell "none there" from "not allowed": an access refusal is kept over any later failure of
  // another kind. error is None when no open failed. A system that cannot tell keeps None.
  virtual HidOpenFailure LastOpenFailure() const { return {}; }
};

}  // namespace platform
