#pragma once
// The main dialog's texts: six languages (columns in the order of ui::Language) × 21 entries.
//
// The entries are UTF-8 here. The dialog's original storage is a fixed field of 200 UTF-16 code
// units per entry, terminating zero included, so no entry may exceed 199 UTF-16 code units;
// the table tests hold every entry to that.

#include <array>
#include <string_view>

#include "ui/language.h"

namespace ui {

inline constexpr int kTextTableAEntries = 21;
inline constexpr int kTextFieldUnits = 200;  // UTF-16 code units per entry, with the zero

// What the entries are for; many begin with a full stop or a blank because the compositions
// join them with other entries and the model names into sentences.
enum TextA : int {
  kTitleProduct = 0,          // product word in the window title
  kTitleTool = 1,             // tool name in the window title
  kStatusYour = 2,            // opens the update-available and up-to-date texts
  kStatusReady = 3,           // update available
  kStatusNewVersion = 4,      // update available
  kStatusCurrentVersion = 5,  // update available
  kUpdateCaption = 6,         // caption of the Update button
  kStatusUpToDate = 7,        // up to date
  kStatusPleaseClose = 8,     // up to date
  kStatusToolClosing = 9,     // up to date
  kStatusPleaseConnect = 10,  // please connect
  // 11 to 14 are not used by any composition.
  kRingInProgress = 15,    // text under the ring while the update runs
  kRingCompleted = 16,     // completion text under the ring
  kRingReconnect = 17,     // completion text under the ring
  kRingReconnectEnd = 18,  // completion text under the ring
  kOtherModelIsFor = 19,   // other-model status
  kOtherModelVisit = 20,   // other-model status
};

using TextTableA = std::array<std::array<std::string_view, kTextTableAEntries>, kLanguageCount>;

// Addressed kTextTableA[language][entry].
extern const TextTableA kTextTableA;

}  // namespace ui
