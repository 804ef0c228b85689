#include "cli/sim_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {
namespace {

constexpr size_t kGetKeeps = 40;  // the library keeps the data report's 40 bytes

void AppendHex(const uint8_t* bytes, size_t length, std::string& out) {
  static const char kDigits[] = "0123456789abcdef";
  for (size_t i = 0; i < length; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0x0F];
  }
}

}  // namespace

std::string SimLogLine(const sim::TransferRecord& record) {
  const bool set = record.kind == sim::CallKind::SetFeature;
  std::string line = set ? "set " : "get ";
  AppendHex(&record.reportId, 1, line);
  if (set && record.bytes.size() > 1) {
    line += ' ';
    AppendHex(record.bytes.data() + 1, record.bytes.size() - 1, line);
  } else if (!set && record.ok && !record.bytes.empty()) {
    line += ' ';
    AppendHex(record.bytes.data(), std::min(record.bytes.size(), kGetKeeps), line);
  }
  if (!record.ok) line += " failed";
  return line;
}

bool AppendSimLog(const std::string& path, const std::vector<sim::TransferRecord>& log,
                  std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = true;
  for (const sim::TransferRecord& record : log) {
    if (record.kind != sim::CallKind::SetFeature && record.kind != sim::CallKind::GetFeature) {
      continue;
    }
    const std::string line = SimLogLine(record) + "\n";
    ok = ok && std::fwrite(line.data(), 1, line.size(), file) == line.size();
  }
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) error = "cannot write " + path + " completely";
  return ok;
}

}  // namespace cli
