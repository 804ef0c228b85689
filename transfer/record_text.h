#pragma once
// The text fields of the request records, read no further than their size even when the
// caller left out the terminating zero.

#include <cstddef>
#include <cstring>
#include <string>

namespace transfer {

template <size_t N>
std::string RecordText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

}  // namespace transfer
