#pragma once
// The firmware transfer engine: the device session gate, the start operations that run one
// download or upload job at a time on a worker thread, and the gateway the dialogs read the
// camera through.

#include <cstdint>

#include "device/vxVidHidCls.h"
#include "transfer/job_records.h"
#include "transfer/transfer_window.h"

namespace transfer {

// The worker thread of a started job; null when nothing was started. Only compared with null.
using WorkerHandle = const void*;

// The message boxes the start operations ask through. Without any, every question gets the
// cautious answer (Cancel) and a plain notice is dropped.
void SetMessageBoxes(MessageBoxes* boxes);

// Session gate.
int OpenDeviceSession();  // nonzero when a session with a camera is open afterwards
void CloseDeviceSession();

// Image checks.
bool BufferCrcOk(const uint8_t* image, int32_t length);
bool FileCrcOk(const char* path);
uint32_t FileSize(const char* path);  // 0 when it cannot be opened

// Start operations, on the caller's (user-interface) thread. Each refusal is a message box;
// the result is then null.
WorkerHandle StartFirmwareDownload(DownloadJobRecord& record);
WorkerHandle StartFirmwareUpload(const UploadJobRecord& record);

// Gateway, synchronous; 1 success, 0 failure.
int GetFirmwareVersion(uint8_t* high, uint8_t* low);
int ReadRegister(uint16_t address, uint8_t length, uint32_t* value);
int WriteRegister(uint16_t address, uint8_t length, uint32_t value);
int ReadDeviceInfo(DeviceInfo* info);
int WriteDeviceInfo(const DeviceInfo* info);

// True while a started job has not ended: its worker still uses the session.
bool JobRunning();

// Blocks until no worker thread runs any more (the slot is empty and the thread has returned).
// For tools and tests that must not leave a job behind; the product never waits.
void WaitForWorkerToEnd();

// Waits for any worker, then puts every engine global back to its start value. Tests only.
void ResetEngineForTests();

}  // namespace transfer
