#pragma once
// The flash driver's own building blocks: single pieces and the status poll.

#include <cstdint>
#include <optional>

inline constexpr uint8_t kOpReadId = 0x9F;
inline constexpr uint8_t kOpReadStatus = 0x05;
inline constexpr uint8_t kOpWriteStatus = 0x01;
inline constexpr uint8_t kOpWriteEnable = 0x06;
inline constexpr uint8_t kOpWriteDisable = 0x04;
inline constexpr uint8_t kOpPageProgram = 0x02;
inline constexpr uint8_t kOpRead = 0x03;
inline constexpr uint8_t kOpSectorErase = 0x20;

inline constexpr uint8_t kStatusBusy = 0x01;
inline constexpr uint8_t kStatusWriteEnabled = 0x02;
inline constexpr uint8_t kStatusProtection = 0x0C;

inline constexpr uint32_t kSectorSize = 4096;
inline constexpr uint32_t kPieceData = 32;  // data bytes per piece
inline constexpr uint32_t kStatusPollMs = 3000;
inline constexpr uint32_t kIdentifyRetryMs = 1000;

// One status read (05, one byte, ends the transaction); nothing when the read fails.
std::optional<uint8_t> ReadFlashStatus(int dev);

// Polls the status until (status & mask) == want, back to back, for at most 3000 ms. A read that
// fails keeps the last status seen; until one succeeds the flash counts as busy.
bool PollFlashStatus(int dev, uint8_t mask, uint8_t want);

// Sends bytes as data of one piece that ends the transaction; true when the pass-through took it.
bool SendFlashBytes(int dev, const uint8_t* bytes, uint8_t length);
