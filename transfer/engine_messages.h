#pragma once
// The start operations' message boxes, through the MessageBoxes installed with SetMessageBoxes.

#include <string_view>

#include "transfer/transfer_window.h"

namespace transfer {

inline constexpr std::string_view kDownloadCaption = "Firmware Download";
inline constexpr std::string_view kUploadCaption = "Firmware Upload";

// A notice with an OK button; dropped when no message boxes are installed.
void Notify(TransferWindow* owner, std::string_view text, std::string_view caption);

// An OK/Cancel question with the warning icon; true for OK. Without message boxes the answer
// is Cancel, the cautious one.
bool AskOkCancel(TransferWindow* owner, std::string_view text, std::string_view caption);

}  // namespace transfer
