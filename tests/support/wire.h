#pragma once
// Expected frames, written the way they cross the wire.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "sim/transfer_log.h"

namespace testing_support {

struct Frame {
  bool set;  // SetFeature (host to camera) or GetFeature
  std::vector<uint8_t> bytes;
  bool operator==(const Frame&) const = default;
};

// A set of report id with the payload, zero-padded to the report's length (4 bytes for 0x87,
// 40 for 0x93 and 0x97).
Frame Set(uint8_t reportId, std::initializer_list<uint8_t> payload);
// A get of report id; only its direction and report are compared (the answer is the camera's).
Frame Get(uint8_t reportId);

// The feature transfers of a log, answers of gets reduced to their report id.
std::vector<Frame> FramesOf(const std::vector<sim::TransferRecord>& log);

std::string Describe(const std::vector<Frame>& frames);

}  // namespace testing_support
