#pragma once
// The camera chip as the host reaches it: a register file with the registers the library
// relies on, an SPI bus with the flash, and an I2C bus with the EEPROM.
//
//   0x0000  4 bytes  chip id; the low byte decides the chip generation
//   0x0005  bit 4    the last legacy I2C transfer failed
//           bit 7    an older chip boots from SPI flash (clear: from the I2C EEPROM)
//   0x0006  bit 2    must be clear for I2C access to slave 0xA0
//   0x000A           version-chain and address-form selector
//   0x0080, 0x0081, 0x0084, 0x0085  GPIO
// Every other address is a plain byte register. The chip id and 0x0005 are read-only to the
// host; 0x0006 starts with bit 2 set, so the host's EEPROM preparation is needed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "sim/i2c_eeprom.h"
#include "sim/spi_flash.h"

namespace sim {

class Chip {
 public:
  // bootsFromSpi sets 0x0005 bit 7. Either bus part may be null (nothing answers there).
  Chip(uint32_t chipId, std::unique_ptr<SpiFlash> flash, std::unique_ptr<I2cEeprom> eeprom,
       bool bootsFromSpi = true);

  // length 1..4 bytes at address, little-endian (other lengths are clamped to 1..4). Writes to
  // read-only registers are dropped.
  uint32_t RegRead(uint16_t address, uint8_t length) const;
  void RegWrite(uint16_t address, uint8_t length, uint32_t value);
  // Sets one register byte as the hardware would, read-only ones included (for tests).
  void SetRegister(uint16_t address, uint8_t value) { registers_[address] = value; }

  // I2C transfers on the chip's bus. A refused transfer (no such slave, or slave 0xA0 while
  // register 0x0006 bit 2 is set) returns false; `legacy` transfers then set 0x0005 bit 4, and a
  // successful legacy transfer clears it.
  bool I2cWrite(uint8_t slave, const uint8_t* bytes, size_t length, bool legacy);
  bool I2cRead(uint8_t slave, uint8_t* bytes, size_t length, bool legacy);

  SpiFlash* flash() { return flash_.get(); }
  I2cEeprom* eeprom() { return eeprom_.get(); }

 private:
  // Slave 0xA0 (either direction bit) answers when the EEPROM is fitted and the gate is open.
  bool EepromReachable(uint8_t slave) const;
  // A legacy transfer's outcome in 0x0005 bit 4.
  void NoteLegacyResult(bool ok);

  std::array<uint8_t, 0x10000> registers_{};
  std::unique_ptr<SpiFlash> flash_;
  std::unique_ptr<I2cEeprom> eeprom_;
};

}  // namespace sim
