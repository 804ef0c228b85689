#pragma once
// The engine's one process-wide state record: the session flag, the target window, the image
// buffer and every job parameter. The start operations write it on the caller's thread before
// the worker starts; the job reads it and the next start rewrites it, so it carries no lock.

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "transfer/transfer_window.h"

namespace transfer {

inline constexpr size_t kImageBufferSize = 262144;       // 0x40000: the largest image
inline constexpr uint32_t kUnsetUploadAddress = 0xFFFF;  // kind 0: take it from the boot record
inline constexpr size_t kUploadPathSize = 512;
inline constexpr size_t kDumpBufferSize = 4 + kImageBufferSize;  // checksum, then the data

// The job parameters: plain values, all put back by one assignment.
struct JobParameters {
  TransferWindow* window = nullptr;       // where the jobs post; null: nowhere
  int32_t imageLength = 0;                // valid bytes in ImageBuffer
  uint8_t imageType = 0;                  // kind 0
  uint8_t imageFlags = 0;                 // kind 0
  uint8_t page = 0;                       // kind 1
  uint8_t pageFlags = 0;                  // kind 1
  uint8_t pageExtra = 0;                  // kind 1
  bool smallUnits = false;                // kind 1: pageFlags bit 3, units of 4,096 bytes
  uint8_t bootHeader[16] = {0x1A, 0xEB};  // kind 2: written at flash address 0
  bool rawImage = false;                  // kind 2: the payload carries its own boot header
  uint32_t startTime = 0;                 // tick count at the running job's start
  bool progressSwitch = true;             // EraseAndProgram posts its opening events while on
  uint32_t uploadAddress = kUnsetUploadAddress;
  uint32_t uploadSize = 0;
  char uploadPath[kUploadPathSize] = {};
  uint8_t uploadOption = 0;
};

struct EngineState {
  // Read by the jobs too: a session closed while a job runs must not be a data race.
  std::atomic<bool> sessionOpen{false};
  std::atomic<int32_t> deviceCount{0};
  JobParameters job;
  uint8_t ImageBuffer[kImageBufferSize] = {};
  uint8_t dumpBuffer[kDumpBufferSize] = {};  // FlashDumpJob's own
};

EngineState& Engine();

// Puts the record back to its start values (the caller makes sure no job runs).
void ResetEngineState();

}  // namespace transfer
