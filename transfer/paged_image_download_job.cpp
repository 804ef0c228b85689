// PagedImageDownloadJob: the paged layout in SPI flash. Marks unit 0 with 0x26, page, page
// flags and extra byte (keeping the rest of the unit), then writes the payload at page × unit.
// This layout has no read-back.

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

constexpr uint32_t kMarkerOffset = 7;  // bytes 7..10 of unit 0 and of the payload

void PutMarker(uint8_t* at, const JobParameters& job) {
  at[0] = kBootRecordMarker;
  at[1] = job.page;
  at[2] = job.pageFlags;
  at[3] = job.pageExtra;
}

void PostReadOpening(uint32_t unit) {
  PostTransferEvent(SetTotal, static_cast<int32_t>(unit));
  PostTransferEvent(SetTotal, static_cast<int32_t>(unit - 1));
  PostTransferEvent(ReadStart, 0);
}

// False after a failed flash step (the caller posts DeviceAccessFailed).
bool RunPagedImageDownload() {
  NoteJobStart();
  EngineState& engine = Engine();
  JobParameters& job = engine.job;
  job.progressSwitch = true;
  const uint32_t unit = job.smallUnits ? 4096 : 65536;
  const uint32_t length = static_cast<uint32_t>(job.imageLength);

  {
    std::unique_ptr<uint8_t[]> first = AllocateJobBuffer(unit);
    if (!first) return false;
    PostReadOpening(unit);
    if (!vxVidHidCls_SPI_Flash_Read(0, 0, unit, first.get())) return false;
    PostReadOpening(unit);
    PutMarker(first.get() + kMarkerOffset, job);
    if (!EraseAndProgram(0, unit, first.get())) return false;
  }

  PostTransferEvent(WriteStart, 0);
  PostTransferEvent(SetTotal, static_cast<int32_t>(length));
  PostTransferEvent(WriteProgress, 0);
  uint8_t* payload = engine.ImageBuffer + 4;
  PutMarker(payload + kMarkerOffset, job);
  // The file's length from the payload on: the payload and then 4 bytes of the zero-filled
  // buffer's tail.
  if (!EraseAndProgram(uint32_t{job.page} * unit, length, payload)) return false;
  PostTransferEvent(DownloadDone, 0);
  PostTransferEvent(Elapsed, JobElapsedMs());
  ProtectFlashAgain();
  return true;
}

}  // namespace

uint32_t PagedImageDownloadJob() {
  if (!RunPagedImageDownload()) PostTransferEvent(DeviceAccessFailed, 0);
  return EndJob();
}

}  // namespace transfer
