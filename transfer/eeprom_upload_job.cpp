// EepromUploadJob: reads the upload range out of the I2C EEPROM into ImageBuffer and writes it
// as an image file (option 0) or as stored, boot record in front (option not 0).

#include <algorithm>

#include "transfer/eeprom_transfers.h"
#include "transfer/engine_state.h"
#include "transfer/image_stamp.h"
#include "transfer/output_file.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"
#include "transfer/upload_jobs.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

// False after posting DeviceAccessFailed.
bool ReadEeprom(uint16_t offset, uint32_t length, uint8_t* destination) {
  if (EepromRead(offset, length, destination)) return true;
  PostTransferEvent(DeviceAccessFailed, 0);
  return false;
}

void RunEepromUpload() {
  NoteJobStart();
  EngineState& engine = Engine();
  const JobParameters& job = engine.job;
  uint8_t* buffer = engine.ImageBuffer;
  const uint32_t size = job.uploadSize;

  uint16_t base = static_cast<uint16_t>(job.uploadAddress);
  if (job.uploadAddress == kUnsetUploadAddress) {
    if (!ReadEeprom(0, 4, buffer)) return;
    base = static_cast<uint16_t>(buffer[1] << 8);
  }
  PostTransferEvent(SetTotal, static_cast<int32_t>(size));
  PostTransferEvent(ReadStart, base != 0 ? 1 : 0);
  PostTransferEvent(ReadProgress, 0);
  for (uint32_t done = 0; done < size;) {
    const uint32_t piece = std::min(kEepromPiece, size - done);
    if (!ReadEeprom(static_cast<uint16_t>(base + done), piece, buffer + done)) return;
    done += piece;
    if (piece == kEepromPiece) PostTransferEvent(ReadProgress, static_cast<int32_t>(done));
  }
  PostTransferEvent(ReadProgress, static_cast<int32_t>(size));

  OutputFile file(job.uploadPath);
  if (!file.opened()) {
    PostTransferEvent(FileWriteFailed, 0);
    return;
  }
  if (job.uploadOption == 0) {
    StampChecksum(buffer, buffer + 4, size - 4);  // the start refuses sizes below 4
  } else {
    if (!ReadEeprom(0, 4, buffer)) return;  // the created file stays empty
    if (base != 0) buffer[1] = 0;
  }
  if (!file.WriteAndClose(buffer, size)) {
    PostTransferEvent(FileWriteFailed, 0);
    return;
  }
  PostTransferEvent(UploadDone, 0);
  PostTransferEvent(Elapsed, JobElapsedMs());
}

}  // namespace

uint32_t EepromUploadJob() {
  RunEepromUpload();
  return EndJob();
}

}  // namespace transfer
