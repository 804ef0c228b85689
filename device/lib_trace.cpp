#include "device/lib_trace.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/services.h"

void LibTrace(const char* format, ...) {
  const platform::TraceSink& sink = platform::CurrentServices().trace;
  if (!sink) return;
  char line[512];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (length < 0) return;
  if (static_cast<size_t>(length) < sizeof line) {
    sink(std::string_view(line, static_cast<size_t>(length)));
    return;
  }
  // Longer than the stack buffer: format again into one that fits, never cut a line short.
  std::string longLine(static_cast<size_t>(length) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(longLine.data(), longLine.size(), format, args);
  va_end(args);
  longLine.resize(static_cast<size_t>(length));
  sink(longLine);
}
