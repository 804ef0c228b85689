#include "tests/support/wire.h"

#include <algorithm>
#include <cstdio>

namespace testing_support {

Frame Set(uint8_t reportId, std::initializer_list<uint8_t> payload) {
  const size_t length = reportId == 0x87 ? 4 : 40;
  Frame frame{true, std::vector<uint8_t>(std::max(length, payload.size()) + 1, 0)};
  frame.bytes[0] = reportId;
  std::copy(payload.begin(), payload.end(), frame.bytes.begin() + 1);
  return frame;
}

Frame Get(uint8_t reportId) {
  return Frame{false, {reportId}};
}

std::vector<Frame> FramesOf(const std::vector<sim::TransferRecord>& log) {
  std::vector<Frame> frames;
  for (const sim::TransferRecord& record : log) {
    if (record.kind == sim::CallKind::SetFeature) {
      frames.push_back(Frame{true, record.bytes});
    } else if (record.kind == sim::CallKind::GetFeature) {
      // The camera overwrites byte 0 with its answer, so the report id is the one requested:
      // gets in these tests are always of the data report.
      frames.push_back(Get(0x93));
    }
  }
  return frames;
}

std::string Describe(const std::vector<Frame>& frames) {
  std::string out;
  for (const Frame& frame : frames) {
    out += frame.set ? "set" : "get";
    size_t last = frame.bytes.size();
    while (last > 1 && frame.bytes[last - 1] == 0) --last;
    for (size_t i = 0; i < last; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", frame.bytes[i]);
      out += hex;
    }
    out += "\n";
  }
  return out;
}

}  // namespace testing_support
