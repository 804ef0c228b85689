// FlashDumpJob: the header layout's upload. Writes an image file: the checksum, then size bytes
// of flash. Above 64 KB it always dumps addresses 0..131,071, in two halves with a pause
// between them.

#include <algorithm>

#include "device/flash_layout.h"
#include "device/vxVidHidCls.h"
#include "transfer/engine_state.h"
#include "transfer/image_stamp.h"
#include "transfer/output_file.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"
#include "transfer/upload_jobs.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

constexpr uint32_t kHalf = 65536;
constexpr uint32_t kPauseMs = 100;

// The flash reads of the dump into data; false when one fails.
bool ReadDump(uint32_t address, uint32_t size, uint8_t* data) {
  if (size <= kHalf) return vxVidHidCls_SPI_Flash_Read(0, address, size, data) != 0;
  PostTransferEvent(SetTotal, kHalf);
  if (!vxVidHidCls_SPI_Flash_Read(0, 0, kHalf, data)) return false;
  JobSleep(kPauseMs);
  PostTransferEvent(SetTotal, kHalf);
  return vxVidHidCls_SPI_Flash_Read(0, kHalf, kHalf, data + kHalf) != 0;
}

void RunFlashDump() {
  NoteJobStart();
  EngineState& engine = Engine();
  const JobParameters& job = engine.job;
  const uint32_t size = job.uploadSize;  // the start refuses more than the buffer holds

  uint8_t header[kBootHeaderSize] = {};  // read only to see that the flash answers
  if (!vxVidHidCls_SPI_Flash_Read(0, 0, kBootHeaderSize, header)) {
    PostTransferEvent(DeviceAccessFailed, 0);
    return;
  }
  PostTransferEvent(SetTotal, static_cast<int32_t>(size));
  PostTransferEvent(ReadStart, 0);
  uint8_t* const dump = engine.dumpBuffer;
  std::fill(dump, dump + kDumpBufferSize, uint8_t{0});
  if (!ReadDump(job.uploadAddress, size, dump + 4)) {
    PostTransferEvent(DeviceAccessFailed, 0);
    return;
  }
  OutputFile file(job.uploadPath);
  StampChecksum(dump, dump + 4, size);
  if (!file.WriteAndClose(dump, size_t{size} + 4)) {
    PostTransferEvent(FileWriteFailed, 0);
    return;
  }
  PostTransferEvent(UploadDone, 0);
  PostTransferEvent(Elapsed, JobElapsedMs());
  PostTransferEvent(WriteProgress, static_cast<int32_t>(size));
}

}  // namespace

uint32_t FlashDumpJob() {
  RunFlashDump();
  return EndJob();
}

}  // namespace transfer
