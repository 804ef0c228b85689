#include "ui/updater/confirm_dialog_template.h"

namespace ui {
namespace {

using window::ControlKind;

window::DialogTemplate BuildConfirmDialogTemplate() {
  window::DialogTemplate dialog;
  dialog.id = kConfirmDialogTemplateId;
  dialog.frame = window::FrameKind::Popup;
  dialog.width = 172;
  dialog.height = 111;
  dialog.font = {"Segoe UI", 110, false};
  // The initial texts are all replaced by the dialog's initialisation.
  dialog.controls = {
      {kConfirmOkButton,
       ControlKind::PushButton,
       "OK",
       window::kVisible | window::kTabStop | window::kDefaultButton,
       {101, 86, 50, 14}},
      {kConfirmCancelButton,
       ControlKind::PushButton,
       "Cancel",
       window::kVisible | window::kTabStop,
       {20, 86, 50, 14}},
      {kConfirmHeadingText,
       ControlKind::Static,
       "Ready to proceed?",
       window::kVisible | window::kCentred,
       {16, 47, 137, 11}},
      {kConfirmWarningText,
       ControlKind::Static,
       "Please do not disconnect your TAVELIN or power off your computer during the process.",
       window::kVisible | window::kCentred,
       {13, 59, 143, 27}},
      {kConfirmPicture, ControlKind::Icon, "", window::kVisible, {66, 10, 20, 20}},
  };
  return dialog;
}

}  // namespace

const window::DialogTemplate& ConfirmDialogTemplate() {
  static const window::DialogTemplate dialog = BuildConfirmDialogTemplate();
  return dialog;
}

}  // namespace ui
