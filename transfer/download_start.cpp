// StartFirmwareDownload: checks the session, the worker and the image files, loads the image
// into ImageBuffer, prepares what the job of the record's kind reads, and starts it.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "device/flash_layout.h"
#include "transfer/boot_record.h"
#include "transfer/download_jobs.h"
#include "transfer/engine.h"
#include "transfer/engine_messages.h"
#include "transfer/engine_state.h"
#include "transfer/record_text.h"
#include "transfer/worker_slot.h"

namespace transfer {
namespace {

constexpr uint16_t kBootSourceRegister = 0x0005;  // bit 7: an older chip boots from SPI flash
constexpr size_t kImageFileHeader = 4;            // the checksum in front of the payload

WorkerHandle Refuse(TransferWindow* owner, std::string_view text) {
  Notify(owner, text, kDownloadCaption);
  return nullptr;
}

bool BootsFromSpi() {
  uint32_t value = 0;
  return vxVidHidCls_RegRead(kBootSourceRegister, 1, &value) >= 0 && (value & 0x80) != 0;
}

// Reads up to capacity bytes from offset on; nullopt when the file cannot be opened.
std::optional<size_t> ReadFile(const std::string& path, long offset, uint8_t* destination,
                               size_t capacity) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  size_t read = 0;
  if (std::fseek(file, offset, SEEK_SET) == 0) read = std::fread(destination, 1, capacity, file);
  std::fclose(file);
  return read;
}

// Kind 2: the payloads of file 0 and file 1 back to back, and the boot header that describes
// them. Null when a file cannot be opened.
JobProcedure LoadHeaderLayout(const DownloadJobRecord& record, const std::string& file0,
                              const std::string& file1) {
  EngineState& engine = Engine();
  JobParameters& job = engine.job;
  std::copy(std::begin(record.bootHeader), std::end(record.bootHeader), job.bootHeader);
  size_t length0 = 0;
  size_t length1 = 0;
  if (record.file0Size != 0) {
    uint8_t head[kBootHeaderSize] = {};
    if (!ReadFile(file0, kImageFileHeader, head, sizeof head)) return nullptr;
    job.rawImage = head[0] == kBootMagic0 && head[1] == kBootMagic1;
    const std::optional<size_t> read =
        ReadFile(file0, kImageFileHeader, engine.ImageBuffer, kImageBufferSize);
    if (!read) return nullptr;
    length0 = *read;
  }
  if (job.rawImage) {
    std::fill(std::begin(job.bootHeader), std::end(job.bootHeader), uint8_t{0});
  } else {
    if (record.file1Size != 0) {
      // Bounded by what is left of the buffer, should file 1 have grown since it was measured.
      const std::optional<size_t> read = ReadFile(
          file1, kImageFileHeader, engine.ImageBuffer + length0, kImageBufferSize - length0);
      if (!read) return nullptr;
      length1 = *read;
    }
    BootHeader header = DecodeBootHeader(job.bootHeader);
    header.bootSize = static_cast<uint32_t>(length0);
    if (length1 != 0) header.userCodeSize = static_cast<uint32_t>(length1);
    EncodeBootHeader(header, job.bootHeader);
  }
  job.imageLength = static_cast<int32_t>(length0 + length1);
  return HeaderImageDownloadJob;
}

}  // namespace

WorkerHandle StartFirmwareDownload(DownloadJobRecord& record) {
  TransferWindow* const owner = record.window;
  EngineState& engine = Engine();
  if (!engine.sessionOpen) return Refuse(owner, "No USB Device Found!");
  if (WorkerStillRunning()) {
    return Refuse(owner, "Another Thread is Running, Please Wait and Try Again Later!");
  }
  // Only now the target window: a refused start must not take a running job's events.
  JobParameters& job = engine.job;
  job.window = owner;
  job.rawImage = false;
  std::fill(std::begin(engine.ImageBuffer), std::end(engine.ImageBuffer), uint8_t{0});

  const std::string file0 = RecordText(record.file0Path);
  const std::string file1 = RecordText(record.file1Path);
  record.file0Size = FileSize(file0.c_str());
  record.file1Size = FileSize(file1.c_str());
  if (record.file0Size == 0) {
    if (!AskOkCancel(owner, "File 0 open Error!", kDownloadCaption)) return nullptr;
  } else if (!FileCrcOk(file0.c_str())) {
    if (!AskOkCancel(owner, "File 0 CRC Checksum Error! Continue?", kDownloadCaption)) {
      return nullptr;
    }
  }
  if (record.file1Size != 0 && !FileCrcOk(file1.c_str())) {
    if (!AskOkCancel(owner, "File 0 CRC Checksum Error! Continue?", kDownloadCaption)) {
      return nullptr;
    }
  }
  if (uint64_t{record.file0Size} + record.file1Size > kImageBufferSize) {
    return Refuse(owner, "File 0 + File 1 max size > 64K!");
  }

  const std::optional<size_t> loaded = ReadFile(file0, 0, engine.ImageBuffer, kImageBufferSize);
  if (!loaded) return Refuse(owner, "File Doesn't Exist or Open File Error!");
  if (*loaded == 0) return Refuse(owner, "Read File Failure!");
  job.imageLength = static_cast<int32_t>(*loaded);

  JobProcedure procedure = nullptr;
  switch (record.kind) {
    case 0:
      job.imageFlags = record.imageFlags;
      job.imageType = record.imageType;
      if (*loaded > ImageSizeLimit(record.imageType)) {
        return Refuse(owner, "Error, The File Size is Over Firmware Maximum Limit!");
      }
      if (!BufferCrcOk(engine.ImageBuffer, job.imageLength)) {
        return Refuse(owner, "File CRC Checksum Error!");
      }
      procedure = BootsFromSpi() ? SpiImageDownloadJob : EepromImageDownloadJob;
      break;
    case 1:
      job.page = record.page;
      job.pageFlags = record.pageFlags;
      job.pageExtra = record.pageExtra;
      job.smallUnits = (record.pageFlags & 0x08) != 0;
      if (*loaded > (job.smallUnits ? 4096u : 65536u)) {
        return Refuse(owner, "Error, The File Size is Over Firmware Maximum Limit!");
      }
      if (!BufferCrcOk(engine.ImageBuffer, job.imageLength)) {
        return Refuse(owner, "File CRC Checksum Error!");
      }
      procedure = PagedImageDownloadJob;
      break;
    case 2:
      procedure = LoadHeaderLayout(record, file0, file1);
      if (procedure == nullptr) return Refuse(owner, "File Doesn't Exist or Open File Error!");
      break;
    default:
      return Refuse(owner, "Create Download Thread Failure!");
  }

  WorkerHandle worker = StartWorker(procedure);
  if (worker == nullptr) return Refuse(owner, "Create Download Thread Failure!");
  return worker;
}

}  // namespace transfer
