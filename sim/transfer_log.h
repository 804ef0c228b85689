#pragma once
// Everything that crossed the simulated wire, in order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

enum class CallKind { List, Open, Close, GetAttributes, GetFeatureCaps, SetFeature, GetFeature };

struct TransferRecord {
  CallKind kind;
  std::string path;  // empty for List
  // SetFeature: what the host sent. GetFeature: what it received, or on failure the host's
  // unchanged buffer (report id first). Open: the mode as {read, write, exclusive}, 0 or 1 each.
  std::vector<uint8_t> bytes;
  bool ok = false;
  uint8_t reportId = 0;  // SetFeature and GetFeature: the report the host asked for
};

// Feature-report transfers only.
struct TransferCounters {
  size_t sets = 0;
  size_t gets = 0;
  size_t failed = 0;  // sets and gets that returned false
};

}  // namespace sim
