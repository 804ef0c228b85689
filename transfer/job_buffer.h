#pragma once
// The buffers a job allocates per run: zero-filled, released on every way out, and null
// instead of an exception when there is no memory for them.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace transfer {

std::unique_ptr<uint8_t[]> AllocateJobBuffer(size_t size);

}  // namespace transfer
