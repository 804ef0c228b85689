#pragma once
// The library's one diagnostic channel: printf-style lines, the operation's name as tag.
// Lines go to the trace sink of the platform services; without a sink they are discarded
// before any formatting.

void LibTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
