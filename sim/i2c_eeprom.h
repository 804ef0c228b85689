#pragma once
// A serial I2C EEPROM at slave 0xA0 with two-byte offsets, high byte first. A write starts with
// the offset and may carry data, which wraps inside its page; a read continues at the current
// offset.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

class I2cEeprom {
 public:
  explicit I2cEeprom(uint32_t capacity = 32 * 1024, uint32_t pageSize = 64);

  // A write transaction addressed to the EEPROM; false (a NAK) when it is shorter than the
  // two offset bytes.
  bool Write(const uint8_t* bytes, size_t length);
  // A current-address read.
  bool Read(uint8_t* bytes, size_t length);

  std::vector<uint8_t>& memory() { return memory_; }
  uint32_t pageSize() const { return pageSize_; }

 private:
  std::vector<uint8_t> memory_;
  uint32_t pageSize_;
  uint32_t offset_ = 0;
};

}  // namespace sim
