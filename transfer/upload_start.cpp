// StartFirmwareUpload: checks the session, the worker and the requested range, copies the
// upload parameters and starts the job of the record's kind.

#include <algorithm>
#include <string>
#include <string_view>

#include "transfer/engine.h"
#include "transfer/engine_messages.h"
#include "transfer/engine_state.h"
#include "transfer/record_text.h"
#include "transfer/upload_jobs.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

constexpr uint16_t kBootSourceRegister = 0x0005;  // bit 7: an older chip boots from SPI flash
constexpr uint64_t kEepromUploadEnd = 0x7FFF;     // address + size may reach it, not pass it
constexpr uint32_t kSmallestStampedSize = 4;      // room for the checksum

WorkerHandle Refuse(TransferWindow* owner, std::string_view text) {
  Notify(owner, text, kUploadCaption);
  return nullptr;
}

bool BootsFromSpi() {
  uint32_t value = 0;
  return vxVidHidCls_RegRead(kBootSourceRegister, 1, &value) >= 0 && (value & 0x80) != 0;
}

// The sizes a job cannot hold: more than the buffer it reads into, or, for a job that stamps a
// checksum over bytes 4.., too few for the checksum itself.
bool SizeFitsJob(JobProcedure job, uint32_t size) {
  const bool readsIntoBuffer = job == EepromUploadJob || job == SpiUploadJob || job == FlashDumpJob;
  if (readsIntoBuffer && size > kImageBufferSize) return false;
  const bool stampsOverPayload = job == SpiUploadJob || job == PagedUploadJob ||
                                 (job == EepromUploadJob && Engine().job.uploadOption == 0);
  return !stampsOverPayload || size >= kSmallestStampedSize;
}

}  // namespace

WorkerHandle StartFirmwareUpload(const UploadJobRecord& record) {
  TransferWindow* const owner = record.window;
  EngineState& engine = Engine();
  if (!engine.sessionOpen) return Refuse(owner, "No USB Device Found!");
  if (WorkerSlotOccupied()) {
    return Refuse(owner, "Another Thread is Running, Please Wait and Try Again Later!");
  }
  // Only now the target window: a refused start must not take a running job's events.
  JobParameters& job = engine.job;
  job.window = owner;
  job.uploadSize = record.size;
  job.uploadAddress = record.address;
  const std::string path = RecordText(record.path);
  std::fill(std::begin(job.uploadPath), std::end(job.uploadPath), '\0');
  std::copy_n(path.begin(), std::min(path.size(), kUploadPathSize - 1), job.uploadPath);
  job.uploadOption = record.option;

  JobProcedure procedure = nullptr;
  switch (record.kind) {
    case 0:
      if (BootsFromSpi()) {
        procedure = record.option != 0 ? SpiFullDumpJob : SpiUploadJob;
      } else {
        if (record.address != kUnsetUploadAddress &&
            uint64_t{record.address} + record.size > kEepromUploadEnd) {
          return Refuse(owner, "Wrong Firmware Upload Size or Address!");
        }
        procedure = EepromUploadJob;
      }
      break;
    case 1:
      procedure = record.option != 0 ? PagedRawUploadJob : PagedUploadJob;
      break;
    case 2:
      procedure = FlashDumpJob;
      break;
    default:
      return Refuse(owner, "Create Upload Thread Failure!");
  }
  if (!SizeFitsJob(procedure, record.size)) {
    return Refuse(owner, "Wrong Firmware Upload Size or Address!");
  }

  WorkerHandle worker = StartWorker(procedure);
  if (worker == nullptr) return Refuse(owner, "Create Upload Thread Failure!");
  return worker;
}

}  // namespace transfer
