// HeaderImageDownloadJob: the product's download. Erases the sectors from address 0, writes the
// boot header (unless the image carries its own) and the image, reads both back, and protects
// the flash again. It closes with exactly one of DownloadDone, DownloadFailed, EraseEnd(0) and
// VerifyResult(0).

#include <algorithm>
#include <cstring>

#include "device/flash_layout.h"
#include "device/vxVidHidCls.h"
#include "transfer/download_jobs.h"
#include "transfer/engine_state.h"
#include "transfer/flash_routines.h"
#include "transfer/job_buffer.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

// Every sector from 0 up to the last byte of the image, and at least the one the header goes
// into.
uint32_t SectorsToErase(uint32_t base, uint32_t length) {
  const uint32_t end = base + length;
  return std::max<uint32_t>(1, (end + kSectorSize - 1) / kSectorSize);
}

// True when the flash holds the header (unless raw) and the image as they were written. The
// reads' own results are not tested: a failed read leaves the preset bytes, which differ.
bool ReadBackMatches(const JobParameters& job, const uint8_t* image, uint32_t base,
                     uint32_t length) {
  if (!job.rawImage) {
    uint8_t header[kBootHeaderSize] = {kBootMagic0, kBootMagic1};
    vxVidHidCls_SPI_Flash_Read(0, 0, kBootHeaderSize, header);
    if (std::memcmp(header, job.bootHeader, kBootHeaderSize) != 0) return false;
  }
  std::unique_ptr<uint8_t[]> readBack = AllocateJobBuffer(kImageBufferSize);
  if (!readBack) return false;
  vxVidHidCls_SPI_Flash_Read(0, base, length, readBack.get());
  return std::memcmp(readBack.get(), image, length) == 0;
}

void RunHeaderImageDownload() {
  NoteJobStart();
  EngineState& engine = Engine();
  JobParameters& job = engine.job;
  BootHeader header = DecodeBootHeader(job.bootHeader);
  const uint32_t base = header.bootAddr;  // 0 for a raw image, whose header is all zero
  if (header.userCodeSize != 0) {
    header.userCodeAddr = base + header.bootSize;
    EncodeBootHeader(header, job.bootHeader);
  }
  const uint32_t length = static_cast<uint32_t>(job.imageLength);

  PostTransferEvent(WriteProgress, 0);
  const uint32_t sectors = SectorsToErase(base, length);
  PostTransferEvent(EraseStart, static_cast<int32_t>(sectors - 1));
  for (uint32_t index = 0; index < sectors; ++index) {
    if (!EraseSector(index * kSectorSize)) {
      PostTransferEvent(EraseEnd, 0);
      return;
    }
    PostTransferEvent(EraseProgress, static_cast<int32_t>(index));
  }
  PostTransferEvent(EraseEnd, 1);
  PostTransferEvent(WriteStart, 0);
  PostTransferEvent(SetTotal, static_cast<int32_t>(length));
  PostTransferEvent(WriteProgress, 0);

  if (!job.rawImage && !ProgramWithProgress(0, kBootHeaderSize, job.bootHeader)) {
    PostTransferEvent(DownloadFailed, 0);
    return;
  }
  if (!ProgramWithProgress(base, length, engine.ImageBuffer)) {
    PostTransferEvent(DownloadFailed, 0);
    return;
  }

  PostTransferEvent(VerifyProgress, 0);
  PostTransferEvent(VerifyLength, static_cast<int32_t>(length));
  if (!ReadBackMatches(job, engine.ImageBuffer, base, length)) {
    PostTransferEvent(VerifyResult, 0);
    return;
  }
  PostTransferEvent(VerifyResult, 1);
  vxVidHidCls_SPI_Flash_SetProtect(0, 1);  // its result does not change the outcome
  PostTransferEvent(Elapsed, JobElapsedMs());
  PostTransferEvent(DownloadDone, 0);
}

}  // namespace

uint32_t HeaderImageDownloadJob() {
  RunHeaderImageDownload();
  return EndJob();
}

}  // namespace transfer
