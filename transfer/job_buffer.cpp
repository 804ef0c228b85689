#include "transfer/job_buffer.h"

#include <new>

namespace transfer {

std::unique_ptr<uint8_t[]> AllocateJobBuffer(size_t size) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size == 0 ? 1 : size]());
}

}  // namespace transfer
