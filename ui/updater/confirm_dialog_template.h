#pragma once
// Template 140, the confirmation before an update: a popup without caption or border.

#include "ui/window/dialog_template.h"

namespace ui {

inline constexpr int kConfirmDialogTemplateId = 140;

enum ConfirmControl : int {
  kConfirmOkButton = 1,
  kConfirmCancelButton = 2,
  kConfirmPicture = 1046,
  kConfirmHeadingText = 1047,
  kConfirmWarningText = 1048,
};

const window::DialogTemplate& ConfirmDialogTemplate();

}  // namespace ui
