// The I2C EEPROM model: an address counter that page writes move inside their page and reads
// move across the whole memory.

#include "sim/i2c_eeprom.h"

namespace sim {

I2cEeprom::I2cEeprom(uint32_t capacity, uint32_t pageSize)
    : memory_(capacity, 0xFF), pageSize_(pageSize) {}

bool I2cEeprom::Write(const uint8_t* bytes, size_t length) {
  if (length < 2) return false;
  const uint32_t capacity = static_cast<uint32_t>(memory_.size());
  const uint32_t offset = ((uint32_t{bytes[0]} << 8) | bytes[1]) % capacity;
  const uint32_t page = offset - offset % pageSize_;
  uint32_t inPage = offset - page;
  for (size_t i = 2; i < length; ++i) {
    memory_[page + inPage] = bytes[i];
    inPage = (inPage + 1) % pageSize_;
  }
  offset_ = page + inPage;
  return true;
}

bool I2cEeprom::Read(uint8_t* bytes, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    bytes[i] = memory_[offset_];
    offset_ = (offset_ + 1) % memory_.size();
  }
  return true;
}

}  // namespace sim
