// The paged layout's uploads: PagedUploadJob writes an image file (checksum, then size - 4
// bytes from the upload address), PagedRawUploadJob the size bytes as they are. Both first
// check the layout's marker, 0x26 at flash address 7.

#include <cstddef>

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

constexpr uint32_t kMarkerHeader = 11;  // bytes 0..10 of unit 0, the marker at 7

// False after posting DeviceAccessFailed: the marker's read failed or it is missing.
bool PagedLayoutPresent() {
  uint8_t header[kMarkerHeader] = {};
  if (vxVidHidCls_SPI_Flash_Read(0, 0, kMarkerHeader, header) && header[7] == kBootRecordMarker) {
    return true;
  }
  PostTransferEvent(DeviceAccessFailed, 0);
  return false;
}

void RunPagedUpload(bool raw) {
  NoteJobStart();
  const JobParameters& job = Engine().job;
  const uint32_t size = job.uploadSize;
  std::unique_ptr<uint8_t[]> buffer = AllocateJobBuffer(size_t{size} + 4);
  if (!buffer) {
    PostTransferEvent(DeviceAccessFailed, 0);
    return;
  }
  if (!PagedLayoutPresent()) return;
  PostTransferEvent(SetTotal, static_cast<int32_t>(size));
  PostTransferEvent(SetTotal, static_cast<int32_t>(size - 1));
  PostTransferEvent(ReadStart, 0);
  uint8_t* data = raw ? buffer.get() : buffer.get() + 4;
  if (!vxVidHidCls_SPI_Flash_Read(0, job.uploadAddress, size, data)) {
    PostTransferEvent(DeviceAccessFailed, 0);
    return;
  }
  if (!raw) StampChecksum(buffer.get(), data, size - 4);  // the start refuses sizes below 4
  OutputFile file(job.uploadPath);
  if (!file.WriteAndClose(buffer.get(), size)) {
    PostTransferEvent(FileWriteFailed, 0);
    return;
  }
  PostTransferEvent(UploadDone, 0);
  PostTransferEvent(Elapsed, JobElapsedMs());
}

}  // namespace

uint32_t PagedUploadJob() {
  RunPagedUpload(false);
  return EndJob();
}

uint32_t PagedRawUploadJob() {
  RunPagedUpload(true);
  return EndJob();
}

}  // namespace transfer
