#pragma once
// --sim-log: every HID transfer the library made with the simulated camera, one line each.

#include <string>
#include <vector>

#include "sim/transfer_log.h"

namespace cli {

// "set 87 08000004" or "get 93 b2530100...": the direction, the report id, and the bytes in
// lowercase hex (a set's payload after the report id; a get's bytes the library keeps, the
// first `kept` of its answer). A failed transfer ends with " failed" and a failed get has no
// bytes.
std::string SimLogLine(const sim::TransferRecord& record);

// Appends the lines of the feature transfers in log to path; false with a reason on error.
bool AppendSimLog(const std::string& path, const std::vector<sim::TransferRecord>& log,
                  std::string& error);

}  // namespace cli
