#include "ui/updater/engine_bridge.h"

namespace ui {

void DialogTransferWindow::Attach(window::DialogWindow& window) {
  std::lock_guard guard(lock_);
  window_ = &window;
}

void DialogTransferWindow::Detach() {
  std::lock_guard guard(lock_);
  window_ = nullptr;
}

void DialogTransferWindow::Post(uint32_t message, uint32_t wParam, int32_t lParam) {
  std::lock_guard guard(lock_);
  if (window_ != nullptr) window_->Post(message, wParam, lParam);
}

transfer::MessageAnswer DialogMessageBoxes::Show(transfer::TransferWindow* owner,
                                                 std::string_view text, std::string_view caption,
                                                 transfer::MessageButtons buttons,
                                                 transfer::MessageIcon icon) {
  // Boxes without owner are shown on the dialog all the same: the tool has no other window.
  (void)owner;
  lastText_ = std::string(text);
  if (window_ == nullptr) {
    return buttons == transfer::MessageButtons::Ok ? transfer::MessageAnswer::Ok
                                                   : transfer::MessageAnswer::Cancel;
  }
  window::MessageBoxRequest request;
  request.caption = std::string(caption);
  request.text = std::string(text);
  request.buttons = buttons == transfer::MessageButtons::OkCancel
                        ? window::MessageBoxButtons::OkCancel
                        : window::MessageBoxButtons::Ok;
  request.warningIcon = icon == transfer::MessageIcon::Warning;
  return window_->ShowMessageBox(request) == window::kResultOk ? transfer::MessageAnswer::Ok
                                                               : transfer::MessageAnswer::Cancel;
}

}  // namespace ui
