#pragma once
// A SPI NOR flash as such parts behave: opcodes 9F, 05, 01, 06, 04, 02, 03 and 20; a
// transaction runs from the first piece until chip select is released, and a program, erase or
// status write takes effect at that release. Program only clears bits and wraps inside its
// page; erase, program and status write need the write-enable latch and clear it; any of the
// block-protection bits 2 and 3 refuses erase and program; the part is busy for a set time
// after each of them, and while busy it ignores every opcode except 05.
//
// As on real parts, a command with a fixed length (06, 04: 1 byte; 01: 2; 20: 4) runs only
// when chip select is released right after its last byte, a page program needs at least one
// data byte, and the write-enable latch reads as set until the write cycle ends. A status
// write's new bits show at the end of its cycle, so a host that polls for them also waits for
// the part to be ready again. Addresses wrap at the capacity.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/flash_parts.h"
#include "sim/virtual_clock.h"

namespace sim {

struct FlashTiming {
  uint32_t programBusyMs = 1;
  uint32_t eraseBusyMs = 30;
  uint32_t statusWriteBusyMs = 5;
};

class SpiFlash {
 public:
  // Memory starts erased (all 0xFF), status 0.
  SpiFlash(const FlashPart& part, VirtualClock& clock);

  // One piece while chip select is asserted: first the bytes the host sends, then the bytes it
  // reads back (either may be empty).
  void Send(const uint8_t* bytes, size_t length);
  void Receive(uint8_t* bytes, size_t length);
  // Chip select released: the transaction ends.
  void Deselect();

  const FlashPart& part() const { return part_; }
  std::vector<uint8_t>& memory() { return memory_; }
  const std::vector<uint8_t>& memory() const { return memory_; }
  uint8_t status() const;  // with the busy bit as of now
  void SetStatus(uint8_t status);

  void SetTiming(const FlashTiming& timing) { timing_ = timing; }
  // A fault: the busy bit never clears.
  void SetStuckBusy(bool stuck) { stuckBusy_ = stuck; }
  // A fault: 9F answers these id bytes instead of the part's own (FF FF FF: no part answers).
  void SetIdentification(const uint8_t id[3]);
  // A fault: every page program clears one bit more than it was asked to, as a worn cell does.
  void SetCorruptPrograms(bool corrupt) { corruptPrograms_ = corrupt; }

  // Flash contents to and from a file of exactly capacity bytes; false with a reason on error.
  bool Load(const std::string& path, std::string& error);
  bool Save(const std::string& path, std::string& error) const;

 private:
  // What keeps the part busy after a deselect, and what it does when it ends.
  enum class Cycle { None, Program, Erase, StatusWrite };

  bool InCycle() const;  // the write cycle in progress has not ended yet
  bool Busy() const;     // InCycle or stuck
  // Status bits 1..7 once the cycle that has ended is folded in.
  uint8_t SettledStatus() const;
  // Folds an ended cycle into status_.
  void Settle();
  void StartCycle(Cycle cycle, uint32_t lengthMs);
  // Runs the transaction's command at chip-select release.
  void Commit();
  void Program(uint32_t address, const uint8_t* data, size_t length);

  FlashPart part_;
  VirtualClock& clock_;
  FlashTiming timing_;
  std::vector<uint8_t> memory_;
  uint8_t status_ = 0;  // bits 1..7; bit 0 is computed
  bool stuckBusy_ = false;
  uint8_t jedecId_[3];
  bool corruptPrograms_ = false;
  // The write cycle started at the last program, erase or status write. A status write's new
  // bits show only when it ends, as on real parts; the write-enable latch clears then too.
  Cycle cycle_ = Cycle::None;
  uint32_t cycleStart_ = 0;
  uint32_t cycleLength_ = 0;
  uint8_t pendingStatus_ = 0;
  // The transaction in progress: everything sent (sent_[0] is the opcode), how many bytes were
  // read, and whether the part ignores it (opcode arrived while busy, or no opcode at all).
  std::vector<uint8_t> sent_;
  size_t readCount_ = 0;
  bool ignored_ = false;
};

}  // namespace sim
