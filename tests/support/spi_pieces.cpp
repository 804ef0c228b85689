#include "tests/support/spi_pieces.h"

#include <cstdio>

namespace testing_support {

SpiPiece W(std::vector<uint8_t> bytes, bool end) {
  return SpiPiece{false, std::move(bytes), 0, end};
}

SpiPiece R(uint8_t length, bool end) {
  return SpiPiece{true, {}, length, end};
}

std::vector<SpiPiece> SpiPiecesOf(const std::vector<sim::TransferRecord>& log) {
  std::vector<SpiPiece> pieces;
  uint8_t command = 0xFF;
  uint8_t readLength = 0;
  bool readEnd = false;
  bool open = false;  // a transaction runs: the next piece continues it
  const auto add = [&](SpiPiece piece) {
    piece.first = !open;
    open = !piece.end;
    pieces.push_back(std::move(piece));
  };
  for (const sim::TransferRecord& record : log) {
    if (record.kind == sim::CallKind::SetFeature && record.bytes.size() == 5 &&
        record.bytes[0] == 0x87) {
      command = record.bytes[1];
      readLength = record.bytes[3];
      readEnd = record.bytes[4] == 1;
      if (command == 0x0A) add(R(readLength, readEnd));
      continue;
    }
    if (record.kind == sim::CallKind::SetFeature && record.bytes.size() == 41 &&
        record.bytes[0] == 0x93 && command == 0x0B) {
      const uint8_t count = record.bytes[2];
      add(W(std::vector<uint8_t>(record.bytes.begin() + 4, record.bytes.begin() + 4 + count),
            record.bytes[3] == 1));
      command = 0xFF;
    }
  }
  return pieces;
}

std::vector<SpiPiece> PiecesStartingWith(const std::vector<SpiPiece>& pieces, uint8_t opcode) {
  std::vector<SpiPiece> out;
  for (const SpiPiece& piece : pieces) {
    if (piece.first && !piece.read && !piece.sent.empty() && piece.sent[0] == opcode) {
      out.push_back(piece);
    }
  }
  return out;
}

void PrintTo(const SpiPiece& piece, std::ostream* out) {
  *out << Describe({piece});
}

std::string Describe(const std::vector<SpiPiece>& pieces) {
  std::string out;
  for (const SpiPiece& piece : pieces) {
    char text[16];
    if (piece.read) {
      std::snprintf(text, sizeof text, "R %u", piece.readLength);
      out += text;
    } else {
      out += "W";
      for (uint8_t byte : piece.sent) {
        std::snprintf(text, sizeof text, " %02X", byte);
        out += text;
      }
    }
    out += piece.end ? " |\n" : "\n";
  }
  return out;
}

}  // namespace testing_support
