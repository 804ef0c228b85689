#pragma once
// The request records of the engine's start operations. Callers zero-fill them before use.

#include <cstdint>

#include "transfer/transfer_window.h"

namespace transfer {

struct DownloadJobRecord {
  TransferWindow* window;  // receives the events and owns the message boxes; null: no events
  uint8_t kind;            // 0 boot-record layout, 1 paged layout, 2 header layout
  uint32_t file0Size;      // out: as measured by FileSize
  char file0Path[260];
  uint32_t file1Size;      // out
  char file1Path[260];     // empty: no file 1
  uint8_t bootHeader[16];  // kind 2: the boot header template
  uint8_t page;            // kind 1
  uint8_t pageFlags;       // kind 1: bit 3 set, units of 4,096 bytes, else 65,536
  uint8_t pageExtra;       // kind 1
  uint8_t imageType;       // kind 0: 0..8
  uint8_t imageFlags;      // kind 0
};

struct UploadJobRecord {
  TransferWindow* window;
  uint8_t kind;      // 0 boot-record layout, 1 paged layout, 2 header layout
  uint32_t address;  // kind 0: 0xFFFF takes the address from the boot record
  uint32_t size;
  char path[512];
  uint8_t option;
};

}  // namespace transfer
