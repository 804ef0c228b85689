// EepromImageDownloadJob: the boot-record layout in the I2C EEPROM. Clears the type's clear
// size to 0xFF, writes the whole image file from offset 0, reads it back, and only after a
// clean read-back replaces the checksum with the boot record.

#include <algorithm>

#include "transfer/boot_record.h"
#include "transfer/download_jobs.h"
#include "transfer/eeprom_transfers.h"
#include "transfer/engine_state.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

// Writes length bytes from 32-byte pieces of source(offset), posting progressCode(offset reached)
// after every full piece and the exact length after the last. False at the first failed transfer.
template <typename Source>
bool WriteInPieces(uint32_t length, uint16_t progressCode, Source&& source) {
  for (uint32_t offset = 0; offset < length;) {
    const uint32_t piece = std::min(kEepromPiece, length - offset);
    if (!EepromWrite(static_cast<uint16_t>(offset), piece, source(offset))) return false;
    offset += piece;
    if (piece == kEepromPiece) PostTransferEvent(progressCode, static_cast<int32_t>(offset));
  }
  return true;
}

// False after a failed transfer; differences counts the bytes that did not match.
bool VerifyInPieces(const uint8_t* image, uint32_t length, size_t& differences) {
  uint8_t piece[kEepromPiece];
  for (uint32_t offset = 0; offset < length;) {
    const uint32_t size = std::min(kEepromPiece, length - offset);
    if (!EepromRead(static_cast<uint16_t>(offset), size, piece)) return false;
    for (uint32_t i = 0; i < size; ++i) differences += piece[i] != image[offset + i];
    offset += size;
    if (size == kEepromPiece) PostTransferEvent(VerifyProgress, static_cast<int32_t>(offset));
  }
  return true;
}

// False after a failed transfer (the caller posts DeviceAccessFailed).
bool RunEepromImageDownload() {
  NoteJobStart();
  EngineState& engine = Engine();
  JobParameters& job = engine.job;
  const uint32_t clearSize = EepromClearSize(job.imageType);
  const uint32_t length = static_cast<uint32_t>(job.imageLength);

  PostTransferEvent(SetTotal, static_cast<int32_t>(clearSize));
  PostTransferEvent(WriteProgress, 0);
  uint8_t erased[kEepromPiece];
  std::fill(std::begin(erased), std::end(erased), uint8_t{0xFF});
  if (!WriteInPieces(clearSize, WriteProgress, [&](uint32_t) { return erased; })) return false;
  PostTransferEvent(WriteProgress, static_cast<int32_t>(length));

  PostTransferEvent(WriteStart, 0);
  PostTransferEvent(SetTotal, static_cast<int32_t>(length));
  PostTransferEvent(WriteProgress, 0);
  const uint8_t* image = engine.ImageBuffer;
  if (!WriteInPieces(length, WriteProgress, [&](uint32_t offset) { return image + offset; })) {
    return false;
  }
  PostTransferEvent(WriteProgress, static_cast<int32_t>(length));

  PostTransferEvent(VerifyStart, 0);
  PostTransferEvent(VerifyProgress, 0);
  size_t differences = 0;
  if (!VerifyInPieces(image, length, differences)) return false;
  PostTransferEvent(VerifyProgress, static_cast<int32_t>(length));
  if (differences != 0) {
    PostTransferEvent(DownloadFailed, 0);
    return true;
  }

  const BootRecord record = EepromBootRecord(job.imageType, job.imageFlags);
  std::copy(record.begin(), record.end(), engine.ImageBuffer);
  if (!EepromWrite(0, record.size(), engine.ImageBuffer)) return false;
  PostTransferEvent(DownloadDone, 0);
  PostTransferEvent(Elapsed, JobElapsedMs());
  return true;
}

}  // namespace

uint32_t EepromImageDownloadJob() {
  if (!RunEepromImageDownload()) PostTransferEvent(DeviceAccessFailed, 0);
  return EndJob();
}

}  // namespace transfer
