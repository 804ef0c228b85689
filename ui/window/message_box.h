#pragma once
// Modal message boxes: a caption, a text, OK or OK/Cancel, optionally the warning icon.

#include <string>

namespace ui::window {

// How a modal dialog or message box ended; the values are the toolkit's command ids.
enum DialogResult : int {
  kResultOk = 1,
  kResultCancel = 2,
};

enum class MessageBoxButtons { Ok, OkCancel };

struct MessageBoxRequest {
  std::string caption;  // UTF-8
  std::string text;     // UTF-8
  MessageBoxButtons buttons = MessageBoxButtons::Ok;
  bool warningIcon = false;
};

}  // namespace ui::window
