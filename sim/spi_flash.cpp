// The SPI NOR flash model: one transaction per chip-select assertion, commands run at release.

#include "sim/spi_flash.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sim {
namespace {

constexpr uint8_t kOpWriteStatus = 0x01;
constexpr uint8_t kOpPageProgram = 0x02;
constexpr uint8_t kOpRead = 0x03;
constexpr uint8_t kOpWriteDisable = 0x04;
constexpr uint8_t kOpReadStatus = 0x05;
constexpr uint8_t kOpWriteEnable = 0x06;
constexpr uint8_t kOpReadId = 0x9F;
constexpr uint8_t kOpSectorErase = 0x20;

constexpr uint8_t kStatusBusy = 0x01;
constexpr uint8_t kStatusWel = 0x02;
constexpr uint8_t kStatusProtect = 0x0C;  // BP0 and BP1
constexpr uint32_t kSectorSize = 4096;
constexpr uint8_t kFloating = 0xFF;  // what the host reads when the part drives nothing

// The 24-bit address of a command in bytes 1..3.
uint32_t CommandAddress(const std::vector<uint8_t>& sent) {
  return (uint32_t{sent[1]} << 16) | (uint32_t{sent[2]} << 8) | sent[3];
}

}  // namespace

SpiFlash::SpiFlash(const FlashPart& part, VirtualClock& clock)
    : part_(part),
      clock_(clock),
      memory_(part.capacity, 0xFF),
      jedecId_{part.jedecId[0], part.jedecId[1], part.jedecId[2]} {}

bool SpiFlash::InCycle() const {
  return cycle_ != Cycle::None && clock_.TickCount() - cycleStart_ < cycleLength_;
}

bool SpiFlash::Busy() const {
  return stuckBusy_ || InCycle();
}

uint8_t SpiFlash::SettledStatus() const {
  uint8_t status = status_;
  if (cycle_ == Cycle::None || InCycle()) return status;
  if (cycle_ == Cycle::StatusWrite) {
    status = static_cast<uint8_t>((status & 0x03) | (pendingStatus_ & 0xFC));
  }
  return static_cast<uint8_t>(status & ~kStatusWel);
}

void SpiFlash::Settle() {
  status_ = SettledStatus();
  if (cycle_ != Cycle::None && !InCycle()) cycle_ = Cycle::None;
}

void SpiFlash::StartCycle(Cycle cycle, uint32_t lengthMs) {
  cycle_ = cycle;
  cycleStart_ = clock_.TickCount();
  cycleLength_ = lengthMs;
}

uint8_t SpiFlash::status() const {
  return static_cast<uint8_t>(SettledStatus() | (Busy() ? kStatusBusy : 0));
}

void SpiFlash::SetStatus(uint8_t status) {
  Settle();
  status_ = static_cast<uint8_t>(status & ~kStatusBusy);
}

void SpiFlash::Send(const uint8_t* bytes, size_t length) {
  if (length == 0 || ignored_) return;
  if (sent_.empty()) {
    Settle();
    if (Busy() && bytes[0] != kOpReadStatus) {
      ignored_ = true;
      return;
    }
  }
  sent_.insert(sent_.end(), bytes, bytes + length);
}

void SpiFlash::Receive(uint8_t* bytes, size_t length) {
  Settle();
  if (sent_.empty()) ignored_ = true;  // clocks without an opcode: nothing the part answers
  for (size_t i = 0; i < length; ++i, ++readCount_) {
    uint8_t value = kFloating;
    if (!ignored_) {
      switch (sent_[0]) {
        case kOpReadStatus:
          value = status();
          break;
        case kOpReadId:
          if (readCount_ < 3) value = jedecId_[readCount_];
          break;
        case kOpRead:
          if (sent_.size() >= 4) {
            value = memory_[(CommandAddress(sent_) + readCount_) % part_.capacity];
          }
          break;
        default:
          break;
      }
    }
    bytes[i] = value;
  }
}

void SpiFlash::Deselect() {
  Settle();
  if (!ignored_ && !sent_.empty()) Commit();
  sent_.clear();
  readCount_ = 0;
  ignored_ = false;
}

void SpiFlash::Commit() {
  const bool wel = (status_ & kStatusWel) != 0;
  const bool protectedArray = (status_ & kStatusProtect) != 0;
  switch (sent_[0]) {
    case kOpWriteEnable:
      if (sent_.size() == 1) status_ |= kStatusWel;
      break;
    case kOpWriteDisable:
      if (sent_.size() == 1) status_ &= static_cast<uint8_t>(~kStatusWel);
      break;
    case kOpWriteStatus:
      if (sent_.size() == 2 && wel) {
        pendingStatus_ = sent_[1];
        StartCycle(Cycle::StatusWrite, timing_.statusWriteBusyMs);
      }
      break;
    case kOpPageProgram:
      if (sent_.size() >= 5 && wel && !protectedArray) {
        Program(CommandAddress(sent_), sent_.data() + 4, sent_.size() - 4);
        StartCycle(Cycle::Program, timing_.programBusyMs);
      }
      break;
    case kOpSectorErase:
      if (sent_.size() == 4 && wel && !protectedArray) {
        const uint32_t sector = (CommandAddress(sent_) % part_.capacity) & ~(kSectorSize - 1);
        std::fill_n(memory_.begin() + sector, kSectorSize, uint8_t{0xFF});
        StartCycle(Cycle::Erase, timing_.eraseBusyMs);
      }
      break;
    default:  // reads leave nothing to do; unknown opcodes are ignored
      break;
  }
}

// The page buffer starts at all ones and takes the data from the address's place in the page
// on, wrapping at the page end (later bytes replace earlier ones); programming ANDs it in.
void SpiFlash::Program(uint32_t address, const uint8_t* data, size_t length) {
  const uint32_t page = part_.pageSize;
  address %= part_.capacity;
  const uint32_t base = address & ~(page - 1);
  std::vector<uint8_t> buffer(page, 0xFF);
  for (size_t i = 0; i < length; ++i) buffer[(address - base + i) % page] = data[i];
  for (uint32_t i = 0; i < page; ++i) memory_[base + i] &= buffer[i];
  if (corruptPrograms_) {
    for (uint32_t i = 0; i < page; ++i) {
      const uint32_t at = (address - base + i) % page;
      if (memory_[base + at] != 0) {
        memory_[base + at] &= static_cast<uint8_t>(memory_[base + at] - 1);  // lowest set bit
        break;
      }
    }
  }
}

void SpiFlash::SetIdentification(const uint8_t id[3]) {
  jedecId_[0] = id[0];
  jedecId_[1] = id[1];
  jedecId_[2] = id[2];
}

bool SpiFlash::Load(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  // One byte more than the capacity tells a longer file from one of the right size.
  std::vector<uint8_t> contents(size_t{part_.capacity} + 1);
  const size_t count = std::fread(contents.data(), 1, contents.size(), file);
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError) {
    error = "cannot read " + path;
    return false;
  }
  if (count != part_.capacity) {
    const std::string size = count > part_.capacity ? "more than " + std::to_string(part_.capacity)
                                                    : std::to_string(count);
    error = path + " holds " + size + " bytes; the " + std::string(part_.name) + " flash holds " +
            std::to_string(part_.capacity);
    return false;
  }
  contents.pop_back();
  memory_ = std::move(contents);
  return true;
}

bool SpiFlash::Save(const std::string& path, std::string& error) const {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  const size_t count = std::fwrite(memory_.data(), 1, memory_.size(), file);
  const bool closed = std::fclose(file) == 0;
  if (count != memory_.size() || !closed) {
    error = "cannot write " + path + ": " + std::to_string(count) + " of " +
            std::to_string(memory_.size()) + " bytes written";
    return false;
  }
  return true;
}

}  // namespace sim
