#pragma once
// Reading a HID report descriptor: the capabilities of its input, output and feature reports,
// counted the way the Windows HID parser counts them, and the length of every report.
//
// Each main item with a non-zero report count gives one capability per usage it names, or one
// for a usage range (minimum and maximum); an item that names no usage gives one capability
// of usage 0, except constant padding, which gives none. A capability is a button when its
// field is one bit wide or the item is an array, else a value. The usage page of a one- or
// two-byte usage is the one in force at the main item; a four-byte usage carries its own.
// Push and pop save and restore the global items; long items are skipped; delimiters are
// ignored, so every usage of an alias set counts.
//
// All top-level collections are counted together: the caller gets one interface per
// descriptor.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace platform {

struct HidReportLength {
  uint8_t reportId = 0;  // 0: the descriptor declares no report ids
  uint32_t bytes = 0;    // the report's data, without the report id byte
};

// What the descriptor declares for one report type.
struct HidReportTypeCaps {
  HidFeatureCaps caps;                   // buttons and values, in the order of declaration
  std::vector<HidReportLength> reports;  // in the order of first declaration
};

struct HidDescriptorCaps {
  HidReportTypeCaps input;
  HidReportTypeCaps output;
  HidReportTypeCaps feature;
};

// Upper bounds past which a descriptor is refused as absurd rather than counted.
inline constexpr uint32_t kHidMaxReportBytes = 0xFFFF;  // the Windows parser's 16-bit lengths
inline constexpr size_t kHidMaxPushDepth = 32;

// Parses size bytes from data into out (replaced whole). Returns false when the descriptor is
// malformed: an item cut short by the end of the buffer, report id 0 or above 255, a pop
// without a push, pushes deeper than kHidMaxPushDepth, an end collection without its
// collection or a collection left open, or a report longer than kHidMaxReportBytes. error then
// names the fault and its byte offset; out is unspecified. Never reads outside
// data[0..size-1]; data may be null when size is 0.
bool ParseHidReportDescriptor(const uint8_t* data, size_t size, HidDescriptorCaps& out,
                              std::string& error);

}  // namespace platform
