#include "cli/trace_sink.h"

namespace cli {

platform::TraceSink StderrTraceSink(const CommandContext& context) {
  std::FILE* err = context.err;
  return [err](std::string_view line) {
    std::fprintf(err, "trace: %.*s\n", static_cast<int>(line.size()), line.data());
  };
}

}  // namespace cli
