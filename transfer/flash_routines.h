#pragma once
// The flash routines the jobs share with the setting commands, all on device 0. None of them
// tests the session flag.

#include <cstdint>

namespace transfer {

inline constexpr uint32_t kSectorSize = 4096;

// Programs length bytes at address in chunks of at most one page, posting SetTotal(length),
// WriteProgress(0) and WriteProgress(bytes done) after each chunk. False at the first failure.
bool ProgramWithProgress(uint32_t address, uint32_t length, const uint8_t* data);

// Erases each 4 KB sector the data reaches before the first byte goes into it, and programs
// the data page by page. With the progress switch on it posts WriteProgress(0) and
// SetTotal(length) once the first sector is erased. False at the first failure.
bool EraseAndProgram(uint32_t address, uint32_t length, const uint8_t* data);

// Erases the 4 KB sector that holds address.
bool EraseSector(uint32_t address);

// The older layouts' closing step: write enable, protect, write disable, results ignored.
void ProtectFlashAgain();

}  // namespace transfer
