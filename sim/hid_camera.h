#pragma once
// The camera's side of the HID transport: feature report 0x87 (set, 4 bytes) carries a
// command, 0x93 (set and get, 40 bytes) its data or its answer, and 0x97 (set, 40 bytes; absent
// on legacy firmware) the extended I2C commands.
//
// The camera answers a get of 0x93 from byte 0 of the host's buffer on, where a standard device
// would repeat the report id: 40 answer bytes, then a zero.
//
// A set must carry exactly its report's length (5 bytes for 0x87, 41 for 0x93 and 0x97, report
// id included), and a get of 0x93 must ask for 41. Write commands on 0x87 (01, 03, 09, 0B) wait
// for their data in the next set of 0x93; a set of 0x93 that no command waits for is refused,
// except the one that follows an extended I2C write, which is accepted and ignored. Commands
// with lengths their frames cannot carry are refused. An extended I2C write that the slave
// refuses still succeeds at the set (its frames have no way to tell); an extended read tells it
// with R[0] = 0. A register read answers the four registers from the address on, whatever
// length it names (1..4); the SPI port byte of 0A and 0B is ignored (the chip has one bus).

#include <cstddef>
#include <cstdint>

#include "platform/hid.h"
#include "sim/chip.h"

namespace sim {

class HidCamera {
 public:
  struct Options {
    bool extendedI2c = true;  // report 0x97 present (false: legacy firmware)
    platform::HidAttributes attributes{0x3A5C, 0x0003, 0x0100};  // a made-up vendor id
  };

  HidCamera(Chip& chip, const Options& options);

  // buffer[0] is the report id, length counts it. False when the camera refuses the report.
  bool SetFeature(const uint8_t* buffer, size_t length);
  bool GetFeature(uint8_t* buffer, size_t length);

  platform::HidFeatureCaps FeatureCaps() const;
  const platform::HidAttributes& attributes() const { return options_.attributes; }

 private:
  static constexpr size_t kDataLength = 40;  // payload of 0x93 and 0x97

  bool Command(const uint8_t* p);   // a set of 0x87, p = its 4 payload bytes
  bool Data(const uint8_t* p);      // a set of 0x93
  bool Extended(const uint8_t* p);  // a set of 0x97
  bool AnswerRegister(uint16_t address, uint8_t length);

  Chip& chip_;
  Options options_;
  uint8_t command_[4] = {};           // the last 0x87 command
  bool commandPending_ = false;       // command_ waits for its data in a set of 0x93
  bool echoPending_ = false;          // the next set of 0x93 repeats an extended I2C write
  uint8_t answer_[kDataLength] = {};  // what the next get of 0x93 returns
};

}  // namespace sim
