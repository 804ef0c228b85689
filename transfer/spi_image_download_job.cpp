// SpiImageDownloadJob: the boot-record layout in SPI flash. Erases 0..0xFFFF, writes the whole
// image file at 0x5000 and a copy of its bytes 84..339 at 0x1000, erases 0x3000, reads both
// back, and only then writes the boot record that makes the chip boot the new image.

#include <algorithm>

#include "device/vxVidHidCls.h"
#include "transfer/boot_record.h"
#include "transfer/download_jobs.h"
#include "transfer/engine_state.h"
#include "transfer/flash_routines.h"
#include "transfer/job_buffer.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

constexpr uint32_t kErasedSectors = 16;     // 0x0000..0xFFFF
constexpr uint32_t kBlockAddress = 0x1000;  // the copy of image bytes 84..339
constexpr uint32_t kBlockOffset = 84;
constexpr uint32_t kBlockLength = 256;
constexpr uint32_t kClearedSector = 0x3000;

size_t CountDifferences(const uint8_t* a, const uint8_t* b, size_t length) {
  size_t differences = 0;
  for (size_t i = 0; i < length; ++i) differences += a[i] != b[i];
  return differences;
}

// False after posting DeviceAccessFailed; true once the verdict is posted.
bool RunSpiImageDownload() {
  NoteJobStart();
  EngineState& engine = Engine();
  JobParameters& job = engine.job;
  job.progressSwitch = true;
  const uint32_t length = static_cast<uint32_t>(job.imageLength);

  PostTransferEvent(SetTotal, 65535);
  PostTransferEvent(WriteProgress, 0);
  for (uint32_t index = 0; index < kErasedSectors; ++index) {
    const uint32_t address = index * kSectorSize;
    if (!EraseSector(address)) return false;
    PostTransferEvent(WriteProgress, static_cast<int32_t>(address));
  }
  PostTransferEvent(WriteStart, 0);
  PostTransferEvent(SetTotal, static_cast<int32_t>(length));
  PostTransferEvent(WriteProgress, 0);
  if (!EraseAndProgram(kSpiImageAddress, length, engine.ImageBuffer)) return false;
  job.progressSwitch = false;
  const bool blockWritten =
      EraseAndProgram(kBlockAddress, kBlockLength, engine.ImageBuffer + kBlockOffset);
  job.progressSwitch = true;
  if (!blockWritten) return false;
  if (!EraseSector(kClearedSector)) return false;

  std::unique_ptr<uint8_t[]> readBack = AllocateJobBuffer(std::max(length, kBlockLength));
  if (!readBack) return false;
  PostTransferEvent(VerifyStart, 0);
  if (!vxVidHidCls_SPI_Flash_Read(0, kSpiImageAddress, length, readBack.get())) return false;
  size_t differences = CountDifferences(readBack.get(), engine.ImageBuffer, length);
  if (!vxVidHidCls_SPI_Flash_Read(0, kBlockAddress, kBlockLength, readBack.get())) return false;
  differences += CountDifferences(readBack.get(), engine.ImageBuffer + kBlockOffset, kBlockLength);
  readBack.reset();

  if (differences == 0) {
    const BootRecord record = SpiBootRecord(job.imageFlags);
    std::copy(record.begin(), record.end(), engine.ImageBuffer);
    if (!EraseAndProgram(0, record.size(), engine.ImageBuffer)) return false;
    PostTransferEvent(DownloadDone, 0);
    PostTransferEvent(Elapsed, JobElapsedMs());
  } else {
    PostTransferEvent(DownloadFailed, 0);
  }
  ProtectFlashAgain();
  return true;
}

}  // namespace

uint32_t SpiImageDownloadJob() {
  if (!RunSpiImageDownload()) PostTransferEvent(DeviceAccessFailed, 0);
  return EndJob();
}

}  // namespace transfer
