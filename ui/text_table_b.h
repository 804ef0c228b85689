#pragma once
// The confirmation dialog's texts: six languages (columns in the order of ui::Language) × 5.
//
// Stored like table A: UTF-8 here, each entry within the original's fixed field of 200 UTF-16
// code units with the terminating zero, so at most 199 units.

#include <array>
#include <string_view>

#include "ui/language.h"

namespace ui {

inline constexpr int kTextTableBEntries = 5;

enum TextB : int {
  kConfirmHeading = 0,      // heading
  kConfirmBeforeModel = 1,  // warning, before the model name
  kConfirmAfterModel = 2,   // warning, after the model name
  kConfirmCancel = 3,       // Cancel button
  kConfirmOk = 4,           // OK button
};

using TextTableB = std::array<std::array<std::string_view, kTextTableBEntries>, kLanguageCount>;

// Addressed kTextTableB[language][entry].
extern const TextTableB kTextTableB;

}  // namespace ui
