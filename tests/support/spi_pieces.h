#pragma once
// The SPI pieces that a HID frame log carries, one per pass-through call: what the host sent
// (command and data bytes) or how many bytes it read, and whether the piece ended the
// transaction.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sim/transfer_log.h"

namespace testing_support {

struct SpiPiece {
  bool read = false;
  std::vector<uint8_t> sent;  // write pieces
  uint8_t readLength = 0;     // read pieces
  bool end = false;
  bool first = false;  // opens a transaction: its first byte is the opcode (not compared)
  bool operator==(const SpiPiece& other) const {
    return read == other.read && sent == other.sent && readLength == other.readLength &&
           end == other.end;
  }
};

void PrintTo(const SpiPiece& piece, std::ostream* out);

SpiPiece W(std::vector<uint8_t> bytes, bool end);
SpiPiece R(uint8_t length, bool end);

// Pieces of the flash-command frames in the log; other commands are skipped.
std::vector<SpiPiece> SpiPiecesOf(const std::vector<sim::TransferRecord>& log);

// Only the pieces that open a transaction with this opcode.
std::vector<SpiPiece> PiecesStartingWith(const std::vector<SpiPiece>& pieces, uint8_t opcode);

std::string Describe(const std::vector<SpiPiece>& pieces);

}  // namespace testing_support
