#pragma once
// How the engine reaches the user interface: it posts events to a window and asks questions
// through message boxes. It never calls a window for anything else.

#include <cstdint>
#include <string_view>

namespace transfer {

inline constexpr uint32_t kWmUser = 0x0400;
inline constexpr uint32_t WM_TRANSFER_EVENT = kWmUser + 1;

// The codes a job posts in wParam; lParam carries the value (see each code).
enum TransferEvent : uint16_t {
  WriteStart = 0,           // 0
  WriteProgress = 1,        // bytes written so far
  VerifyStart = 2,          // 0
  VerifyProgress = 3,       // bytes verified so far
  ReadStart = 4,            // which copy is read, 0 or 1
  ReadProgress = 5,         // bytes read so far
  SetTotal = 6,             // total bytes of the phase that follows
  FileWriteFailed = 7,      // 0
  UploadDone = 8,           // 0
  UploadFailed = 9,         // reserved: no job posts it
  DownloadDone = 10,        // 0
  DownloadFailed = 11,      // 0
  DeviceAccessFailed = 12,  // 0
  Elapsed = 13,             // milliseconds since the job started
  VerifyLength = 14,        // bytes to be verified
  VerifyResult = 16,        // 1 equal, 0 mismatch
  EraseStart = 17,          // sectors to erase minus 1
  EraseProgress = 18,       // index of the sector just erased
  EraseEnd = 19,            // 1 all erased, 0 an erase failed
};

// A window as the engine sees it: somewhere to post messages to.
class TransferWindow {
 public:
  virtual ~TransferWindow() = default;
  // Posts, never sends: called from the worker thread, must not block, and the messages reach
  // the window's own thread in the order posted.
  virtual void Post(uint32_t message, uint32_t wParam, int32_t lParam) = 0;
};

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Warning };
enum class MessageAnswer { Ok, Cancel };

// Modal message boxes; owner is the record's window, or null for a box without owner.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(TransferWindow* owner, std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) = 0;
};

}  // namespace transfer
