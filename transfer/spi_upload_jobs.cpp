// The boot-record layout's SPI uploads: SpiUploadJob turns the stored image back into an image
// file; SpiFullDumpJob copies flash 0..0xFFFF as it is.

#include "device/vxVidHidCls.h"
#include "transfer/boot_record.h"
#include "transfer/engine_state.h"
#include "transfer/image_stamp.h"
#include "transfer/job_buffer.h"
#include "transfer/output_file.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"
#include "transfer/upload_jobs.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

constexpr uint32_t kFullDumpSize = 65536;
constexpr uint32_t kBlockOffset = 84;  // where the 256-byte block sits in the image file
constexpr uint32_t kBlockLength = 256;

// False after posting DeviceAccessFailed.
bool ReadFlash(uint32_t address, uint32_t length, uint8_t* destination) {
  if (vxVidHidCls_SPI_Flash_Read(0, address, length, destination)) return true;
  PostTransferEvent(DeviceAccessFailed, 0);
  return false;
}

// Writes the file and posts the closing code.
void WriteUploadFile(const char* path, const uint8_t* data, uint32_t size) {
  OutputFile file(path);
  if (!file.WriteAndClose(data, size)) {
    PostTransferEvent(FileWriteFailed, 0);
    return;
  }
  PostTransferEvent(UploadDone, 0);
  PostTransferEvent(Elapsed, JobElapsedMs());
}

void RunSpiUpload() {
  NoteJobStart();
  EngineState& engine = Engine();
  const JobParameters& job = engine.job;
  uint8_t* buffer = engine.ImageBuffer;
  const uint32_t size = job.uploadSize;

  uint32_t start = job.uploadAddress + kSpiImageAddress;
  if (job.uploadAddress == kUnsetUploadAddress) {
    if (!ReadFlash(0, 4, buffer)) return;
    start = uint32_t{buffer[1]} << 8;
  }
  PostTransferEvent(SetTotal, static_cast<int32_t>(size));
  PostTransferEvent(ReadStart, start != kSpiImageAddress ? 1 : 0);
  if (!ReadFlash(start, size, buffer)) return;
  const uint32_t block = start == kSpiImageAddress ? 0x1000 : 0x2000;
  if (!ReadFlash(block, kBlockLength, buffer + kBlockOffset)) return;
  StampChecksum(buffer, buffer + 4, size - 4);  // the start refuses sizes below 4
  WriteUploadFile(job.uploadPath, buffer, size);
}

void RunSpiFullDump() {
  NoteJobStart();
  JobParameters& job = Engine().job;
  job.uploadAddress = 0;
  job.uploadSize = kFullDumpSize;
  std::unique_ptr<uint8_t[]> buffer = AllocateJobBuffer(kFullDumpSize);
  if (!buffer) {
    PostTransferEvent(DeviceAccessFailed, 0);
    return;
  }
  PostTransferEvent(SetTotal, kFullDumpSize - 1);
  PostTransferEvent(ReadStart, 0);
  if (!ReadFlash(0, kFullDumpSize, buffer.get())) return;
  WriteUploadFile(job.uploadPath, buffer.get(), kFullDumpSize);
}

}  // namespace

uint32_t SpiUploadJob() {
  RunSpiUpload();
  return EndJob();
}

uint32_t SpiFullDumpJob() {
  RunSpiFullDump();
  return EndJob();
}

}  // namespace transfer
