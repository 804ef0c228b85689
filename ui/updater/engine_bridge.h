#pragma once
// The engine's two ways up into the dialog: its events posted to the dialog's window, and its
// message boxes shown on it. Both can be cut off when the window goes.

#include <mutex>
#include <string>

#include "transfer/transfer_window.h"
#include "ui/window/dialog_window.h"

namespace ui {

// Posts the worker's events to the dialog's window; after Detach they are dropped.
class DialogTransferWindow final : public transfer::TransferWindow {
 public:
  void Attach(window::DialogWindow& window);
  void Detach();
  void Post(uint32_t message, uint32_t wParam, int32_t lParam) override;

 private:
  std::mutex lock_;  // the worker posts while the user-interface thread may detach
  window::DialogWindow* window_ = nullptr;
};

// The engine's message boxes as the dialog's own, and the text of the last one shown, so that
// a refused start can say why in the window too.
class DialogMessageBoxes final : public transfer::MessageBoxes {
 public:
  void Attach(window::DialogWindow& window) { window_ = &window; }
  void Detach() { window_ = nullptr; }
  transfer::MessageAnswer Show(transfer::TransferWindow* owner, std::string_view text,
                               std::string_view caption, transfer::MessageButtons buttons,
                               transfer::MessageIcon icon) override;

  // Empty until a box is shown; ForgetLastText empties it again.
  const std::string& LastText() const { return lastText_; }
  void ForgetLastText() { lastText_.clear(); }

 private:
  window::DialogWindow* window_ = nullptr;
  std::string lastText_;
};

}  // namespace ui
